// Export as JPEG: the pixel size of the exported picture. Width and height
// follow each other by the proportions of the view's client area.
#pragma once

#include "dialogs/number_fields_dialog.h"
#include "imaging/jpeg_writer.h"
#include "res/resource.h"

class CExportDialog : public CNumberFieldsDialog {
public:
    explicit CExportDialog(QWidget* pParent = nullptr);

    // The client size of the view: the start width and height, and their ratio.
    void SetStartValues(int nClientWidth, int nClientHeight);

    UINT m_nHeight = 0;
    UINT m_nWidth = 0;
    float m_fRatio = 1.0f; // width / height; set by SetStartValues
    int m_bLinking = 0;    // 1 while the dialog itself changes a field

    // Sides the export accepts, pixels.
    static constexpr UINT kMinSide = 1;
    static constexpr UINT kMaxSide = EXPORT_MAX_SIDE;
    // Characters of a field read by the linking.
    static constexpr int kLinkReadChars = 17;

protected:
    // The start values as they are: linking them through each other would
    // show 798 x 598 for an 800 x 600 page.
    void OnInitDialog() override;
    // The height first, then the width.
    bool ReadControls() override;
    // A change of one field writes the other (the update), then stores the
    // changed side's partner from the member (the change).
    void OnEditChanged(int nID) override;

private:
    void OnUpdate(int nChanged, int nOther, bool bWidth);
};
