// The command line: parsing, the export size rule, and the program run as a
// user runs it.
#include "cli/command_line.h"
#include "document/album_format.h"
#include "document/album_paths.h"
#include "document/zelbrin_doc.h"
#include "imaging/jpeg_reader.h"
#include "render/page_export.h"
#include "support/test_support.h"
#include "view/zelbrin_view.h"

#include <QProcess>

#include <cstring>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using Mode = CommandLine::Mode;

// A new page in the editor's view at 50 pixels per inch, as --ppi 50 lays it out.
struct EditorPage {
    EditorPage() {
        view.AttachDocument(&doc);
        doc.OnNewDocument();
        CZelbrinView::SetFixedPixelsPerInch(50);
        view.OnInitialUpdate();
        CZelbrinView::SetFixedPixelsPerInch(0);
    }
    CZelbrinDoc doc;
    CZelbrinView view;
};

TEST(CommandLineParse, ModesAndErrors) {
    EXPECT_EQ(ParseCommandLine({}).mode, Mode::Edit);
    CommandLine open = ParseCommandLine({"page.alb"});
    EXPECT_EQ(open.mode, Mode::Edit);
    EXPECT_EQ(open.album, AbsolutePath("page.alb")); // taken from the working folder now
    EXPECT_EQ(ParseCommandLine({"--help", "x.alb"}).mode, Mode::Help);
    EXPECT_EQ(ParseCommandLine({"--version"}).mode, Mode::Version);

    CommandLine ex = ParseCommandLine({"--export-jpeg", "o.jpg", "--width", "640", "a.alb"});
    EXPECT_EQ(ex.mode, Mode::Batch);
    EXPECT_EQ(ex.exportPath, AbsolutePath("o.jpg"));
    EXPECT_EQ(ex.width, 640);
    EXPECT_EQ(ex.height, 0);
    EXPECT_EQ(ex.album, AbsolutePath("a.alb"));
    EXPECT_EQ(ParseCommandLine({"--ppi", "60", "a.alb"}).ppi, 60);
    CommandLine print = ParseCommandLine({"--print", "a.alb"});
    EXPECT_EQ(print.mode, Mode::Batch);
    EXPECT_TRUE(print.print);
    EXPECT_TRUE(print.printPdfPath.empty());
    CommandLine pdf = ParseCommandLine({"a.alb", "--print-pdf", "o.pdf"});
    EXPECT_EQ(pdf.mode, Mode::Batch);
    EXPECT_FALSE(pdf.print);
    EXPECT_EQ(pdf.printPdfPath, AbsolutePath("o.pdf"));

    // A picture list runs to the next option or "--"; without an output the editor opens.
    CommandLine ins =
        ParseCommandLine({"--template", "t.zbt", "--insert", "a.jpg", "b.jpg", "--", "p.alb"});
    EXPECT_EQ(ins.mode, Mode::Edit);
    EXPECT_EQ(ins.inserts,
              (std::vector<std::string>{AbsolutePath("a.jpg"), AbsolutePath("b.jpg")}));
    EXPECT_EQ(ins.album, AbsolutePath("p.alb"));
    EXPECT_EQ(ins.templatePath, AbsolutePath("t.zbt"));
    CommandLine batch = ParseCommandLine({"--insert", "a.jpg", "--save-template", "o.zbt"});
    EXPECT_EQ(batch.mode, Mode::Batch);
    EXPECT_EQ(ParseCommandLine({"--save-as", "o.alb"}).mode, Mode::Batch);

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--export-jpeg"}, // no file
             {"--export-jpeg", "o.jpg", "--width", "0", "a.alb"},
             {"--export-jpeg", "o.jpg", "--width", "3001", "a.alb"},
             {"--export-jpeg", "o.jpg", "--height", "12x", "a.alb"},
             {"--export-jpeg", "o.jpg", "--height", "-5", "a.alb"},
             {"--width", "100", "a.alb"}, // size without export
             {"--ppi", "0"},
             {"--print-pdf"}, // no file
             {"--print", "--width", "100", "a.alb"},
             {"--frobnicate"},
             {"a.alb", "b.alb"},
             {"--insert", "--save-as", "o.alb"}, // no pictures
             {"--template"},
             {"--save-as", ""},
         }) {
        CommandLine cl = ParseCommandLine(bad);
        EXPECT_EQ(cl.mode, Mode::Error) << bad[0];
        EXPECT_FALSE(cl.error.empty());
    }
    const std::string usage = UsageText();
    for (const char* option :
         {"--ppi", "--template", "--insert", "--save-template", "--save-as", "--export-jpeg",
          "--width", "--height", "--print", "--print-pdf", "--make-sample", "--help"})
        EXPECT_NE(usage.find(std::string("\n  ") + option + " "), std::string::npos) << option;
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
int RunZelbrin(const QStringList& args, QString& err, const std::string& folder = {}) {
    QProcess p;
    if (!folder.empty())
        p.setWorkingDirectory(QString::fromStdString(folder));
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
        EditorPage page;
        CZelbrinDoc& doc = page.doc;
        CZelbrinView& view = page.view;
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
                                     dir.File("inside.jpg"), view.m_fPageWidthInches));
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
        // A folder that does not exist is a bad value (2), found before the run.
        EXPECT_EQ(RunZelbrin({"--print-pdf", f.pdf, f.album}, err), f.says == "album" ? 1 : 2);
        EXPECT_TRUE(err.contains(f.says)) << err.toStdString();
        EXPECT_FALSE(FileExists(f.pdf.toStdString()));
    }
    ASSERT_EQ(RunZelbrin({"--print-pdf", QString::fromStdString(dir.File("p.pdf")), good}, err), 0)
        << err.toStdString();
    EXPECT_EQ(ReadFileBytes(dir.File("p.pdf")).substr(0, 5), "%PDF-");
}

TEST(CommandLineRun, BuildsAPageFromATemplateAsTheEditorDoes) {
    TempDir dir;
    MakeJpeg(dir.File("a.jpg"), 400, 300);
    MakeJpeg(dir.File("b.jpg"), 300, 400);
    MakeJpeg(dir.File("c.jpg"), 320, 320);
    WriteFileBytes(dir.File("bad.jpg"), "not a picture");
    WriteFileBytes(dir.File("t.zbt"), "3\r\n\r\n0.3\r\n0.25\r\n0.5\r\n0.4\r\n\r\n"
                                      "0.7\r\n0.6\r\n0.5\r\n0.3\r\n\r\n"
                                      "0.5\r\n0.85\r\n0.9\r\n0.2\r\n\r\n");
    const std::vector<std::string> pictures = {dir.File("a.jpg"), dir.File("b.jpg"),
                                               dir.File("c.jpg")};
    {
        // The editor: Load Template, Open Image, Save Template, Save As, Export.
        EditorPage page;
        CZelbrinDoc& doc = page.doc;
        CZelbrinView& view = page.view;
        ASSERT_TRUE(doc.LoadTemplateFile(dir.File("t.zbt").c_str()));
        doc.InsertPictures(pictures);
        ASSERT_EQ(doc.GetItemCount(), 3);
        ASSERT_TRUE(doc.WriteTemplateFile(dir.File("editor.zbt").c_str()));
        ASSERT_TRUE(doc.SaveAlbumAs(dir.File("editor.alb")));
        int h = 0, w = 0;
        view.GetClientExtent(h, w);
        ASSERT_TRUE(
            ExportPageToJpeg(doc, w, w, h, dir.File("editor.jpg"), view.m_fPageWidthInches));
    }

    // Relative names, taken from the working folder.
    QString err;
    ASSERT_EQ(RunZelbrin({"--ppi", "50", "--template", "t.zbt", "--insert", "a.jpg", "b.jpg",
                          "c.jpg", "--save-template", "cli.zbt", "--save-as", "cli.alb",
                          "--export-jpeg", "cli.jpg"},
                         err, dir.path()),
              0)
        << err.toStdString();
    EXPECT_FALSE(err.contains("zelbrin:")) << err.toStdString();
    EXPECT_EQ(ReadFileBytes(dir.File("cli.zbt")), ReadFileBytes(dir.File("editor.zbt")));
    EXPECT_EQ(ReadFileBytes(dir.File("cli.alb")), ReadFileBytes(dir.File("editor.alb")));
    EXPECT_EQ(ReadFileBytes(dir.File("cli.jpg")), ReadFileBytes(dir.File("editor.jpg")));

    // Every kind of bad picture is named, the rest is still done (the good
    // pictures go into their slots, the album is saved and the page
    // exported), and the run fails.
    MakeGrayJpeg(dir.File("gray.jpg"), 16, 16);
    MakeGrayJpeg(dir.File("cmyk.jpg"), 16, 16, true);
    ASSERT_EQ(mkdir(dir.File("folder.jpg").c_str(), 0755), 0);
    const QStringList bad = {"missing.jpg", "folder.jpg", "bad.jpg", "gray.jpg", "cmyk.jpg"};
    EXPECT_EQ(
        RunZelbrin(QStringList{"--ppi", "50", "--template", "t.zbt", "--insert", "a.jpg"} + bad +
                       QStringList{"b.jpg", "--save-as", "two.alb", "--export-jpeg", "two.jpg"},
                   err, dir.path()),
        1);
    for (const QString& name : bad) // one line of the program's own each
        EXPECT_EQ(err.count("zelbrin: cannot insert " + QString::fromStdString(dir.File("")) +
                            name + " ("),
                  1)
            << err.toStdString();
    EXPECT_EQ(err.count("zelbrin:"), bad.size()) << err.toStdString();
    CZelbrinDoc two;
    ASSERT_TRUE(two.OnOpenDocument(dir.File("two.alb").c_str()));
    EXPECT_EQ(two.GetItemCount(), 2);
    EXPECT_EQ(ReadFileBytes(dir.File("two.jpg")).substr(0, 2), "\xFF\xD8");

    // A template that cannot be read stops the run before anything is written.
    WriteFileBytes(dir.File("bad.zbt"), "2\r\n\r\n0.5\r\n");
    EXPECT_EQ(RunZelbrin({"--template", "bad.zbt", "--insert", "a.jpg", "--save-as", "no.alb"}, err,
                         dir.path()),
              1);
    EXPECT_TRUE(err.contains("bad.zbt")) << err.toStdString();
    EXPECT_FALSE(FileExists(dir.File("no.alb")));
}

} // namespace

namespace {

// The mean difference of two JPEG files' pixels; -1 when they differ in size.
double MeanDifference(const std::string& a, const std::string& b) {
    unsigned char *pa = nullptr, *pb = nullptr;
    int wa = 0, ha = 0, wb = 0, hb = 0;
    if (!ReadJpegPicture(a.c_str(), &pa, &wa, &ha, 1) ||
        !ReadJpegPicture(b.c_str(), &pb, &wb, &hb, 1) || wa != wb || ha != hb)
        return -1;
    double sum = 0;
    const std::size_t n = static_cast<std::size_t>(wa) * ha * 3;
    for (std::size_t i = 0; i < n; ++i)
        sum += std::abs(pa[i] - pb[i]);
    std::free(pa);
    std::free(pb);
    return sum / static_cast<double>(n);
}

// An album keeps its page on every machine: a batch run without --ppi lays it
// out at the resolution it records; at another --ppi it is the same page
// within rounding, and a save records the resolution used.
TEST(CommandLineRun, AlbumsKeepTheirPageAtAnyResolution) {
    TempDir dir;
    MakeJpeg(dir.File("a.jpg"), 400, 300);
    MakeJpeg(dir.File("b.jpg"), 300, 400);
    WriteFileBytes(dir.File("t.zbt"), "2\r\n\r\n0.3\r\n0.3\r\n0.5\r\n0.4\r\n\r\n"
                                      "0.7\r\n0.7\r\n0.5\r\n0.4\r\n\r\n");
    QString err;
    ASSERT_EQ(RunZelbrin({"--ppi", "60", "--template", "t.zbt", "--insert", "a.jpg", "b.jpg",
                          "--save-as", "p60.alb"},
                         err, dir.path()),
              0)
        << err.toStdString();
    const AlbumParse p60 = ParseAlbumText(ReadFileBytes(dir.File("p60.alb")));
    ASSERT_EQ(p60.extras.nPixelsPerInch, 60);
    for (const char* ppi : {"", "60", "87", "120"}) {
        QStringList args{
            "--export-jpeg", QString("e%1.jpg").arg(ppi), "--width", "600", "--height", "780",
            "p60.alb"};
        if (*ppi)
            args = QStringList{"--ppi", ppi} + args;
        ASSERT_EQ(RunZelbrin(args, err, dir.path()), 0) << ppi << err.toStdString();
    }
    EXPECT_EQ(ReadFileBytes(dir.File("e.jpg")), ReadFileBytes(dir.File("e60.jpg")));
    for (const char* other : {"e87.jpg", "e120.jpg"}) {
        const double diff = MeanDifference(dir.File("e60.jpg"), dir.File(other));
        EXPECT_GE(diff, 0) << other;
        EXPECT_LT(diff, 3.0) << other;
    }

    // --ppi wins over the record, and the save records it.
    ASSERT_EQ(RunZelbrin({"--ppi", "120", "--save-as", "p120.alb", "p60.alb"}, err, dir.path()), 0)
        << err.toStdString();
    const AlbumParse p120 = ParseAlbumText(ReadFileBytes(dir.File("p120.alb")));
    EXPECT_EQ(p120.extras.nPixelsPerInch, 120);
    ASSERT_EQ(p120.records.size(), p60.records.size());
    for (std::size_t i = 0; i < p60.records.size(); ++i) {
        const RECT& was = p60.records[i].item.rcPlace;
        EXPECT_EQ(p120.records[i].item.rcPlace,
                  (RECT{was.left * 2, was.top * 2, was.right * 2, was.bottom * 2}));
    }
}

} // namespace

// A missing picture's place is left blank in the export, the picture is
// named, the rest is done and the run fails.
TEST(CommandLineRun, MissingPicturesLeaveTheirPlacesBlankAndFailTheRun) {
    TempDir dir;
    MakeSolidJpeg(dir.File("here.jpg"), 80, 60, 200, 30, 30);
    const std::string picture = "0 40 30\r\n%1\r\n%2\r\n%3\r\n0 0 30 40\r\n";
    const auto record = [&](const char* name, const char* place) {
        return QString::fromStdString(picture)
            .arg(name, QString::fromStdString(ToFilePath(dir.File(name))), place)
            .toStdString();
    };
    WriteFileBytes(dir.File("page.alb"), "4\r\n2\r\n" + record("here.jpg", "0 0 100 100") +
                                             record("gone.jpg", "0 150 100 250") +
                                             "PixelsPerInch 50\r\n");
    QString err;
    EXPECT_EQ(RunZelbrin({"--export-jpeg", QString::fromStdString(dir.File("page.jpg")),
                          QString::fromStdString(dir.File("page.alb"))},
                         err),
              1);
    EXPECT_TRUE(err.contains("gone.jpg is missing; its place is left blank")) << err.toStdString();
    unsigned char* px = nullptr;
    int w = 0, h = 0;
    ASSERT_TRUE(ReadJpegPicture(dir.File("page.jpg").c_str(), &px, &w, &h, 1));
    EXPECT_GT(px[(50 * w + 50) * 3], 150);      // the picture that is here
    EXPECT_GT(px[(50 * w + 200) * 3 + 1], 245); // white where the missing one is
    std::free(px);
}
