#include "platform/qt/doc_template.h"
#include "platform/win/app_resources.h"

#include "platform/qt/frame_wnd.h"
#include "platform/win/document.h"

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, DocumentFactory makeDocument,
                                       FrameFactory makeFrame)
    : m_nIDResource(nIDResource), m_makeDocument(std::move(makeDocument)),
      m_makeFrame(std::move(makeFrame)) {}

CSingleDocTemplate::~CSingleDocTemplate() {
    DestroyDocumentAndFrame();
}

CFrameWnd* CSingleDocTemplate::GetFrame() const {
    return m_pFrame.data();
}

std::string CSingleDocTemplate::GetDocString(int nField) const {
    return AfxStringField(m_nIDResource, nField);
}

bool CSingleDocTemplate::CreateDocumentAndFrame() {
    m_pDocument = m_makeDocument ? m_makeDocument() : nullptr;
    if (!m_pDocument)
        return false;
    m_pFrame = m_makeFrame ? m_makeFrame(m_pDocument.get()) : nullptr;
    if (!m_pFrame || !m_pFrame->LoadFrame(m_nIDResource)) {
        DestroyDocumentAndFrame();
        return false;
    }
    ConnectRoute();
    // The caption follows the document's title.
    QPointer<CFrameWnd> guard(m_pFrame);
    CDocument* doc = m_pDocument.get();
    doc->m_onTitleChanged = [guard, doc] {
        if (guard)
            guard->OnUpdateFrameTitle(doc->GetTitle());
    };
    if (m_onFrameMade)
        m_onFrameMade(m_pFrame);
    return true;
}

void CSingleDocTemplate::ConnectRoute() {
    // The view first when it answers commands, then document, frame, application.
    std::vector<CCmdTarget*> route;
    if (auto* view = dynamic_cast<CCmdTarget*>(m_pFrame->GetViewWidget()))
        route.push_back(view);
    route.push_back(m_pDocument.get());
    route.push_back(m_pFrame);
    if (m_pAppTarget)
        route.push_back(m_pAppTarget);
    m_pFrame->SetCommandRoute(route);
}

void CSingleDocTemplate::CloseAllDocuments() {
    DestroyDocumentAndFrame();
}

void CSingleDocTemplate::DestroyDocumentAndFrame() {
    if (m_pFrame) {
        if (m_onFrameGone)
            m_onFrameGone(m_pFrame);
        delete m_pFrame.data();
        m_pFrame = nullptr;
    }
    m_pDocument.reset();
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const char* lpszPathName) {
    bool created = false;
    if (!m_pDocument) {
        if (!CreateDocumentAndFrame())
            return nullptr;
        created = true;
    }
    CDocument* doc = m_pDocument.get();
    if (!lpszPathName) {
        if (!doc->OnNewDocument()) {
            if (created)
                DestroyDocumentAndFrame();
            return nullptr;
        }
        std::string name = GetDocString(1);
        doc->SetTitle(name.empty() ? AfxLoadString(AFX_IDS_UNTITLED) : name);
    } else {
        if (!doc->OnOpenDocument(lpszPathName)) {
            if (created)
                DestroyDocumentAndFrame();
            return nullptr;
        }
        doc->SetPathName(lpszPathName);
    }
    if (created)
        m_pFrame->show();
    return doc;
}
