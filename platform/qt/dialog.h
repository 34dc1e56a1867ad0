// Modal dialogs built from a dialog template. The window and its controls
// exist only while DoModal runs; the dialog object keeps the values.
#pragma once

#include "platform/qt/dialog_template.h"
#include "platform/qt/dialog_units.h"
#include "platform/win/winctrl.h"

#include <QPointer>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

class QDialog;
class QWidget;
class CDataExchange;
class CDialogWindow;

class CDialog {
public:
    // Without an owner the dialog is owned by the active window when it runs.
    explicit CDialog(const DlgTemplate& dialogTemplate, QWidget* pParent = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Creates the window, runs OnInitDialog and the modal loop; returns the
    // value given to EndDialog (IDOK or IDCANCEL).
    virtual int DoModal();
    // Ends the modal loop with nResult once the current message is handled.
    void EndDialog(int nResult);

    // Moves values from the members into the controls (FALSE) or from the
    // controls into the members with validation (TRUE). FALSE when a
    // validation failed (its message has been shown).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // The dialog window while it runs, else null.
    QDialog* GetSafeHwnd() const;
    const DlgTemplate& GetTemplate() const { return m_template; }
    const DialogBaseUnits& GetBaseUnits() const { return m_units; }

    // The first control with the id, or null.
    QWidget* GetDlgItem(int nID) const;
    // Sets a control's text; an edit control raises EN_UPDATE, EN_CHANGE.
    void SetDlgItemText(int nID, const std::string& text);
    std::string GetDlgItemText(int nID) const;
    // Focus to a control, as the dialog's keyboard navigation does (an edit's
    // text is selected).
    void GotoDlgCtrl(int nID);
    // Focus to a control, nothing else.
    void SetFocus(int nID);

    // Sends a control's notification to the dialog, as the control does:
    // the mapped handler runs; unmapped IDOK / IDCANCEL commands run OnOK /
    // OnCancel.
    void SendCommand(int nID, UINT nCode = BN_CLICKED);

protected:
    // Fills the controls (UpdateData(FALSE)). TRUE: the framework puts the
    // focus on the first tab stop.
    virtual BOOL OnInitDialog();
    // Reads and validates the controls; ends with IDOK when they pass.
    virtual void OnOK();
    // Ends with IDCANCEL.
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);

    using Handler = std::function<void()>;
    // Handler of a button's BN_CLICKED.
    void MapCommand(int nID, Handler handler) { MapNotification(nID, BN_CLICKED, handler); }
    // Handler of a control's notification (EN_UPDATE, EN_CHANGE, BN_CLICKED ...).
    void MapNotification(int nID, UINT nCode, Handler handler);
    template <class T> void MapCommand(int nID, void (T::*fn)()) {
        MapNotification(nID, BN_CLICKED, [this, fn] { (static_cast<T*>(this)->*fn)(); });
    }
    template <class T> void MapNotification(int nID, UINT nCode, void (T::*fn)()) {
        MapNotification(nID, nCode, [this, fn] { (static_cast<T*>(this)->*fn)(); });
    }

private:
    friend class CDialogWindow;
    void CreateControls();
    QWidget* CreateControl(const DlgItemTemplate& item);
    void SetInitialFocus();
    const DlgItemTemplate* ItemOf(const QWidget* widget) const;
    int DefaultButtonId() const;
    // The keys a dialog takes for itself: Enter and Esc. True when handled.
    bool HandleDialogKey(QWidget* target, int key);

    const DlgTemplate& m_template;
    QPointer<QWidget> m_pParent;
    DialogBaseUnits m_units{};
    QFont m_font;
    CDialogWindow* m_pWindow = nullptr;
    // Controls in template order, each with its template entry.
    std::vector<std::pair<QWidget*, const DlgItemTemplate*>> m_controls;
    std::map<std::pair<int, UINT>, Handler> m_handlers;
    bool m_bEnded = false;
    int m_nModalResult = IDCANCEL;
};
