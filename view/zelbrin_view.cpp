#include "view/zelbrin_view.h"

#include "view/view_settings.h"
#include "document/zelbrin_doc.h"
#include "platform/qt/win_app.h"
#include "view/view_cursors.h"
#include "res/resource.h"
#include "platform/qt/gdi.h"
#include "platform/qt/printer.h"

CZelbrinView::CZelbrinView(QWidget* parent)
    : CView(parent), m_pOffscreenDC(std::make_unique<CDC>()),
      m_pOffscreenBitmap(std::make_unique<CBitmap>()) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
    static const bool cursorsLoaded = (RegisterViewCursors(), true);
    (void)cursorsLoaded;
    // Smooth pictures stay scaled for repaints and moves: three screens' worth.
    const QSize screen = ScreenMetrics();
    m_drawing.SetScreenCopyBudget(3LL * screen.width() * screen.height());
    m_drawing.SetTextImages(true);
    // The page's inches come from the application printer's printable area.
    CPrinterDC printer(&AfxGetAppPrinter());
    LoadPrinterMetrics(&printer);
    // The five preferences kept between runs.
    if (CWinApp* app = AfxGetApp()) {
        const ViewSettings s = LoadViewSettings(*app);
        m_bSnapToGrid = s.bSnapToGrid;
        m_bShowGrid = s.bShowGrid;
        m_fVertSpacing = s.fVertSpacing;
        m_fHorizSpacing = s.fHorizSpacing;
        m_bSnapToTemplate = s.bSnapToTemplate;
    }
}

CZelbrinView::~CZelbrinView() {
    if (CWinApp* app = AfxGetApp()) {
        ViewSettings s;
        s.bSnapToGrid = m_bSnapToGrid;
        s.bShowGrid = m_bShowGrid;
        s.fVertSpacing = m_fVertSpacing;
        s.fHorizSpacing = m_fHorizSpacing;
        s.bSnapToTemplate = m_bSnapToTemplate;
        StoreViewSettings(*app, s);
    }
    if (CZelbrinDoc* doc = GetDocument(); doc && doc->GetAlbumView() == this)
        doc->SetAlbumView(nullptr);
    if (m_pOffscreenDC)
        m_pOffscreenDC->DeleteDC();
}

BEGIN_MESSAGE_MAP(CZelbrinView, CView)
ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrintDirect)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
ON_COMMAND(ID_EXPORT_PAGE, OnExportPage)
ON_UPDATE_COMMAND_UI(ID_EXPORT_PAGE, OnUpdateAlwaysEnabled)
ON_COMMAND(ID_DELETE_OBJECT, OnDeleteObject)
ON_COMMAND(ID_TEXT_COLOR, OnTextColor)
ON_UPDATE_COMMAND_UI(ID_TEXT_COLOR, OnUpdateTextColor)
ON_COMMAND(ID_TEXT_BOLD, OnTextBold)
ON_UPDATE_COMMAND_UI(ID_TEXT_BOLD, OnUpdateTextBold)
ON_COMMAND(ID_TEXT_ITALIC, OnTextItalic)
ON_UPDATE_COMMAND_UI(ID_TEXT_ITALIC, OnUpdateTextItalic)
ON_COMMAND(ID_TEXT_UNDERLINE, OnTextUnderline)
ON_UPDATE_COMMAND_UI(ID_TEXT_UNDERLINE, OnUpdateTextUnderline)
ON_COMMAND(ID_SHOW_GRIDLINES, OnShowGridlines)
ON_UPDATE_COMMAND_UI(ID_SHOW_GRIDLINES, OnUpdateShowGridlines)
ON_COMMAND(ID_GRIDLINE_SPACING, OnGridlineSpacing)
ON_COMMAND(ID_SNAP_TO_GRID, OnSnapToGrid)
ON_UPDATE_COMMAND_UI(ID_SNAP_TO_GRID, OnUpdateSnapToGrid)
ON_COMMAND(ID_SEND_TO_BACK, OnSendToBack)
ON_UPDATE_COMMAND_UI(ID_SEND_TO_BACK, OnUpdateSendToBack)
ON_COMMAND(ID_ROTATE_LEFT, OnRotateLeft)
ON_UPDATE_COMMAND_UI(ID_ROTATE_LEFT, OnUpdateSendToBack)
ON_COMMAND(ID_ROTATE_RIGHT, OnRotateRight)
ON_COMMAND(ID_FIND_MISSING, OnFindMissingPictures)
ON_UPDATE_COMMAND_UI(ID_FIND_MISSING, OnUpdateFindMissingPictures)
ON_UPDATE_COMMAND_UI(ID_ROTATE_RIGHT, OnUpdateSendToBack)
ON_COMMAND(ID_SNAP_TO_TEMPLATE, OnSnapToTemplate)
ON_UPDATE_COMMAND_UI(ID_SNAP_TO_TEMPLATE, OnUpdateSnapToTemplate)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_PPI, OnUpdatePrintResolution)
END_MESSAGE_MAP()

void CZelbrinView::OnUpdateAlwaysEnabled(CCmdUI*) {}

CZelbrinDoc* CZelbrinView::GetDocument() const {
    return static_cast<CZelbrinDoc*>(CView::GetDocument());
}

void CZelbrinView::AttachDocument(CZelbrinDoc* pDoc) {
    SetDocument(pDoc);
    m_drawing.SetDocument(pDoc);
    if (pDoc)
        pDoc->SetAlbumView(this);
}
