// Open and save file dialogs: filters in the form "Name|*.x;*.y|Other|*.z||",
// default extension, initial name, OFN_ flags and multiple selection.
#pragma once

#include "platform/win/wintypes.h"

#include <QStringList>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_EXPLORER = 0x00080000;

struct FileFilter {
    std::string name;
    std::vector<std::string> patterns;
};

// Splits "Name|*.x;*.y|Other|*.z||" into its filters; a trailing name without
// patterns is dropped.
std::vector<FileFilter> ParseFileFilter(const char* filter);
// The Qt name filter of each: "Name (*.x *.y)". Patterns match letters of either
// case, as on Windows, and the name is shown as written.
QStringList QtNameFilters(const std::vector<FileFilter>& filters);

class CFileDialog {
public:
    CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                QWidget* pParentWnd = nullptr);

    // IDOK with the chosen files, IDCANCEL when the user cancels. After OK the
    // process's working folder is the folder of the (first) chosen file.
    int DoModal();

    // The first chosen file, and its parts.
    std::string GetPathName() const;
    std::string GetFileName() const;
    std::string GetFileExt() const;
    std::string GetFileTitle() const;
    // Every chosen file in the order given (one unless OFN_ALLOWMULTISELECT).
    const std::vector<std::string>& GetPathNames() const { return m_paths; }

    // The dialog's caption, instead of Qt's own.
    void SetTitle(const std::string& title) { m_title = title; }
    const std::string& GetTitle() const { return m_title; }

    BOOL IsOpenDialog() const { return m_bOpen; }
    DWORD GetFlags() const { return m_dwFlags; }
    const std::string& GetDefExt() const { return m_defExt; }
    const std::string& GetInitialName() const { return m_initialName; }
    const std::vector<FileFilter>& GetFilters() const { return m_filters; }

    // Answers dialogs without showing them: the hook gets the dialog and
    // returns the chosen paths, or nothing for Cancel. An empty hook restores
    // the real dialog.
    using AnswerHook = std::function<std::optional<std::vector<std::string>>(const CFileDialog&)>;
    static void SetAnswerHook(AnswerHook hook);

private:
    std::optional<std::vector<std::string>> Show();

    BOOL m_bOpen;
    std::string m_defExt;
    std::string m_initialName;
    DWORD m_dwFlags;
    std::vector<FileFilter> m_filters;
    std::string m_title;
    QWidget* m_pParent;
    std::vector<std::string> m_paths;
};
