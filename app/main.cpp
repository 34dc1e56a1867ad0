// Zelbrin: one photo-album page, laid out and printed.
#include "app/batch_run.h"
#include "cli/command_line.h"
#include "app/sample_album.h"
#include "app/zelbrin_app.h"
#include "view/zelbrin_view.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Runs the modes that need no editor window.
int RunWithoutWindow(int argc, char** argv, const CommandLine& cl) {
    // With a display the page is laid out for its screen, as the editor would;
    // without one, on Qt's off-screen platform.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY") &&
        !qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (cl.ppi)
        CZelbrinView::SetFixedPixelsPerInch(cl.ppi);
    if (cl.mode == CommandLine::Mode::Batch)
        return RunBatch(cl);
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
    case CommandLine::Mode::Batch:
        // One line for a file that cannot be read or written, before any step runs.
        if (const std::string error = CheckCommandLineFiles(cl); !error.empty()) {
            std::fprintf(stderr, "zelbrin: %s\n", error.c_str());
            return 2;
        }
        return RunWithoutWindow(argc, argv, cl);
    case CommandLine::Mode::MakeSample:
        return RunWithoutWindow(argc, argv, cl);
    case CommandLine::Mode::Edit:
        break;
    }
    CZelbrinApp theApp;
    return AfxWinMain(argc, argv);
}
