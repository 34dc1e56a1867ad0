// Export as JPEG: the pixel size of the exported picture. Width and height
// follow each other by the proportions of the view's client area.
#pragma once

#include "imaging/jpeg_writer.h"
#include "platform/qt/dialog.h"
#include "platform/qt/edit_control.h"
#include "res/dialog_ids.h"

class CExportDialog : public CDialog {
public:
    enum { IDD = IDD_EXPORT_JPEG };
    explicit CExportDialog(QWidget* pParent = nullptr);

    // The client size of the view: the start width and height, and their ratio.
    void SetStartValues(int nClientWidth, int nClientHeight);

    CEdit m_ctlWidth;
    CEdit m_ctlHeight;
    UINT m_nHeight = 0;
    UINT m_nWidth = 0;
    float m_fRatio = 1.0f;   // width / height; set by SetStartValues
    int m_bLinking = 0;      // 1 while the dialog itself changes a field
    bool m_bFilling = false; // true while the fields take the start values

    // Sides the export accepts, pixels.
    static constexpr UINT kMinSide = 1;
    static constexpr UINT kMaxSide = EXPORT_MAX_SIDE;
    // Characters of a field read by the linking.
    static constexpr int kLinkReadChars = 17;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void OnUpdateWidth();
    void OnUpdateHeight();
    void OnChangeWidth();
    void OnChangeHeight();
};
