// Zelbrin: one photo-album page, laid out and printed.
#include "app/command_line.h"
#include "app/print_command.h"
#include "app/sample_album.h"
#include "app/zelbrin_app.h"
#include "document/zelbrin_doc.h"
#include "imaging/page_export.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Lays the album out as the editor would, without a window, and exports it.
int ExportAlbum(const CommandLine& cl) {
    CZelbrinDoc doc;
    doc.OnNewDocument();
    if (!doc.OnOpenDocument(cl.album.c_str())) {
        std::fprintf(stderr, "zelbrin: cannot open the album %s\n", cl.album.c_str());
        return 1;
    }
    const HeadlessPage page = MeasureHeadlessPage(cl.ppi);
    const int cw = page.nClientWidth, ch = page.nClientHeight;
    int width = 0, height = 0;
    std::string error;
    if (!ResolveExportSize(cw, ch, cl.width, cl.height, width, height, error)) {
        std::fprintf(stderr, "zelbrin: %s\n", error.c_str());
        return 2;
    }
    if (!ExportPageToJpeg(doc, cw, width, height, cl.exportPath)) {
        std::fprintf(stderr, "zelbrin: cannot write %s\n", cl.exportPath.c_str());
        return 1;
    }
    return 0;
}

// Runs the modes that need no editor window.
int RunWithoutWindow(int argc, char** argv, const CommandLine& cl) {
    // With a display the page is laid out for its screen, as the editor would;
    // without one, on Qt's off-screen platform.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY") &&
        !qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (cl.mode == CommandLine::Mode::Export)
        return ExportAlbum(cl);
    if (cl.mode == CommandLine::Mode::Print)
        return RunPrintCommand(cl);
    std::string error;
    if (!MakeSampleAlbum(cl.sampleFolder, error)) {
        std::fprintf(stderr, "zelbrin: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const CommandLine cl = ParseCommandLine(args);
    switch (cl.mode) {
    case CommandLine::Mode::Help:
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    case CommandLine::Mode::Version:
        std::fputs(VersionText().c_str(), stdout);
        return 0;
    case CommandLine::Mode::Error:
        std::fprintf(stderr, "zelbrin: %s\n%s", cl.error.c_str(), UsageText().c_str());
        return 2;
    case CommandLine::Mode::Export:
    case CommandLine::Mode::Print:
    case CommandLine::Mode::MakeSample:
        return RunWithoutWindow(argc, argv, cl);
    case CommandLine::Mode::Edit:
        break;
    }
    CZelbrinApp theApp;
    return AfxWinMain(argc, argv);
}
