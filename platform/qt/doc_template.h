// A single-document template: one document, one frame, one view, made
// together and kept for the whole run.
#pragma once

#include "platform/win/wintypes.h"

#include <functional>
#include <memory>

class CDocument;
class CFrameWnd;
class CView;

class CSingleDocTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<CDocument>()>;
    using FrameFactory = std::function<std::unique_ptr<CFrameWnd>()>;
    using ViewFactory = std::function<CView*(CFrameWnd*)>;

    CSingleDocTemplate(UINT nIDResource, DocumentFactory makeDocument, FrameFactory makeFrame,
                       ViewFactory makeView);
    ~CSingleDocTemplate();

    // Makes document, frame (loaded from the resource) and view on first use.
    // FALSE when the frame cannot be created.
    BOOL CreateAll();
    CDocument* GetDocument() const { return m_pDocument.get(); }
    CFrameWnd* GetFrame() const { return m_pFrame.get(); }
    CView* GetView() const { return m_pView; }
    UINT GetResourceId() const { return m_nIDResource; }
    // Destroys frame (and view) and then the document.
    void CloseAll();

private:
    UINT m_nIDResource;
    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    ViewFactory m_makeView;
    std::unique_ptr<CDocument> m_pDocument;
    std::unique_ptr<CFrameWnd> m_pFrame;
    CView* m_pView = nullptr;
};
