// Gridline Setup: the horizontal and vertical grid spacings, in inches.
#pragma once

#include "dialogs/number_fields_dialog.h"
#include "res/resource.h"

class CGridlineDialog : public CNumberFieldsDialog {
public:
    explicit CGridlineDialog(QWidget* pParent = nullptr);

    float m_fHorizSpacing = 0.0f;
    float m_fVertSpacing = 0.0f;

    // Accepted spacings, inches.
    static constexpr float kMinSpacing = 0.0f;
    static constexpr float kMaxSpacing = 99.0f;

protected:
    void OnInitDialog() override;
    // The horizontal spacing first, then the vertical one.
    bool ReadControls() override;
};
