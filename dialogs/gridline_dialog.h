// Gridline Setup: the horizontal and vertical grid spacings, in inches.
#pragma once

#include "platform/qt/dialog.h"
#include "res/dialog_ids.h"

class CGridlineDialog : public CDialog {
public:
    enum { IDD = IDD_GRIDLINE_SETUP };
    explicit CGridlineDialog(QWidget* pParent = nullptr);

    float m_fHorizSpacing = 0.0f;
    float m_fVertSpacing = 0.0f;

    // Accepted spacings, inches.
    static constexpr float kMinSpacing = 0.0f;
    static constexpr float kMaxSpacing = 99.0f;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
