// The dialogs and recent-file list the document's commands use, shown as the
// program's real file dialogs and Edit Text Item dialog.
#pragma once

#include "document/document_shell.h"

class QWidget;

class CDocumentShellQt : public CDocumentShell {
public:
    explicit CDocumentShellQt(QWidget* pOwner) : m_pOwner(pOwner) {}
    bool AskAlbumToOpen(std::string& path) override;
    bool AskAlbumToSave(const std::string& initialName, std::string& path) override;
    bool AskPicturesToOpen(std::vector<std::string>& paths) override;
    bool AskTemplateToOpen(std::string& path) override;
    bool AskTemplateToSave(const std::string& initialName, std::string& path) override;
    bool EditTextItem(TextItemFields& fields) override;
    bool AskPictureToLocate(const std::string& name, std::string& path) override;
    void AddToRecentFileList(const std::string& path) override;

private:
    QWidget* m_pOwner;
};
