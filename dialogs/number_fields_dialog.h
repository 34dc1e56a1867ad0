// A dialog of two number fields under a prompt, each with its label and unit,
// and OK and Cancel beside them: Gridline Setup and Export as JPEG.
#pragma once

#include "platform/qt/dialog.h"

struct NumberFieldRow {
    const char* label;
    int id;
    const char* unit;
};

struct NumberFieldsLayout {
    const char* caption;
    const char* prompt;
    NumberFieldRow rows[2];
    NumberFieldValidator::Kind kind;
    double minVal, maxVal;
    int fieldChars; // width of a field, in digits
};

class CNumberFieldsDialog : public CDialog {
protected:
    CNumberFieldsDialog(const NumberFieldsLayout& layout, QWidget* pParent)
        : CDialog(pParent), m_layout(layout) {}
    void CreateControls(QDialog& window) override;

    // Reads a field into a member: the member takes a text that reads as a
    // number, even out of range; false after a refusal.
    template <class T> bool ReadField(int nID, T& member) {
        double value = static_cast<double>(member);
        const bool ok = ReadNumber(nID, value);
        member = static_cast<T>(value);
        return ok;
    }

private:
    const NumberFieldsLayout& m_layout;
};
