// The single-document template: makes the one document and its frame on first
// use and afterwards reuses them for File New and for opening a file.
#pragma once

#include "platform/win/wintypes.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <string>

class CDocument;
class CCmdTarget;
class CFrameWnd;

class CSingleDocTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<CDocument>()>;
    // Makes the frame for the document, with its view set; the frame is not yet created.
    using FrameFactory = std::function<CFrameWnd*(CDocument*)>;

    CSingleDocTemplate(UINT nIDResource, DocumentFactory makeDocument, FrameFactory makeFrame);
    ~CSingleDocTemplate();
    CSingleDocTemplate(const CSingleDocTemplate&) = delete;
    CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;

    // With a null path the new-document step, otherwise opening path. The
    // first call makes document and frame (LoadFrame) and shows the frame after
    // success; a failure on that first call leaves neither behind. On success
    // a new document is titled "Untitled" and an opened one after its file.
    // Returns the document, or null on failure.
    CDocument* OpenDocumentFile(const char* lpszPathName);

    // Destroys the frame (and with it the view) and the document.
    void CloseAllDocuments();

    CDocument* GetDocument() const { return m_pDocument.get(); }
    CFrameWnd* GetFrame() const;
    UINT GetResourceID() const { return m_nIDResource; }
    // Field n of the document template string (the string of the template's resource id).
    std::string GetDocString(int nField) const;

    // What the application that owns the template asks (CWinApp::AddDocTemplate
    // sets them): the last target of every command route, and a word when the
    // frame has been made and before it goes.
    CCmdTarget* m_pAppTarget = nullptr;
    std::function<void(CFrameWnd*)> m_onFrameMade, m_onFrameGone;

private:
    bool CreateDocumentAndFrame();
    void DestroyDocumentAndFrame();
    void ConnectRoute();

    UINT m_nIDResource;
    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    std::unique_ptr<CDocument> m_pDocument;
    // Null once the frame has been closed and deleted itself.
    QPointer<CFrameWnd> m_pFrame;
};
