// Dialog data exchange: members to controls when a dialog opens, controls to
// members with validation when it is confirmed. A failed validation shows the
// framework's message, puts the focus on the control and ends the exchange.
#pragma once

#include "platform/win/wintypes.h"

#include <string>

class CDialog;
class CEdit;
class QComboBox;
class QString;
class QWidget;

class CDataExchange {
public:
    // Thrown by Fail, caught by CDialog::UpdateData.
    struct Failure {};

    CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate; // TRUE: controls to members
    CDialog* m_pDlgWnd;
    int m_idLastControl = 0;         // the control the last exchange touched
    BOOL m_bEditLastControl = FALSE; // ... and whether it is an edit control

    // The control with the id, remembered as the last one; a missing control
    // fails the exchange.
    QWidget* PrepareCtrl(int nIDC);
    QWidget* PrepareEditCtrl(int nIDC);
    // Focus to the last control (an edit's text selected), then ends the exchange.
    [[noreturn]] void Fail();
};

// The framework's messages.
inline constexpr const char* kMsgParseReal = "Please enter a number.";
inline constexpr const char* kMsgParseRealRange = "Please enter a number between %1 and %2.";
inline constexpr const char* kMsgParseStringSize = "Please enter no more than %1 characters.";
inline constexpr const char* kMsgParseUInt = "Please enter a positive integer.";
inline constexpr const char* kMsgParseIntRange = "Please enter an integer between %1 and %2.";

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);
// Shown as "%.*g" with 6 digits; read from the first 31 characters.
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
// Shown as "%u"; read from the first 63 characters.
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
// 0 off, 1 on; a value outside 0..2 is first reset to 0 when shown.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Shown by selecting the first list entry that begins with the value
// (case ignored), else as the edit text; read as the edit text.
void DDX_CBString(CDataExchange* pDX, int nIDC, std::string& value);
// Binds a member to an edit control; exchanges no value.
void DDX_Control(CDataExchange* pDX, int nIDC, CEdit& control);

// Characters (not bytes) are counted. When shown, an edit control's typing
// is limited to nChars.
void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int nChars);
void DDV_MinMaxFloat(CDataExchange* pDX, float value, float minVal, float maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);

// The readings of the exchanges, in the C locale. Blanks are spaces and tabs;
// they may lead and trail. A number read as zero must start with the digit 0
// (so ".0", "-0" and "" are refused, "0.0" is not).
bool ParseDialogFloat(const char* text, double& value);
// Refuses a minus sign; a value above the 32-bit range reads as its maximum.
bool ParseDialogUInt(const char* text, UINT& value);

// The first entry after nStartAfter (-1: from the top, wrapping around) that
// begins with prefix, case ignored; -1 when none does. An empty prefix
// matches the first entry searched.
int ComboFindPrefix(const QComboBox* combo, int nStartAfter, const QString& prefix);
