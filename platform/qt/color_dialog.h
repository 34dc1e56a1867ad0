// The colour dialog: a modal colour chooser with an initial colour.
#pragma once

#include "platform/win/wintypes.h"

#include <functional>
#include <optional>

class QWidget;

class CColorDialog {
public:
    explicit CColorDialog(COLORREF clrInit = 0, QWidget* pParentWnd = nullptr);
    // IDOK with the chosen colour, IDCANCEL when the user cancels.
    int DoModal();
    COLORREF GetColor() const { return m_color; }

    // Answers dialogs without showing them (tests): the hook gets the initial
    // colour and returns the chosen one, or nothing for Cancel. An empty hook
    // restores the real dialog.
    using AnswerHook = std::function<std::optional<COLORREF>(COLORREF initial)>;
    static void SetAnswerHook(AnswerHook hook);

private:
    COLORREF m_color;
    QWidget* m_pParent;
};
