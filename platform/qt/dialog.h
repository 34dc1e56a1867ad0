// Modal dialogs on QDialog. A dialog object keeps its values; its window and
// controls (Qt widgets in Qt layouts) exist only while DoModal runs. Controls
// carry ids, so the dialog and its callers reach them as GetDlgItem(id).
#pragma once

#include "platform/win/wintypes.h"

#include <QDialogButtonBox>
#include <QPointer>
#include <QValidator>

#include <functional>
#include <optional>
#include <string>

class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;

class CDialog {
public:
    // Without an owner the dialog is owned by the active window when it runs.
    explicit CDialog(QWidget* pParent = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Builds the window, fills it and runs it; IDOK or IDCANCEL.
    int DoModal();
    void EndDialog(int nResult);

    // The dialog window while it runs, else null.
    QDialog* GetSafeHwnd() const { return m_pWindow; }
    // The control with the id, or null.
    QWidget* GetDlgItem(int nID) const;
    // A line edit's, text box's, combo box's, button's or label's text. Setting
    // an edit's text tells OnEditChanged, as typing does.
    void SetDlgItemText(int nID, const std::string& text);
    std::string GetDlgItemText(int nID) const;

protected:
    // Creates the controls in the window (the window's layout included).
    virtual void CreateControls(QDialog& window) = 0;
    // Fills the controls from the members; nothing is told of the changes.
    virtual void OnInitDialog() {}
    // Reads and checks the controls into the members; false after a refusal.
    virtual bool ReadControls() { return true; }
    // ReadControls, then ends with IDOK when it passes.
    virtual void OnOK();
    virtual void OnCancel();
    // Enter pressed outside a text box and a push button: the default button,
    // or OnOK when there is none.
    virtual void OnEnter();
    // An edit's text changed, by typing or by SetDlgItemText.
    virtual void OnEditChanged(int /*nID*/) {}

    // Gives a control its id; a line edit or a text box reports its changes.
    template <class W> W* Control(int nID, W* widget) {
        Register(nID, widget);
        return widget;
    }
    // A push button with the id in the box; a click runs OnOK or OnCancel
    // for IDOK and IDCANCEL, else nothing (connect it).
    QPushButton* AddButton(QDialogButtonBox* box, int nID, const QString& text, bool bDefault);
    // Shows the message, puts the focus on the control with its text selected;
    // false, for the caller to return.
    bool Refuse(int nID, const std::string& message, UINT nType);
    // Sets an edit's text without telling OnEditChanged.
    void FillDlgItemText(int nID, const std::string& text);
    // Reads the line edit with the id through its NumberFieldValidator: the
    // value is stored when the text reads as a number, even out of range;
    // false after a refusal.
    bool ReadNumber(int nID, double& value);

private:
    void Register(int nID, QWidget* widget);

    QPointer<QWidget> m_pParent;
    QDialog* m_pWindow = nullptr;
    bool m_bFilling = false;
};

// A number field's reading: the first readChars characters, blanks around the
// number allowed, then the range. The field takes any typing (the user mends
// it after the message); Problem tells what is wrong with a text, if anything.
class NumberFieldValidator : public QValidator {
public:
    enum class Kind { Real, UnsignedInt };
    NumberFieldValidator(Kind kind, double minVal, double maxVal, QObject* parent);
    State validate(QString& input, int& pos) const override;
    // The message and its box type for a text refused, or nothing.
    std::optional<std::pair<std::string, UINT>> Problem(const QString& text) const;
    // The text as a number, its range unchecked; false when it is none.
    bool Read(const QString& text, double& value) const;

private:
    Kind m_kind;
    double m_min, m_max;
};
