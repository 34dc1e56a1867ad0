// What the document's commands ask of the program around them: the file
// dialogs, the Edit Text Item dialog and the recent-file list. The windowed
// program supplies the real dialogs; without a shell every dialog is cancelled.
#pragma once

#include <string>
#include <vector>

// The values the Edit Text Item dialog shows and returns.
struct TextItemFields {
    std::string text;
    int bBold = 0;
    int bItalic = 0;
    int bUnderline = 0;
    std::string fontName;
};

class CDocumentShell {
public:
    // The Open Document dialog; false on Cancel.
    virtual bool AskAlbumToOpen(std::string& path) = 0;
    // The Save As dialog with initialName; false on Cancel.
    virtual bool AskAlbumToSave(const std::string& initialName, std::string& path) = 0;
    // The Open Image dialog (several files); false on Cancel.
    virtual bool AskPicturesToOpen(std::vector<std::string>& paths) = 0;
    // The Load Template dialog; false on Cancel.
    virtual bool AskTemplateToOpen(std::string& path) = 0;
    // The Save Template dialog with initialName; false on Cancel.
    virtual bool AskTemplateToSave(const std::string& initialName, std::string& path) = 0;
    // The Edit Text Item dialog on fields; false on Cancel.
    virtual bool EditTextItem(TextItemFields& fields) = 0;
    // The "Locate %s" file dialog for a missing picture; false on Cancel.
    virtual bool AskPictureToLocate(const std::string& name, std::string& path) = 0;
    virtual void AddToRecentFileList(const std::string& path) = 0;

protected:
    ~CDocumentShell() = default;
};
