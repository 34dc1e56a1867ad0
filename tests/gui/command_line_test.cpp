// The command line: parsing, the export size rule, and the program run as a
// user runs it.
#include "app/command_line.h"
#include "document/zelbrin_doc.h"
#include "imaging/page_export.h"
#include "support/test_support.h"
#include "view/zelbrin_view.h"

#include <QProcess>

#include <cstring>

#include <gtest/gtest.h>

namespace {

using Mode = CommandLine::Mode;

TEST(CommandLineParse, ModesAndErrors) {
    EXPECT_EQ(ParseCommandLine({}).mode, Mode::Edit);
    CommandLine open = ParseCommandLine({"page.alb"});
    EXPECT_EQ(open.mode, Mode::Edit);
    EXPECT_EQ(open.album, "page.alb");
    EXPECT_EQ(ParseCommandLine({"--help", "x.alb"}).mode, Mode::Help);
    EXPECT_EQ(ParseCommandLine({"--version"}).mode, Mode::Version);

    CommandLine ex = ParseCommandLine({"--export-jpeg", "o.jpg", "--width", "640", "a.alb"});
    EXPECT_EQ(ex.mode, Mode::Export);
    EXPECT_EQ(ex.exportPath, "o.jpg");
    EXPECT_EQ(ex.width, 640);
    EXPECT_EQ(ex.height, 0);
    EXPECT_EQ(ex.album, "a.alb");
    EXPECT_EQ(ParseCommandLine({"--ppi", "60", "a.alb"}).ppi, 60);
    CommandLine print = ParseCommandLine({"--print", "a.alb"});
    EXPECT_EQ(print.mode, Mode::Print);
    EXPECT_TRUE(print.printPdfPath.empty());
    CommandLine pdf = ParseCommandLine({"a.alb", "--print-pdf", "o.pdf"});
    EXPECT_EQ(pdf.mode, Mode::Print);
    EXPECT_EQ(pdf.printPdfPath, "o.pdf");

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--export-jpeg", "o.jpg"}, // no album
             {"--export-jpeg"},          // no file
             {"--export-jpeg", "o.jpg", "--width", "0", "a.alb"},
             {"--export-jpeg", "o.jpg", "--width", "3001", "a.alb"},
             {"--export-jpeg", "o.jpg", "--height", "12x", "a.alb"},
             {"--export-jpeg", "o.jpg", "--height", "-5", "a.alb"},
             {"--width", "100", "a.alb"}, // size without export
             {"--ppi", "0"},
             {"--print"},              // no album
             {"--print-pdf", "o.pdf"}, // no album
             {"--print-pdf"},          // no file
             {"--print", "--export-jpeg", "o.jpg", "a.alb"},
             {"--print", "--width", "100", "a.alb"},
             {"--frobnicate"},
             {"a.alb", "b.alb"},
         }) {
        CommandLine cl = ParseCommandLine(bad);
        EXPECT_EQ(cl.mode, Mode::Error) << bad[0];
        EXPECT_FALSE(cl.error.empty());
    }
}

TEST(CommandLineParse, ExportSizeFollowsTheDialogsLinking) {
    int w = 0, h = 0;
    std::string error;
    ASSERT_TRUE(ResolveExportSize(800, 600, 0, 0, w, h, error));
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    ASSERT_TRUE(ResolveExportSize(800, 600, 400, 0, w, h, error));
    EXPECT_EQ(h, 299); // 400 / 1.3333334
    ASSERT_TRUE(ResolveExportSize(800, 600, 0, 300, w, h, error));
    EXPECT_EQ(w, 400);
    ASSERT_TRUE(ResolveExportSize(800, 600, 123, 456, w, h, error));
    EXPECT_EQ(w, 123);
    EXPECT_EQ(h, 456);
    // The other side would leave the range.
    EXPECT_FALSE(ResolveExportSize(100, 1000, 2990, 0, w, h, error));
    EXPECT_NE(error.find("3000"), std::string::npos);
    EXPECT_FALSE(ResolveExportSize(1000, 100, 0, 3000, w, h, error));
}

// Runs the program; returns its exit code, with its error output in err.
int RunZelbrin(const QStringList& args, QString& err) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(ZELBRIN_EXE, args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        return -1;
    }
    err = QString::fromUtf8(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

TEST(CommandLineRun, ExportsWhatTheEditorWouldAndFailsClearly) {
    TempDir dir;
    MakeJpeg(dir.File("a.jpg"), 400, 300);
    {
        CZelbrinDoc doc;
        CZelbrinView view;
        view.AttachDocument(&doc);
        doc.OnNewDocument();
        CZelbrinView::SetFixedPixelsPerInch(50);
        view.OnInitialUpdate();
        CZelbrinView::SetFixedPixelsPerInch(0);
        ASSERT_TRUE(doc.AddPicture(dir.File("a.jpg").c_str()));
        PageItem text{};
        text.nKind = ITEM_TEXT;
        std::strcpy(text.szText, "Hello");
        text.nLines = 1;
        std::strcpy(text.szFontName, "Arial");
        text.rcPlace = RECT{100, 200, 300, 260};
        text.rcSource = RECT{0, 0, 100, 25};
        doc.AppendItem(text);
        ASSERT_TRUE(doc.SetAlbumPath(dir.File("page.alb").c_str()));
        ASSERT_TRUE(doc.WriteAlbumFile());
        int h = 0, w = 0;
        view.GetClientExtent(h, w);
        ASSERT_TRUE(ExportPageToJpeg(doc, w, 300, static_cast<int>(300 / (float(w) / h)),
                                     dir.File("inside.jpg")));
    }

    QString err;
    EXPECT_EQ(
        RunZelbrin({"--ppi", "50", "--export-jpeg", QString::fromStdString(dir.File("cli.jpg")),
                    "--width", "300", QString::fromStdString(dir.File("page.alb"))},
                   err),
        0)
        << err.toStdString();
    EXPECT_EQ(ReadFileBytes(dir.File("cli.jpg")), ReadFileBytes(dir.File("inside.jpg")));

    // An album that does not open: non-zero, with a message.
    WriteFileBytes(dir.File("bad.alb"), "4\r\n3\r\n");
    EXPECT_NE(RunZelbrin({"--export-jpeg", QString::fromStdString(dir.File("x.jpg")),
                          QString::fromStdString(dir.File("bad.alb"))},
                         err),
              0);
    EXPECT_TRUE(err.contains("Unexpected file format.")) << err.toStdString();
    EXPECT_FALSE(FileExists(dir.File("x.jpg")));

    // A file that cannot be written, and bad numbers.
    EXPECT_NE(RunZelbrin({"--export-jpeg", QString::fromStdString(dir.File("no/x.jpg")),
                          QString::fromStdString(dir.File("page.alb"))},
                         err),
              0);
    EXPECT_TRUE(err.contains("no/x.jpg")) << err.toStdString();
    EXPECT_EQ(RunZelbrin({"--export-jpeg", "x.jpg", "--width", "wide", "a.alb"}, err), 2);
    EXPECT_TRUE(err.contains("--width")) << err.toStdString();

    // Printing into a PDF: the same failures, and no file left behind.
    struct Failing {
        QString album, pdf, says;
    };
    const QString bad = QString::fromStdString(dir.File("bad.alb"));
    const QString good = QString::fromStdString(dir.File("page.alb"));
    for (const Failing& f :
         {Failing{bad, QString::fromStdString(dir.File("p.pdf")), "album"},
          Failing{good, QString::fromStdString(dir.File("no/p.pdf")), "no/p.pdf"}}) {
        EXPECT_EQ(RunZelbrin({"--print-pdf", f.pdf, f.album}, err), 1);
        EXPECT_TRUE(err.contains(f.says)) << err.toStdString();
        EXPECT_FALSE(FileExists(f.pdf.toStdString()));
    }
    ASSERT_EQ(RunZelbrin({"--print-pdf", QString::fromStdString(dir.File("p.pdf")), good}, err), 0)
        << err.toStdString();
    EXPECT_EQ(ReadFileBytes(dir.File("p.pdf")).substr(0, 5), "%PDF-");
}

} // namespace
