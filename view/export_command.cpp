// Export Page: asks for the size, draws the page into a bitmap of that size,
// asks for the file and writes it as JPEG.
#include "view/zelbrin_view.h"

#include "dialogs/export_dialog.h"
#include "document/zelbrin_doc.h"
#include "render/page_export.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/gdi.h"
#include "platform/qt/wait_cursor.h"

void CZelbrinView::OnExportPage() {
    int ch = 0, cw = 0;
    GetClientExtent(ch, cw);
    if (cw <= 0 || ch <= 0 || !ConfirmBlankPlaces("exported"))
        return;
    CExportDialog dlg(window());
    dlg.SetStartValues(cw, ch);
    if (dlg.DoModal() != IDOK)
        return;
    const int W = static_cast<int>(dlg.m_nWidth);
    const int H = static_cast<int>(dlg.m_nHeight);
    const float scale = static_cast<float>(W) / static_cast<float>(cw);

    CClientDC dc(this);
    OnPrepareDC(&dc);
    CPageExport page;
    if (!page.Begin(&dc, W, H))
        return;
    page.SetPageWidthInches(m_fPageWidthInches);
    CZelbrinDoc* doc = GetDocument();
    {
        CWaitCursor wait;
        if (doc)
            page.DrawItems(*doc, scale);
    }
    const std::string initial = (doc ? doc->GetTitle() : std::string("Untitled")) + ".jpg";
    CFileDialog save(FALSE, "jpg", initial.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                     "JPEG files (*.jpg)|*.jpg|", window());
    if (save.DoModal() != IDOK)
        return;
    CWaitCursor wait;
    const std::string path = save.GetPathName();
    if (!path.empty())
        page.WriteTo(path);
}
