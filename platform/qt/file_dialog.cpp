#include "platform/qt/file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include <filesystem>

namespace {

CFileDialog::AnswerHook& Hook() {
    static CFileDialog::AnswerHook hook;
    return hook;
}

std::vector<std::string> Split(const std::string& text, char sep) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(sep, start);
        if (end == std::string::npos)
            end = text.size();
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// "*.jpg" becomes "*.[jJ][pP][gG]" so that PHOTO.JPG is listed too.
QString AnyCase(const std::string& pattern) {
    QString out;
    for (char c : pattern) {
        QChar ch = QChar::fromLatin1(c);
        if (ch.isLetter())
            out += '[' + ch.toLower() + ch.toUpper() + ']';
        else
            out += ch;
    }
    return out;
}

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

} // namespace

std::vector<FileFilter> ParseFileFilter(const char* filter) {
    std::vector<FileFilter> filters;
    if (!filter)
        return filters;
    std::vector<std::string> parts = Split(filter, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() && parts[i + 1].empty())
            break; // "||" ends the list
        FileFilter f{parts[i], {}};
        for (const std::string& p : Split(parts[i + 1], ';')) {
            if (!p.empty())
                f.patterns.push_back(p);
        }
        if (!f.patterns.empty())
            filters.push_back(f);
    }
    return filters;
}

QStringList QtNameFilters(const std::vector<FileFilter>& filters) {
    QStringList out;
    for (const FileFilter& f : filters) {
        QStringList patterns;
        for (const std::string& p : f.patterns)
            patterns << AnyCase(p);
        out << QString::fromStdString(f.name) + " (" + patterns.join(' ') + ")";
    }
    return out;
}

void CFileDialog::SetAnswerHook(AnswerHook hook) {
    Hook() = std::move(hook);
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName,
                         DWORD dwFlags, LPCSTR lpszFilter, QWidget* pParentWnd)
    : m_bOpen(bOpenFileDialog), m_defExt(lpszDefExt ? lpszDefExt : ""),
      m_initialName(lpszFileName ? lpszFileName : ""), m_dwFlags(dwFlags),
      m_filters(ParseFileFilter(lpszFilter)), m_pParent(pParentWnd) {}

std::optional<std::vector<std::string>> CFileDialog::Show() {
    if (Hook())
        return Hook()(*this);
    QFileDialog dialog(m_pParent);
    if (!m_title.empty())
        dialog.setWindowTitle(QString::fromStdString(m_title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // Only the names are shown; the any-case patterns stay hidden.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(m_bOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    if (m_bOpen)
        dialog.setFileMode((m_dwFlags & OFN_ALLOWMULTISELECT) ? QFileDialog::ExistingFiles
                                                              : QFileDialog::ExistingFile);
    else
        dialog.setFileMode(QFileDialog::AnyFile);
    if (!(m_dwFlags & OFN_OVERWRITEPROMPT))
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!m_defExt.empty())
        dialog.setDefaultSuffix(QString::fromStdString(m_defExt));
    QStringList names = QtNameFilters(m_filters);
    if (!names.isEmpty())
        dialog.setNameFilters(names);
    dialog.setDirectory(QDir::currentPath());
    if (!m_initialName.empty())
        dialog.selectFile(QString::fromStdString(m_initialName));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    std::vector<std::string> paths;
    for (const QString& f : dialog.selectedFiles())
        paths.push_back(QDir::toNativeSeparators(f).toStdString());
    return paths;
}

int CFileDialog::DoModal() {
    m_paths.clear();
    std::optional<std::vector<std::string>> chosen = Show();
    if (!chosen || chosen->empty())
        return IDCANCEL;
    m_paths = *chosen;
    if (!(m_dwFlags & OFN_ALLOWMULTISELECT) && m_paths.size() > 1)
        m_paths.resize(1);
    // A saved name without an extension takes the default one.
    if (!m_bOpen && !m_defExt.empty()) {
        for (std::string& p : m_paths) {
            if (FileNameOf(p).find('.') == std::string::npos)
                p += "." + m_defExt;
        }
    }
    QString folder = QFileInfo(QString::fromStdString(m_paths.front())).absolutePath();
    QDir::setCurrent(folder);
    return IDOK;
}

std::string CFileDialog::GetPathName() const {
    return m_paths.empty() ? std::string() : m_paths.front();
}

std::string CFileDialog::GetFileName() const {
    return FileNameOf(GetPathName());
}

std::string CFileDialog::GetFileExt() const {
    std::string name = GetFileName();
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string CFileDialog::GetFileTitle() const {
    std::string name = GetFileName();
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}
