// Edit controls of dialogs and their notifications. Every change of an edit
// control's text, typed by the user or set by the program, raises EN_UPDATE
// and then EN_CHANGE inside the change, before the change returns; a text set
// by the program notifies even when it equals the old text.
#pragma once

#include "platform/win/winctrl.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>

#include <functional>
#include <string>

// What the dialog sees of one edit control, single- or multi-line.
class EditControl {
public:
    using NotifyFn = std::function<void(UINT code)>;
    virtual ~EditControl() = default;

    virtual QWidget* Widget() = 0;
    // The text; a multi-line control gives a CR LF pair per line break.
    virtual std::string GetText() const = 0;
    // Replaces the whole text (CR LF, CR or LF break lines of a multi-line
    // control), then raises EN_UPDATE and EN_CHANGE.
    void SetText(const std::string& text);
    virtual void SelectAll() = 0;
    // Most characters the user may type; 0 lifts the limit.
    virtual void LimitText(int nChars) = 0;
    // Receiver of the control's notifications (the dialog).
    void SetNotify(NotifyFn fn) { m_notify = std::move(fn); }

protected:
    virtual void ReplaceText(const std::string& text) = 0;
    // EN_UPDATE, then EN_CHANGE.
    void RaiseChange();

private:
    NotifyFn m_notify;
};

// Single-line edit.
class LineEditControl : public QLineEdit, public EditControl {
public:
    LineEditControl(QWidget* parent, DWORD style);
    QWidget* Widget() override { return this; }
    std::string GetText() const override;
    void SelectAll() override { selectAll(); }
    void LimitText(int nChars) override;

protected:
    void ReplaceText(const std::string& text) override;
};

// Multi-line edit: words wrap at the box's width unless it scrolls
// horizontally; Enter starts a new line only with ES_WANTRETURN (the dialog
// decides); Tab moves the focus as in any dialog control. Without
// ES_AUTOVSCROLL the user's typing stops at the box's last line: an edit
// that would need more lines is refused with a beep and notifies nothing.
class MultiLineEditControl : public QPlainTextEdit, public EditControl {
public:
    MultiLineEditControl(QWidget* parent, DWORD style);
    QWidget* Widget() override { return this; }
    std::string GetText() const override;
    void SelectAll() override { selectAll(); }
    void LimitText(int) override {}
    bool WantsReturn() const { return m_bWantReturn; }
    // True when the text needs more height than the box shows.
    bool Overflows() const;

protected:
    void ReplaceText(const std::string& text) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Runs one edit by the user, undoing it when it overflows the box.
    template <class Edit> void UserEdit(Edit edit);

    bool m_bWantReturn;
    bool m_bAutoVScroll;
    bool m_bSettingText = false;
    bool m_bDeferNotify = false;
    bool m_bChanged = false;
};

// The edit control behind a widget, or null when it is none.
EditControl* AsEditControl(QWidget* widget);

// A dialog member bound to one of its edit controls (see DDX_Control); it
// lets go of the control when the dialog's window is destroyed.
class CEdit {
public:
    void Attach(EditControl* control);
    void Detach();
    QWidget* GetSafeHwnd() const { return m_widget.data(); }

    void SetWindowText(const std::string& text);
    // The text, cut to at most nMaxChars characters when nMaxChars >= 0.
    std::string GetWindowText(int nMaxChars = -1) const;
    // Repaints the control now.
    void UpdateWindow();
    void SetFocus();
    void SetSel(int nStart, int nEnd);

private:
    EditControl* Control() const { return m_widget ? m_control : nullptr; }
    EditControl* m_control = nullptr;
    QPointer<QWidget> m_widget;
};

// UTF-8 helpers shared by the dialog code.
QString FromUtf8(const std::string& text);
std::string ToUtf8(const QString& text);
// Number of characters (code points) of a UTF-8 string.
std::size_t Utf8Length(const std::string& text);
// The first nMaxChars characters of a UTF-8 string.
std::string Utf8Left(const std::string& text, std::size_t nMaxChars);
