// The page view: the client area is the page. Items stand in view pixels;
// the page's inches come from the printer's printable area.
#pragma once

#include "document/album_view.h"
#include "document/page_item.h"
#include "render/page_drawing.h"
#include "platform/qt/view.h"
#include "geometry/mouse_math.h"

#include <memory>
#include <set>

class CBitmap;
class CDC;
class CZelbrinDoc;

class CZelbrinView : public CView, public CAlbumView {
    Q_OBJECT
public:
    explicit CZelbrinView(QWidget* parent = nullptr);
    ~CZelbrinView() override;

    CZelbrinDoc* GetDocument() const;
    // Shows pDoc and lets it reach this view.
    void AttachDocument(CZelbrinDoc* pDoc);

    // Page geometry.
    void LoadPrinterMetrics(CDC* pPrinterDC);
    void OnInitialUpdate() override;
    void UpdatePageLayout();
    void GetClientExtent(int& nHeight, int& nWidth) override;
    int GetPixelsPerInch() override { return m_nPixelsPerInch; }
    void GetPageInches(float& fWidth, float& fHeight) override {
        fWidth = m_fPageWidthInches;
        fHeight = m_fPageHeightInches;
    }

    // Rendering.
    void OnDraw(CDC* pDC) override;
    // The page's item drawing, shared with export and printing.
    void DrawPageItem(PageItem item, CDC* pDC, float fScale);
    CPageDrawing& PageDrawing() { return m_drawing; }
    void DrawGridlines(CDC* pDC);
    void RedrawPage() override;
    void SelectItem(int nIndex);
    void SelectTopItem() override;
    void DrawSelectionFrame();
    void RepaintFloatingItem(PageItem item, CDC* pDC);
    // Whether item nIndex is drawn into the background (not floating).
    bool IsItemDrawn(int nIndex) const;
    void OnPaint() override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;

    // Mouse editing: select, move, size from a corner, crop at an edge, edit
    // a text by double-click; the pointer shows what a press would do.
    void OnLButtonDown(UINT nFlags, POINT point) override;
    void OnMouseMove(UINT nFlags, POINT point) override;
    void OnLButtonUp(UINT nFlags, POINT point) override;
    void OnLButtonDblClk(UINT nFlags, POINT point) override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;
    void OnCaptureChanged(CWnd* pWnd) override;
    // Sets the pointer's shape; 0 when it is the standard arrow.
    int UpdateCursor();

    // Printing: one sheet at the printer's resolution, pictures at full size.
    // A print job (not the preview) first names the pictures that print
    // below the "MinimumPrintPpi" setting and asks whether to go on.
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    bool ConfirmPrintResolution();
    // Names the missing pictures whose places will be blank when the page is
    // printed or exported; true to go on.
    bool ConfirmBlankPlaces(const char* what);
    // The status-bar pane: the selected picture's print resolution.
    void OnUpdatePrintResolution(CCmdUI* pCmdUI);
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    // Print Setup: the application printer's paper and orientation give the page.
    void OnFilePrintSetup();

    // Export Page: the page as a JPEG picture of a chosen size.
    void OnExportPage();
    void OnUpdateAlwaysEnabled(CCmdUI* pCmdUI);

    // Commands on the selected item and the grid.
    void OnDeleteObject();
    void OnTextColor();
    void OnUpdateTextColor(CCmdUI* pCmdUI);
    void OnTextBold();
    void OnTextItalic();
    void OnTextUnderline();
    void OnUpdateTextBold(CCmdUI* pCmdUI);
    void OnUpdateTextItalic(CCmdUI* pCmdUI);
    void OnUpdateTextUnderline(CCmdUI* pCmdUI);
    void OnShowGridlines();
    void OnUpdateShowGridlines(CCmdUI* pCmdUI);
    void OnGridlineSpacing();
    void OnSnapToGrid();
    void OnUpdateSnapToGrid(CCmdUI* pCmdUI);
    void OnSendToBack();
    // Enabled while a picture is selected (Send To Back, Rotate Left and Right).
    void OnUpdateSendToBack(CCmdUI* pCmdUI);
    void OnRotateLeft();
    void OnRotateRight();
    void OnFindMissingPictures();
    void OnUpdateFindMissingPictures(CCmdUI* pCmdUI);
    void OnSnapToTemplate();
    void OnUpdateSnapToTemplate(CCmdUI* pCmdUI);

    // Fixes the pixels per inch for every view made afterwards instead of
    // deriving it from the screen (0 derives it again).
    static void SetFixedPixelsPerInch(int ppi);

    // The off-screen background (tests and export read it).
    CDC* OffscreenDC() const { return m_pOffscreenDC.get(); }
    CBitmap* OffscreenBitmap() const { return m_pOffscreenBitmap.get(); }

    // The drag under way (DRAG_NONE between drags) and the edge it crops.
    DragMode CurrentDrag() const { return m_drag.mode; }
    CropEdge CurrentCropEdge() const { return m_drag.edge; }

    std::unique_ptr<CDC> m_pOffscreenDC;
    std::unique_ptr<CBitmap> m_pOffscreenBitmap;

    // Page metrics, grid and switches.
    int m_nPrinterDpi = 300;
    float m_fPageWidthInches = 8.0f;
    float m_fPageHeightInches = 10.5f;
    int m_bSnapToGrid = 0;
    int m_bShowGrid = 0;
    float m_fVertSpacing = 1.0f;
    float m_fHorizSpacing = 1.0f;
    int m_nGridStepY = 0;
    int m_nGridStepX = 0;
    int m_nGridLinesX = 0;
    int m_nGridLinesY = 0;
    int m_bFirstUpdate = 1;
    int m_bSnapToTemplate = 0;
    int m_nPixelsPerInch = 72;

protected:
    DECLARE_MESSAGE_MAP()

private:
    CPageDrawing m_drawing;
    // The items drawn into the background.
    std::set<ItemId> m_drawnItems;
    // The page's metrics before a print job, put back when the job fails.
    int m_nJobDpi = 0;
    float m_fJobWidthInches = 0.0f;
    float m_fJobHeightInches = 0.0f;
    // Draws, at scale 1 and in array order, the part inside rcClip of every
    // text item that reaches into it: text stays above a floating picture
    // without being drawn over its own image.
    void DrawTextItems(CDC* pDC, const RECT& rcClip);
    // A drag from the press to the release.
    struct Drag {
        DragMode mode = DRAG_NONE;
        CropEdge edge = EDGE_NONE;
        RECT startPlace{}; // the item's place and crop at the press
        RECT startCrop{};
        SIZE startSize{};
        POINT offset{}; // the pointer from the item's top-left corner
        // The last point a step used, unclamped: a capture lost mid-drag
        // ends the drag there.
        POINT last{};
    };
    Drag m_drag;
    // Starts a drag of the selected item with the mouse captured.
    void StartDrag(DragMode mode);
    void ToggleTextStyle(int PageItem::*field, const char* name);
    void UpdateTextStyle(CCmdUI* pCmdUI, int PageItem::*field);
    void UpdateGridGeometry();
    // Sizes the frame (or, without one, the view) so the client area is the page.
    void FitFrameToPage(bool centre, int screenWidth);
    // Creates the background, at least 1200 x 1200 and never smaller than the page.
    bool EnsureBackground(CDC* pCompatible);
    QSize BackgroundSize() const;
};
