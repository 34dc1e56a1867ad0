#include "platform/qt/doc_template.h"

#include "platform/qt/frame_wnd.h"
#include "platform/qt/view.h"
#include "platform/win/document.h"

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, DocumentFactory makeDocument,
                                       FrameFactory makeFrame, ViewFactory makeView)
    : m_nIDResource(nIDResource), m_makeDocument(std::move(makeDocument)),
      m_makeFrame(std::move(makeFrame)), m_makeView(std::move(makeView)) {}

CSingleDocTemplate::~CSingleDocTemplate() { CloseAll(); }

BOOL CSingleDocTemplate::CreateAll() {
    if (m_pFrame)
        return TRUE;
    m_pDocument = m_makeDocument();
    m_pFrame = m_makeFrame();
    if (!m_pFrame || !m_pFrame->LoadFrame(m_nIDResource)) {
        m_pFrame.reset();
        return FALSE;
    }
    m_pView = m_makeView(m_pFrame.get());
    m_pView->SetDocument(m_pDocument.get());
    m_pFrame->SetViewWidget(m_pView);
    CFrameWnd* frame = m_pFrame.get();
    CDocument* doc = m_pDocument.get();
    doc->m_onTitleChanged = [frame, doc] { frame->OnUpdateFrameTitle(doc->GetTitle()); };
    return TRUE;
}

void CSingleDocTemplate::CloseAll() {
    if (m_pDocument)
        m_pDocument->m_onTitleChanged = nullptr;
    m_pFrame.reset(); // the view is the frame's child
    m_pView = nullptr;
    m_pDocument.reset();
}
