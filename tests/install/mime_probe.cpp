// Prints the MIME type name that Qt's MIME database gives each file named.
#include <QCoreApplication>
#include <QMimeDatabase>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QMimeDatabase db;
    for (int i = 1; i < argc; ++i)
        std::printf("%s\n", qPrintable(db.mimeTypeForFile(QString::fromLocal8Bit(argv[i])).name()));
    return 0;
}
