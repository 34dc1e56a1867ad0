// Entry point of the window tests: one QApplication for the whole run, the
// program's resources handed to the framework.
#include "app/program_resources.h"

#include <QApplication>

#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

namespace {

// Qt's notes on what the offscreen platform cannot do (grab the pointer) and
// on test pointer positions outside the window are not failures.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (msg.contains("does not support grabbing the mouse") ||
        msg.contains("occurs outside target window"))
        return;
    qt_message_output(type, context, msg);
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietHandler);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Recovery copies of the editors the tests start stay in a folder of this run.
    char state[] = "/tmp/zelbrin-state-XXXXXX";
    if (mkdtemp(state))
        setenv("XDG_STATE_HOME", state, 1);
    QApplication app(argc, argv);
    InstallProgramResources();
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::filesystem::remove_all(state);
    return result;
}
