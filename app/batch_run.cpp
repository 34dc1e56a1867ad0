#include "app/batch_run.h"

#include "app/command_line.h"
#include "app/headless_page.h"
#include "document/album_view.h"
#include "document/zelbrin_doc.h"
#include "imaging/page_export.h"
#include "platform/win/afxmsgbox.h"

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
        std::fprintf(stderr, "zelbrin: %s\n", line.c_str());
        ++static_cast<StderrMessages*>(self)->m_count;
        // Questions are answered No: nothing is saved that was not asked for.
        switch (type & MB_TYPEMASK) {
        case MB_YESNO:
        case MB_YESNOCANCEL:
            return IDNO;
        default:
            return IDOK;
        }
    }

    MessageBoxHandler m_prev = nullptr;
    void* m_prevContext = nullptr;
    int m_count = 0;
};

} // namespace

int RunBatch(const CommandLine& cl) {
    StderrMessages messages;
    const HeadlessPage page = MeasureHeadlessPage(cl.ppi);
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
    if (!cl.exportPath.empty() && !ExportPageToJpeg(doc, cw, width, height, cl.exportPath)) {
        std::fprintf(stderr, "zelbrin: cannot write %s\n", cl.exportPath.c_str());
        return 1;
    }
    for (const bool toPdf : {false, true}) {
        if (toPdf ? cl.printPdfPath.empty() : !cl.print)
            continue;
        std::string error, notes;
        if (!PrintAlbumWithoutWindow(doc, page, toPdf ? cl.printPdfPath : std::string(), error,
                                     notes)) {
            std::fprintf(stderr, "zelbrin: %s\n", error.c_str());
            return 1;
        }
        std::fputs(notes.c_str(), stderr);
    }
    return failed || messages.Count() > 0 ? 1 : 0;
}
