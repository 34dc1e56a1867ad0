// Build tool: writes the application icon as PNG files into a freedesktop
// icon theme folder, OUT/hicolor/NxN/apps/zelbrin.png for every icon size.
#include "res/qt/app_icon.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    for (int size : kAppIconSizes) {
        const QString folder =
            QString("%1/hicolor/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (!QDir().mkpath(folder) || !AppIconPixmap(size).save(folder + "/zelbrin.png", "PNG")) {
            std::fprintf(stderr, "cannot write the %dx%d icon into %s\n", size, size,
                         qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
