#include "app/batch_run.h"

#include "document/placeholders.h"
#include "document/print_resolution.h"

#include "cli/command_line.h"
#include "render/headless_page.h"
#include "document/album_view.h"
#include "document/zelbrin_doc.h"
#include "render/page_export.h"
#include "platform/win/afxmsgbox.h"
#include "base/whole_file.h"

#include <cstdio>
#include <string>

namespace {

// The document's messages as single lines on stderr, counted: in a batch run
// every message tells of something that went wrong.
class StderrMessages {
public:
    StderrMessages() { m_prev = SetMessageBoxHandler(&Handle, this, &m_prevContext); }
    ~StderrMessages() { SetMessageBoxHandler(m_prev, m_prevContext); }
    StderrMessages(const StderrMessages&) = delete;
    StderrMessages& operator=(const StderrMessages&) = delete;
    int Count() const { return m_count; }

private:
    static int Handle(const char* text, UINT type, void* self) {
        std::string line;
        for (const char* p = text; *p; ++p) {
            const bool breakChar = *p == '\n' || *p == '\r';
            if (!breakChar)
                line += *p;
            else if (!line.empty() && line.back() != ' ')
                line += ' ';
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        // Questions are answered No (nothing is changed or saved that was not
        // asked for), and are not failures.
        const UINT buttons = type & MB_TYPEMASK;
        if (buttons == MB_YESNO || buttons == MB_YESNOCANCEL) {
            std::fprintf(stderr, "zelbrin: %s No\n", line.c_str());
            return IDNO;
        }
        std::fprintf(stderr, "zelbrin: %s\n", line.c_str());
        ++static_cast<StderrMessages*>(self)->m_count;
        return IDOK;
    }

    MessageBoxHandler m_prev = nullptr;
    void* m_prevContext = nullptr;
    int m_count = 0;
};

// The pixels per inch an album records; 0 when it records none or cannot be
// read (opening it says why).
int RecordedPixelsPerInch(const std::string& album) {
    std::string text;
    if (ReadWholeFile(album.c_str(), MAX_ALBUM_FILE_BYTES, text) != WholeFileResult::Ok)
        return 0;
    return ParseAlbumText(text).extras.nPixelsPerInch;
}

// Before an export or a print: the missing pictures, whose places are left
// blank (true when there are any: the run fails), and for a print the
// pictures that will look soft on paper (the page prints anyway).
bool NameMissingAndSoftPictures(const CZelbrinDoc& doc, int nPixelsPerInch, bool printing) {
    const std::vector<std::string> missing = PlaceholderNames(doc);
    for (const std::string& name : missing)
        std::fprintf(stderr, "zelbrin: %s is missing; its place is left blank\n", name.c_str());
    if (printing)
        for (const SoftPicture& p :
             PicturesPrintingBelow(doc, nPixelsPerInch, kDefaultMinimumPrintPpi))
            std::fprintf(stderr, "zelbrin: %s prints at %d pixels per inch (fewer than %d)\n",
                         p.name.c_str(), p.nPixelsPerInch, kDefaultMinimumPrintPpi);
    return !missing.empty();
}

// --print, then --print-pdf; false after a job that failed (said on stderr).
bool PrintAsAsked(CZelbrinDoc& doc, const HeadlessPage& page, const CommandLine& cl) {
    for (const bool toPdf : {false, true}) {
        if (toPdf ? cl.printPdfPath.empty() : !cl.print)
            continue;
        std::string error, notes;
        if (!PrintAlbumWithoutWindow(doc, page, toPdf ? cl.printPdfPath : std::string(), error,
                                     notes)) {
            std::fprintf(stderr, "zelbrin: %s\n", error.c_str());
            return false;
        }
        std::fputs(notes.c_str(), stderr);
    }
    return true;
}

} // namespace

int RunBatch(const CommandLine& cl) {
    StderrMessages messages;
    // The same page on every machine: --ppi, else the album's own resolution,
    // else a fixed one (there is no screen to ask).
    int ppi = cl.ppi;
    if (!ppi && !cl.album.empty())
        ppi = RecordedPixelsPerInch(cl.album);
    const HeadlessPage page = MeasureHeadlessPage(ppi ? ppi : kBatchPixelsPerInch);
    CHeadlessView view(page);
    CZelbrinDoc doc;
    doc.SetAlbumView(&view);
    doc.OnNewDocument();

    // A bad export size stops the run before anything is written.
    int width = 0, height = 0;
    const int cw = page.nClientWidth, ch = page.nClientHeight;
    if (!cl.exportPath.empty()) {
        std::string error;
        if (!ResolveExportSize(cw, ch, cl.width, cl.height, width, height, error)) {
            std::fprintf(stderr, "zelbrin: %s\n", error.c_str());
            return 2;
        }
    }
    if (!cl.album.empty() && !doc.OpenAlbumByPath(cl.album.c_str(), false)) {
        std::fprintf(stderr, "zelbrin: cannot open the album %s\n", cl.album.c_str());
        return 1;
    }
    if (!cl.templatePath.empty() && !doc.LoadTemplateFile(cl.templatePath.c_str()))
        return 1;
    bool failed = messages.Count() > 0; // an album whose pictures are missing
    if (!cl.inserts.empty()) {
        doc.InsertPictures(cl.inserts);
        for (const std::string& f : doc.TakeFailedInserts()) {
            std::fprintf(stderr, "zelbrin: cannot insert %s\n", f.c_str());
            failed = true;
        }
    }

    if (!cl.saveTemplatePath.empty() && !doc.WriteTemplateFile(cl.saveTemplatePath.c_str()))
        return 1;
    if (!cl.saveAsPath.empty() && !doc.SaveAlbumAs(cl.saveAsPath))
        return 1;
    if (!cl.exportPath.empty() &&
        !ExportPageToJpeg(doc, cw, width, height, cl.exportPath, page.fWidthInches)) {
        std::fprintf(stderr, "zelbrin: cannot write %s\n", cl.exportPath.c_str());
        return 1;
    }
    if ((!cl.exportPath.empty() || cl.print || !cl.printPdfPath.empty()) &&
        NameMissingAndSoftPictures(doc, page.nPixelsPerInch, cl.print || !cl.printPdfPath.empty()))
        failed = true;
    if (!PrintAsAsked(doc, page, cl))
        return 1;
    return failed || messages.Count() > 0 ? 1 : 0;
}
