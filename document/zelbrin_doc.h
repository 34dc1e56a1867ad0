// The album document: the page's items, the text defaults, the layout
// template and the flags that drive the save prompts.
#pragma once

#include "document/album_format.h"
#include "document/page_history.h"
#include "document/page_item.h"
#include "platform/win/document.h"

#include <string>
#include <vector>

class CAlbumView;
class CDocumentShell;

constexpr long long MAX_ALBUM_FILE_BYTES = 64ll * 1024 * 1024;

class CZelbrinDoc : public CDocument {
public:
    CZelbrinDoc();
    ~CZelbrinDoc() override;

    // The view that shows this document; calls to it are skipped while there is none.
    void SetAlbumView(CAlbumView* pView) { m_pView = pView; }
    CAlbumView* GetAlbumView() const { return m_pView; }

    // Item operations; indices are 0-based.
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    PageItem GetItem(int nIndex) const;
    PageItem GetLastItem() const;
    // The item itself, for reading without a copy; nIndex must be valid.
    const PageItem& ItemAt(int nIndex) const { return m_items[static_cast<std::size_t>(nIndex)]; }
    // Indices in drawing order: every picture, then every text item.
    std::vector<int> GetDrawingOrder() const;
    int GetLastIndex() const { return GetItemCount() - 1; }
    void SetItem(int nIndex, const PageItem& item);
    void SetLastItem(const PageItem& item);
    void SetItemColor(int nIndex, COLORREF cr);
    void MoveItemToTop(int nIndex);
    void MoveItemToBottom(int nIndex);
    void RemoveItem(int nIndex);
    void RemoveLastItem();
    // Appends an item, which enters the page with an identity of its own.
    void AppendItem(const PageItem& item);
    // The index of the item with identity id; -1 when it is not on the page.
    int IndexOfItem(ItemId id) const;

    // The dialogs and recent-file list the commands use (none: dialogs cancel).
    void SetShell(CDocumentShell* pShell) { m_pShell = pShell; }

    // The new-document step: asks to save, then empties the page and frees its
    // pictures. FALSE when the user keeps the page.
    BOOL OnNewDocument() override;
    // Replaces the page with the album read from path; see album_file.cpp.
    BOOL OnOpenDocument(const char* path) override;
    // Writes the album to m_szAlbumPath; FALSE (flags untouched) on failure.
    BOOL WriteAlbumFile();
    // Sets m_szAlbumPath to path made absolute against the working folder now;
    // FALSE when that does not fit the field.
    BOOL SetAlbumPath(const char* path);

    // Empties the page (pictures are freed once nothing else holds them).
    void DeleteAllItems();
    void ClearSlotsUsed();

    // Commands.
    void OnFileOpenAlbum();
    void OnFileOpenImage();
    void OnFileSave();
    void OnFileSaveAs();
    void OnTextNew();
    void OnEditDuplicate();
    void OnUpdateItemCommand(CCmdUI* pCmdUI);
    void OnUpdateAlwaysEnabled(CCmdUI* pCmdUI);

    // Decodes the picture at half size and places it into the first free slot,
    // or cascades it. FALSE (nothing added) when it cannot be read or its path
    // does not fit the item.
    BOOL AddPicture(const char* path);
    // A file dropped on the frame: ".jpg" inserts, ".alb" opens (after asking
    // to save), anything else is ignored.
    void OpenDroppedFile(const char* path);
    // Files dropped together, in order, as OpenDroppedFile takes them one by
    // one; the pictures of each run of ".jpg" files are decoded in parallel.
    void OpenDroppedFiles(const std::vector<std::string>& paths);
    // Tells the user once which files of the last insertions could not be
    // inserted, and forgets them.
    void ReportFailedInserts();
    // The close request's question; FALSE keeps the frame open.
    BOOL PromptSaveChanges();
    // Opens an album by path as the recent-file list and the command line do:
    // asks to save first; on success the album counts as having a file.
    // *pKept tells whether the user chose to keep the page (nothing was read).
    BOOL OpenAlbumByPath(const char* path, bool bAskToSave, bool* pKept = nullptr);
    // Save and Save As; TRUE when the album was written.
    BOOL DoSave();
    BOOL DoSaveAs();
    // Save As to a path chosen already: the album takes the path and its title.
    BOOL SaveAlbumAs(const std::string& path);
    // Inserts the pictures as Open Image does, then selects the last one; the
    // files that could not be inserted wait in TakeFailedInserts.
    void InsertPictures(const std::vector<std::string>& paths);
    // The files of the last insertions that could not be inserted, each with
    // the reason; the list is emptied.
    std::vector<std::string> TakeFailedInserts();

    // The page's history (page_edits.cpp). Every change the user makes to
    // the page is an edit: BeginEdit, the changes, EndEdit, which makes it one
    // step named name (or the name given to EndEdit) unless nothing changed.
    // Edits nest: only the outermost makes a step. The modified flag follows
    // the history.
    void BeginEdit(const char* name);
    void EndEdit(const char* name = nullptr);
    // Undo and Redo of the last step; false when there is none (or an edit is
    // under way).
    bool Undo();
    bool Redo();
    // The names of the steps Undo and Redo would take; empty when none.
    std::string UndoName() const;
    std::string RedoName() const;
    std::size_t HistorySize() const { return m_history.Size(); }
    void OnEditUndo();
    void OnEditRedo();
    void OnUpdateEditUndo(CCmdUI* pCmdUI);
    void OnUpdateEditRedo(CCmdUI* pCmdUI);

    // The commands on the selected item (the last), each one step.
    void DeleteSelectedItem();
    void SendSelectedToBack();
    // Turns the selected picture a quarter turn clockwise (1) or anticlockwise
    // (-1) about its place's centre: its pixels, crop and orientation turn, its
    // place swaps its sides. One step, "Rotate Right" or "Rotate Left".
    BOOL RotateSelected(int quarterTurns);
    // Find Missing Pictures: each placeholder looks for its file by name near
    // the album's folder, then asks the user for the rest ("Locate %s"); a
    // located file's folder is searched for the others too. One step; the
    // number of pictures found.
    int FindMissingPictures();
    // The page as an album's text with the album's own path recorded: what a
    // recovery copy holds.
    std::string RecoveryText() const;
    // Opens a recovery copy as the page of the album it was made from,
    // modified. FALSE when it cannot be read.
    BOOL OpenRecoveryCopy(const char* path);
    bool HasPlaceholders() const;
    void ToggleSelectedTextStyle(int PageItem::*field, const char* name);
    // Also makes cr the colour of new texts.
    void SetSelectedTextColor(COLORREF cr);
    // The Edit Text Item dialog on text item nIndex; FALSE when cancelled.
    BOOL EditTextItem(int nIndex);
    // A drag of the selected item: BeginDrag at the press (name "Move",
    // "Resize" or "Crop"), DragSelectedTo at every step, EndDrag at the
    // release; one step, "Snap to Template" when the release snapped it.
    void BeginDrag(const char* name);
    void DragSelectedTo(const PageItem& item);
    void EndDrag(bool bSnapped);

    // The page's resolution and size (page_resolution.cpp).
    // The indices of the items that lie wholly or partly outside the page.
    std::vector<int> ItemsOutsidePage() const;
    // When items lie outside the page, names them in one message and, if the
    // user agrees, moves each by the least amount that brings it onto the
    // page (one larger than the page keeps to its right and bottom edges, as a
    // drag does). The album is then modified.
    void OfferToPullItemsIn();

    // Layout templates (template_commands.cpp).
    void OnTemplateLoad();
    void OnTemplateSave();
    // Replaces the slots with those of a template file; a file that cannot be
    // read or is malformed is refused whole with a message, the slots untouched.
    BOOL LoadTemplateFile(const char* path);
    // Writes the placement of the page's pictures as a template file; the file
    // is replaced only when all of it was written.
    BOOL WriteTemplateFile(const char* path);
    // Fits the moved item nIndex into the slot holding pt; an item wholly inside
    // that slot moves to the slot the moved one came from (or to rcStart). FALSE,
    // with nothing changed, when pt lies in no slot.
    BOOL SnapToTemplate(int nIndex, RECT rcStart, POINT pt);

    int m_bFirstNew = 1;
    char m_szAlbumPath[MAX_PATH_FIELD] = {};
    char m_szFontName[MAX_FONT_FIELD] = "Arial";
    int m_bItalic = 0;
    int m_bUnderline = 0;
    int m_bBold = 0;
    COLORREF m_crTextColor = 0xFF0000;
    int m_bHasFile = 0;
    int m_bAlbumModified = 0;
    int m_nSlotCount = 6;
    TemplateSlot m_slots[MAX_SLOTS] = {};

protected:
    DECLARE_MESSAGE_MAP()

private:
    // "Save changes to %s?": FALSE when the command that asked must stop
    // (Cancel, or Yes whose save did not complete).
    BOOL AskToSave();
    // Takes a successfully opened album as the document's file.
    void TakeOpenedAlbum();
    // Inserts the pictures in order (decoded in parallel), noting the files
    // that could not be inserted.
    void InsertPictureFiles(const std::vector<std::string>& paths);
    PageState CurrentPage() const;
    void SetPage(const PageState& page);
    bool TakeStep(bool backwards);
    // A new history: the page as it is now is the one in its file.
    void ClearHistory();
    // The page as it is now has been written to its file.
    void MarkSaved();
    // The Edit Text Item dialog on item's text and styles; what it says goes
    // into item and the text defaults. False when cancelled (or no shell).
    bool AskTextFields(PageItem& item);
    // Converts every rcPlace from the album's recorded pixels per inch to the
    // view's, so that each item keeps its place in inches.
    void ConvertPlacesToView(int nAlbumPixelsPerInch);
    // A slot whose rectangle holds the centre of a picture counts as used.
    void MarkSlotsHoldingPictures();
    // What the album records of the view's page when it is written.
    AlbumExtras ExtrasOfView() const;
    // Decodes files (one per item, empty for none) and puts each picture into
    // its item as it arrives, the page drawn again now and then; a picture
    // that cannot be had stays a placeholder and is named in missing.
    void FillInPictures(const std::vector<std::string>& files, const std::vector<int>& orientations,
                        std::vector<std::string>& missing);
    // The page's records as the album file holds them.
    std::vector<AlbumRecord> RecordsForFile() const;
    // A placeholder takes a file's pixels, keeping its place and crop.
    bool FillPlaceholder(int nIndex, const std::string& file);
    // orientation: how the pixels were turned upright (1 to 8).
    void AppendPicture(const std::string& absolutePath, unsigned char* pixels, int w, int h,
                       int orientation);

    std::vector<std::string> m_failedInserts;
    CDocumentShell* m_pShell = nullptr;
    bool ValidIndex(int nIndex) const { return nIndex >= 0 && nIndex < GetItemCount(); }

    std::vector<PageItem> m_items;
    CAlbumView* m_pView = nullptr;
    AlbumExtras m_openedExtras;
    ItemId m_nNextId = 1;
    CPageHistory m_history;
    int m_nEditDepth = 0;
    std::string m_editName;
    PageState m_editStart;
};

// Reads a whole album or template file; false after telling the user why
// (tooLarge is the message for a file beyond MAX_ALBUM_FILE_BYTES).
bool ReadDocumentFile(const char* path, const char* tooLarge, std::string& contents);

// The item under pt: the last picture that holds it, overridden by the last
// text item that holds it; -1 when none does.
int ItemUnderPoint(const CZelbrinDoc& doc, POINT pt);

// Whether the page recorded by an album differs from one of fWidth x fHeight
// inches (false when either is not known).
bool PageInchesDiffer(const AlbumExtras& recorded, float fWidth, float fHeight);
