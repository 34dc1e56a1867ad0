// Page geometry: the printer's page in inches, the view's pixels per inch,
// the frame around the page and the grid.
#include "geometry/page_math.h"
#include "view/zelbrin_view.h"

#include "platform/qt/frame_host.h"
#include "platform/qt/gdi.h"
#include "platform/win/afxmsgbox.h"

#include <algorithm>

namespace {
int s_fixedPixelsPerInch = 0;
constexpr int kMinBackground = 1200;
} // namespace

void CZelbrinView::SetFixedPixelsPerInch(int ppi) {
    s_fixedPixelsPerInch = ppi > 0 ? ppi : 0;
}

void CZelbrinView::LoadPrinterMetrics(CDC* pPrinterDC) {
    PageGeometry page;
    if (!PageFromPrinter(pPrinterDC->GetDeviceCaps(HORZRES), pPrinterDC->GetDeviceCaps(VERTRES),
                         pPrinterDC->GetDeviceCaps(LOGPIXELSX), page))
        return;
    m_nPrinterDpi = page.nPrinterDpi;
    m_fPageWidthInches = page.fWidthInches;
    m_fPageHeightInches = page.fHeightInches;
}

void CZelbrinView::OnInitialUpdate() {
    CView::OnInitialUpdate();
    if (!m_bFirstUpdate)
        return;
    m_bFirstUpdate = 0;

    CClientDC dc(this);
    const int vertRes = dc.GetDeviceCaps(VERTRES);
    const int horzRes = dc.GetDeviceCaps(HORZRES);
    m_nPixelsPerInch = s_fixedPixelsPerInch ? s_fixedPixelsPerInch
                                            : ComputePixelsPerInch(vertRes, m_fPageHeightInches);
    FitFrameToPage(true, horzRes);
    UpdateGridGeometry();
    EnsureBackground(&dc);
}

void CZelbrinView::FitFrameToPage(bool centre, int screenWidth) {
    const SIZE client = ClientExtentOf(
        PageGeometry{m_nPrinterDpi, m_fPageWidthInches, m_fPageHeightInches}, m_nPixelsPerInch);
    const int w = client.cx, h = client.cy;
    if (CFrameHost* host = AfxGetFrameHost()) {
        const RECT before = host->GetFrameRect();
        host->FitToClient(w, h);
        const RECT after = host->GetFrameRect();
        if (centre)
            host->MoveFrameTo(screenWidth / 2 - (after.right - after.left) / 2, 2);
        else
            host->MoveFrameTo(before.left, before.top);
    } else {
        resize(w, h);
    }
}

void CZelbrinView::UpdatePageLayout() {
    FitFrameToPage(false, 0);
    UpdateGridGeometry();
    CClientDC dc(this);
    EnsureBackground(&dc);
    RedrawPage();
}

void CZelbrinView::GetClientExtent(int& nHeight, int& nWidth) {
    RECT rc;
    GetClientRect(&rc);
    nHeight = rc.bottom - rc.top;
    nWidth = rc.right - rc.left;
}

void CZelbrinView::UpdateGridGeometry() {
    int h = 0, w = 0;
    GetClientExtent(h, w);
    GridGeometry g = ComputeGridGeometry(w, h, m_fHorizSpacing, m_fVertSpacing, m_fPageWidthInches,
                                         m_fPageHeightInches);
    m_nGridStepX = g.stepX;
    m_nGridStepY = g.stepY;
    m_nGridLinesX = g.linesX;
    m_nGridLinesY = g.linesY;
}

QSize CZelbrinView::BackgroundSize() const {
    return QSize(std::max(kMinBackground, width()), std::max(kMinBackground, height()));
}

bool CZelbrinView::EnsureBackground(CDC* pCompatible) {
    if (!m_pOffscreenDC->IsValid()) {
        if (!m_pOffscreenDC->CreateCompatibleDC(pCompatible)) {
            AfxMessageBox("Failed to create offscreen dc", MB_OK);
            return false;
        }
        m_pOffscreenDC->SetMapMode(MM_TEXT);
    }
    const QSize want = BackgroundSize();
    if (!m_pOffscreenBitmap->IsNull() && m_pOffscreenBitmap->Width() >= want.width() &&
        m_pOffscreenBitmap->Height() >= want.height())
        return true;
    CBitmap next;
    if (!next.CreateCompatibleBitmap(pCompatible, want.width(), want.height())) {
        AfxMessageBox("Failed to create offscreen bitmap", MB_OK);
        return false;
    }
    m_pOffscreenBitmap->Image() = next.Image();
    CBitmap* old = m_pOffscreenDC->SelectObject(m_pOffscreenBitmap.get());
    m_pOffscreenDC->PatBlt(0, 0, want.width(), want.height(), WHITENESS);
    m_pOffscreenDC->SelectObject(old);
    return true;
}
