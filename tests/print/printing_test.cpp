// Printing through the print system: the CUPS queue ZelbrinTestPDF (a
// cups-pdf queue) is the default printer, the PDFs it writes are rendered
// with pdftoppm and examined. scripts/cups_queue.sh makes the queues.
#include "app/main_frame.h"
#include "app/zelbrin_app.h"
#include "document/zelbrin_doc.h"
#include "imaging/jpeg_writer.h"
#include "imaging/picture_decoder.h"
#include "platform/qt/gdi.h"
#include "platform/qt/preview_view.h"
#include "platform/qt/printer.h"
#include "platform/win/afxmsgbox.h"
#include "res/resource.h"
#include "support/modal_dialog.h"
#include "support/test_support.h"
#include "view/zelbrin_view.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QMessageBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QRadioButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <pwd.h>
#include <set>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// CUPS answers in the user's language; these tests read its English answers.
[[maybe_unused]] const bool kCLocale = setenv("LC_ALL", "C.UTF-8", 1) == 0;

constexpr int kPpi = 60;
constexpr int kRenderDpi = 100;
const QRgb kRed = qRgb(220, 30, 30);
const QRgb kGreen = qRgb(30, 160, 60);

QString Run(const QString& program, const QStringList& args, int* exitCode = nullptr) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
}

// Where cups-pdf writes: its "Out" setting, ${HOME} being the job owner's home.
std::string CupsPdfFolder() {
    std::string out = "${HOME}/PDF";
    QFile conf("/etc/cups/cups-pdf.conf");
    if (conf.open(QIODevice::ReadOnly))
        for (const QByteArray& line : conf.readAll().split('\n'))
            if (line.trimmed().startsWith("Out "))
                out = line.trimmed().mid(4).trimmed().toStdString();
    const std::string home = getpwuid(getuid())->pw_dir;
    if (auto at = out.find("${HOME}"); at != std::string::npos)
        out.replace(at, 7, home);
    return out;
}

std::set<std::string> PdfsIn(const std::string& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec))
        if (e.path().extension() == ".pdf")
            names.insert(e.path().string());
    return names;
}

// Waits until the queue has no job left and a new PDF has appeared.
std::string WaitForPrintedPdf(const std::string& folder, const std::set<std::string>& before) {
    for (int i = 0; i < 600; ++i) {
        const bool queued = !Run("lpstat", {"-o", "ZelbrinTestPDF"}).trimmed().isEmpty();
        for (const std::string& f : PdfsIn(folder))
            if (!before.count(f) && !queued && fs::file_size(f) > 0)
                return f;
        QThread::msleep(100);
    }
    return {};
}

QImage RenderPdf(const std::string& pdf, const std::string& prefix) {
    Run("pdftoppm", {"-r", QString::number(kRenderDpi), "-png", "-singlefile",
                     QString::fromStdString(pdf), QString::fromStdString(prefix)});
    return QImage(QString::fromStdString(prefix + ".png")).convertToFormat(QImage::Format_RGB32);
}

int PdfPages(const std::string& pdf) {
    const QString info = Run("pdfinfo", {QString::fromStdString(pdf)});
    for (const QString& line : info.split('\n'))
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return -1;
}

bool Near(QRgb a, QRgb b, int tolerance = 40) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Rendered pixel of a view coordinate on paper printed at dpi with the
// printable area's top-left at (left, top) printer pixels.
struct Paper {
    int dpi, left, top;
    QPoint At(int x, int y) const {
        const float scale = static_cast<float>(dpi) / kPpi;
        return QPoint((left + static_cast<int>(x * scale)) * kRenderDpi / dpi,
                      (top + static_cast<int>(y * scale)) * kRenderDpi / dpi);
    }
};

// Mean difference of neighbouring pixels along a row: stripes one full-size
// column wide stay sharp, the half-size picture is an even grey.
int Contrast(const QImage& img, QPoint from, int length) {
    int sum = 0;
    for (int x = 0; x < length; ++x)
        sum += std::abs(qRed(img.pixel(from.x() + x, from.y())) -
                        qRed(img.pixel(from.x() + x + 1, from.y())));
    return sum / length;
}

struct Placed {
    const char* file;
    RECT place;
};
// Stripes of one-pixel columns at full size (101 x 75), a red and a green picture.
const Placed kPictures[] = {
    {"stripes.jpg", {20, 20, 424, 320}},
    {"red.jpg", {260, 340, 420, 460}},
    {"gone.jpg", {20, 340, 180, 460}},
};
const RECT kTextPlace{260, 360, 420, 440};

class Printing : public ::testing::Test {
public:
    void SetUp() override {
        SetScreenMetricsOverride(1024, 768);
        CWinApp::SetProfileRoot(store.path());
        ASSERT_EQ(AfxGetAppPrinter().printerName(), "ZelbrinTestPDF")
            << "the printing tests need PRINTER=ZelbrinTestPDF (scripts/cups_queue.sh)";
        ASSERT_FALSE(AfxAppPrinterIsFallback());
    }
    void TearDown() override {
        if (app) {
            app->ExitInstance();
            app.reset();
        }
        ClearScreenMetricsOverride();
    }
    // Writes the album of kPictures and a text above the red picture.
    std::string MakeAlbum() {
        std::vector<unsigned char> px(101 * 75 * 3);
        for (int y = 0; y < 75; ++y)
            for (int x = 0; x < 101; ++x)
                std::memset(&px[static_cast<std::size_t>((y * 101 + x) * 3)], x % 2 ? 255 : 0, 3);
        EXPECT_TRUE(WriteJpegPicture(px.data(), dir.File("stripes.jpg").c_str(), 101, 75, 95));
        MakeSolidJpeg(dir.File("red.jpg"), 80, 60, qRed(kRed), qGreen(kRed), qBlue(kRed));
        MakeSolidJpeg(dir.File("gone.jpg"), 80, 60, qRed(kGreen), qGreen(kGreen), qBlue(kGreen));
        CZelbrinDoc doc;
        doc.OnNewDocument();
        for (const Placed& p : kPictures) {
            EXPECT_TRUE(doc.AddPicture(dir.File(p.file).c_str()));
            PageItem item = doc.GetLastItem();
            item.rcPlace = p.place;
            doc.SetLastItem(item);
        }
        PageItem text = TextItem("WWW", kTextPlace);
        std::strcpy(text.szFontName, "Liberation Sans");
        text.crColor = RGB(0, 0, 255);
        text.bBold = 1;
        doc.AppendItem(text);
        doc.MoveItemToBottom(doc.GetLastIndex()); // text first: it must still lie on top
        const std::string album = dir.File("page.alb");
        EXPECT_TRUE(doc.SetAlbumPath(album.c_str()));
        EXPECT_TRUE(doc.WriteAlbumFile());
        return album;
    }
    // The album's small pictures print softly; the warning of that is asked
    // for by warnSoft, and has a test of its own.
    void Start(const std::string& album = {}, bool warnSoft = false) {
        app = std::make_unique<CZelbrinApp>();
        app->m_args = {"--ppi", std::to_string(kPpi)};
        if (!album.empty())
            app->m_args.push_back(album);
        ASSERT_TRUE(app->InitInstance());
        if (!warnSoft)
            app->WriteProfileInt("Settings", "MinimumPrintPpi", 0);
        QCoreApplication::processEvents();
    }
    CMainFrame& Frame() { return *app->GetMainFrame(); }
    CZelbrinView& View() { return *app->GetView(); }
    bool Resizable() { return (Frame().GetStyle() & (WS_THICKFRAME | WS_MAXIMIZEBOX)) != 0; }
    // The client area is the page at the view's pixels per inch.
    void ExpectPageLayout() {
        int h = 0, w = 0;
        View().GetClientExtent(h, w);
        EXPECT_EQ(w, static_cast<int>(kPpi * View().m_fPageWidthInches));
        EXPECT_EQ(h, static_cast<int>(kPpi * View().m_fPageHeightInches));
    }
    Paper PaperOf(const QPrinter& printer) {
        const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
        return Paper{printer.resolution(), paint.left(), paint.top()};
    }
    // Where every item landed on the rendered sheet.
    void ExpectPrintedPage(const QImage& page, const Paper& paper) {
        ASSERT_FALSE(page.isNull());
        for (const Placed& p : kPictures) {
            const QPoint tl = paper.At(p.place.left, p.place.top);
            const QPoint br = paper.At(p.place.right, p.place.bottom);
            SCOPED_TRACE(p.file);
            EXPECT_TRUE(Near(page.pixel(tl - QPoint(3, 3)), qRgb(255, 255, 255)));
            EXPECT_TRUE(Near(page.pixel(br + QPoint(2, 2)), qRgb(255, 255, 255)));
            if (std::string(p.file) == "stripes.jpg") {
                // Full-size columns: sharp stripes, not the half-size grey.
                EXPECT_GT(Contrast(page, QPoint(tl.x() + 10, (tl.y() + br.y()) / 2), 100), 20);
            } else {
                const QRgb want = std::string(p.file) == "red.jpg" ? kRed : kGreen;
                EXPECT_TRUE(Near(page.pixel(tl + QPoint(3, 3)), want));
                EXPECT_TRUE(Near(page.pixel(br - QPoint(3, 3)), want));
            }
        }
        // The text, first in the page's array, lies above the red picture.
        int blue = 0;
        const QPoint tl = paper.At(kTextPlace.left, kTextPlace.top);
        const QPoint br = paper.At(kTextPlace.right, kTextPlace.bottom);
        for (int y = tl.y(); y < br.y(); ++y)
            for (int x = tl.x(); x < br.x(); ++x)
                blue += Near(page.pixel(x, y), qRgb(0, 0, 255), 90);
        EXPECT_GT(blue, 50);
    }

    TempDir store;
    TempDir dir;
    std::unique_ptr<CZelbrinApp> app;
};

// Print through CUPS without the dialog (command 57608): one sheet, every item
// where the page has it, pictures from their full-size files; a picture whose
// file is gone prints from its half-size pixels and the user is told once.
// --print-pdf writes the same sheet.
TEST_F(Printing, ThroughCupsAndIntoAPdfFile) {
    const std::string album = MakeAlbum();
    Start(album);
    ASSERT_EQ(app->GetDocument()->GetItemCount(), 4);
    std::remove(dir.File("gone.jpg").c_str());
    const std::string folder = CupsPdfFolder();
    const auto before = PdfsIn(folder);
    MessageBoxRecorder boxes;
    ASSERT_TRUE(Frame().OnCommand(ID_FILE_PRINT_DIRECT));
    ASSERT_EQ(boxes.texts().size(), 1u);
    EXPECT_NE(boxes.texts()[0].find("reduced resolution"), std::string::npos);
    EXPECT_NE(boxes.texts()[0].find("gone.jpg"), std::string::npos);
    EXPECT_EQ(boxes.texts()[0].find("stripes.jpg"), std::string::npos);
    EXPECT_FALSE(Resizable());
    ExpectPageLayout();

    const std::string printed = WaitForPrintedPdf(folder, before);
    ASSERT_FALSE(printed.empty()) << "no PDF from cups-pdf in " << folder;
    EXPECT_EQ(PdfPages(printed), 1);
    const Paper paper = PaperOf(AfxGetAppPrinter());
    const QImage sheet = RenderPdf(printed, dir.File("cups"));
    ExpectPrintedPage(sheet, paper);
    fs::remove(printed);

    // The command line prints the same sheet into a PDF file.
    MakeSolidJpeg(dir.File("gone.jpg"), 80, 60, qRed(kGreen), qGreen(kGreen), qBlue(kGreen));
    const std::string pdf = dir.File("page.pdf");
    QProcess p;
    p.start(ZELBRIN_EXE, {"--ppi", QString::number(kPpi), "--print-pdf",
                          QString::fromStdString(pdf), QString::fromStdString(album)});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString err = p.readAllStandardError();
    EXPECT_EQ(p.exitCode(), 0) << err.toStdString();
    // Soft pictures are named, one line each, and printed anyway.
    EXPECT_EQ(err.count("pixels per inch (fewer than 150)"), 3) << err.toStdString();
    EXPECT_TRUE(err.contains("stripes.jpg prints at ")) << err.toStdString();
    EXPECT_EQ(PdfPages(pdf), 1);
    const QImage file = RenderPdf(pdf, dir.File("file"));
    ExpectPrintedPage(file, paper);
    EXPECT_EQ(file.size(), sheet.size());
}

// Ways a job or a preview ends: the frame is resizable with a maximise box
// only in between, and afterwards fixed and fitted to the page again.
TEST_F(Printing, FrameIsResizableOnlyWhilePrintingOrPreviewing) {
    struct Case {
        const char* name;
        std::function<void(Printing&)> end; // ends the preview shown
    };
    auto click = [](const char* text) {
        return [text](Printing& t) {
            QTest::mouseClick(t.View().GetPreview()->Button(text), Qt::LeftButton);
        };
    };
    const Case cases[] = {
        {"Close", click("Close")},
        {"Esc",
         [](Printing& t) { QTest::keyClick(t.View().GetPreview()->Widget(), Qt::Key_Escape); }},
        {"window's close button", [](Printing& t) { t.Frame().close(); }},
        {"Print... then cancelling the Print dialog",
         [click](Printing& t) {
             OnNextModal([](QDialog* d) { d->reject(); });
             click("Print...")(t);
         }},
    };
    Start();
    app->m_nNumPreviewPages = 2;
    const QSize startSize = Frame().size();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(Frame().OnCommand(ID_FILE_PRINT_PREVIEW));
        CPreviewView* preview = View().GetPreview();
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(Frame().GetPreviewWidget(), preview);
        EXPECT_TRUE(Resizable());
        EXPECT_TRUE(Frame().windowFlags() & Qt::WindowMaximizeButtonHint);
        Frame().showMaximized();
        QCoreApplication::processEvents();
        // One page; Next and Prev greyed; "PreviewPages" 2 shows two pages.
        EXPECT_EQ(preview->PageCount(), 1);
        EXPECT_FALSE(preview->Button("Next Page")->isEnabled());
        EXPECT_FALSE(preview->Button("Prev Page")->isEnabled());
        ASSERT_NE(preview->Button("One Page"), nullptr);
        EXPECT_EQ(preview->Widget()->viewMode(), QPrintPreviewWidget::FacingPagesView);
        c.end(*this);
        QCoreApplication::processEvents();
        EXPECT_EQ(View().GetPreview(), nullptr);
        EXPECT_FALSE(Resizable());
        EXPECT_FALSE(Frame().isMaximized());
        EXPECT_TRUE(Frame().isVisible());
        EXPECT_EQ(Frame().centralWidget(), &View());
        ExpectPageLayout();
        EXPECT_EQ(Frame().size(), startSize);
    }
    EXPECT_EQ(app->m_nNumPreviewPages, 2);

    // A cancelled Print dialog never reaches the job.
    OnNextModal([](QDialog* d) { d->reject(); });
    ASSERT_TRUE(Frame().OnCommand(ID_FILE_PRINT));
    EXPECT_FALSE(Resizable());
    EXPECT_EQ(Frame().size(), startSize);
}

// A queue that refuses the job: a message naming it, and the page as it was.
TEST_F(Printing, RefusedJobIsReportedAndChangesNothing) {
    Start(MakeAlbum());
    AfxGetAppPrinter().setPrinterName("ZelbrinTestRefusing");
    std::vector<RECT> places;
    for (int i = 0; i < app->GetDocument()->GetItemCount(); ++i)
        places.push_back(app->GetDocument()->GetItem(i).rcPlace);
    const float w = View().m_fPageWidthInches, h = View().m_fPageHeightInches;
    const QSize size = Frame().size();
    MessageBoxRecorder boxes;
    ASSERT_TRUE(Frame().OnCommand(ID_FILE_PRINT_DIRECT));
    AfxGetAppPrinter().setPrinterName("ZelbrinTestPDF");
    ASSERT_EQ(boxes.texts().size(), 1u);
    EXPECT_NE(boxes.texts()[0].find("ZelbrinTestRefusing"), std::string::npos);
    EXPECT_NE(boxes.texts()[0].find("not accepting"), std::string::npos);
    for (int i = 0; i < app->GetDocument()->GetItemCount(); ++i)
        EXPECT_EQ(app->GetDocument()->GetItem(i).rcPlace, places[static_cast<std::size_t>(i)]);
    EXPECT_FLOAT_EQ(View().m_fPageWidthInches, w);
    EXPECT_FLOAT_EQ(View().m_fPageHeightInches, h);
    EXPECT_FALSE(Resizable());
    EXPECT_EQ(Frame().size(), size);

    // The command line says so too, and fails.
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PRINTER", "ZelbrinTestRefusing");
    p.setProcessEnvironment(env);
    p.start(ZELBRIN_EXE, {"--print", QString::fromStdString(dir.File("page.alb"))});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_NE(p.readAllStandardError().indexOf("ZelbrinTestRefusing"), -1);
}

// Print (57608) with Cancel pressed in the "Printing" box as soon as it exists.
bool PrintCancelled(CMainFrame& frame) {
    bool cancelled = false;
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QProgressDialog*>(w); box && !cancelled) {
                EXPECT_EQ(box->windowTitle(), "Printing");
                box->cancel();
                cancelled = true;
            }
    });
    cancel.start(0);
    EXPECT_TRUE(frame.OnCommand(ID_FILE_PRINT_DIRECT));
    return cancelled;
}

// Cancel in the "Printing" box ends the job: nothing reaches the queue, no
// message, and the frame is fixed at the page's size again.
TEST_F(Printing, CancelledJobSendsNothing) {
    Start(MakeAlbum());
    const QStringList jobs{"-W", "all", "-o", "ZelbrinTestPDF"};
    const QString before = ::Run("lpstat", jobs);
    MessageBoxRecorder boxes;
    ASSERT_TRUE(PrintCancelled(Frame()));
    EXPECT_TRUE(boxes.texts().empty());
    EXPECT_EQ(::Run("lpstat", jobs), before);
    EXPECT_FALSE(Resizable());
    ExpectPageLayout();
}

// Pictures that print below the minimum are named before the job starts; the
// user may stop there, and may turn the warning off.
TEST_F(Printing, SoftPicturesAreNamedBeforeTheJob) {
    Start(MakeAlbum(), true);
    const QStringList jobs{"-W", "all", "-o", "ZelbrinTestPDF"};
    const QString before = ::Run("lpstat", jobs);
    QString text;
    OnNextModal([&](QDialog* box) {
        auto* mb = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(mb, nullptr);
        text = mb->text();
        mb->checkBox()->setChecked(true);
        for (QAbstractButton* b : mb->buttons())
            if (b->text() == "Do Not Print")
                b->click();
    });
    EXPECT_TRUE(Frame().OnCommand(ID_FILE_PRINT_DIRECT));
    EXPECT_TRUE(text.startsWith("These pictures print at fewer than 150 pixels per inch"));
    for (const char* name : {"stripes.jpg", "red.jpg", "gone.jpg"})
        EXPECT_TRUE(text.contains(name)) << name;
    EXPECT_TRUE(text.contains(" ppi"));
    EXPECT_EQ(::Run("lpstat", jobs), before); // nothing was sent
    EXPECT_EQ(app->GetProfileInt("Settings", "MinimumPrintPpi", 150), 0u);
    // With the minimum at 0 the job starts at once (and is cancelled here).
    ASSERT_TRUE(PrintCancelled(Frame()));
    EXPECT_EQ(::Run("lpstat", jobs), before);
}

// Printed into a PDF file (the print dialog's file printer): the file is
// replaced only by a finished job; a cancelled one leaves the old file, and
// neither leaves a temporary file beside it.
TEST_F(Printing, PdfFileIsReplacedOnlyByAFinishedJob) {
    Start(MakeAlbum());
    QPrinter& printer = AfxGetAppPrinter();
    const std::string pdf = dir.File("out.pdf");
    for (bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "cancelled" : "printed");
        WriteFileBytes(pdf, "the user's old file");
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        MessageBoxRecorder boxes;
        if (cancel)
            EXPECT_TRUE(PrintCancelled(Frame()));
        else
            EXPECT_TRUE(Frame().OnCommand(ID_FILE_PRINT_DIRECT));
        EXPECT_TRUE(boxes.texts().empty());
        EXPECT_EQ(ReadFileBytes(pdf).rfind("%PDF", 0) == 0, !cancel);
        if (!cancel) {
            EXPECT_EQ(PdfPages(pdf), 1);
        }
        EXPECT_EQ(printer.outputFileName().toStdString(), pdf);
        for (const std::string& f : FilesIn(dir.path()))
            EXPECT_EQ(f.find(".zelbrin-"), std::string::npos) << f;
    }
    printer.setOutputFileName({});
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName("ZelbrinTestPDF");
}

// The preview draws every time it asks for the page, also when the window
// repaints while a full-size picture is awaited (as it does on a real
// display): the decoding of the one drawing is not ended by another.
TEST_F(Printing, PreviewDrawsEveryRequestWhileTheWindowRepaints) {
    CZelbrinDoc doc;
    doc.OnNewDocument();
    for (int i = 0; i < 3; ++i) {
        const std::string file = dir.File("large" + std::to_string(i) + ".jpg");
        MakeSolidJpeg(file, 2400, 1800, qRed(kRed), qGreen(kRed), qBlue(kRed));
        ASSERT_TRUE(doc.AddPicture(file.c_str()));
        PageItem item = doc.GetLastItem();
        item.rcPlace = RECT{20 + i * 130, 20, 140 + i * 130, 110};
        doc.SetLastItem(item);
    }
    ASSERT_TRUE(doc.SetAlbumPath(dir.File("large.alb").c_str()));
    ASSERT_TRUE(doc.WriteAlbumFile());
    Start(dir.File("large.alb"));
    int repaints = 0;
    SetPictureWaitHook([&](std::size_t done, std::size_t total) {
        if (done < total && repaints++ < 20)
            View().RedrawPage();
    });
    testing::internal::CaptureStderr();
    ASSERT_TRUE(Frame().OnCommand(ID_FILE_PRINT_PREVIEW));
    CPreviewView* preview = View().GetPreview();
    ASSERT_NE(preview, nullptr);
    int drawn = 0;
    QObject::connect(preview->Widget(), &QPrintPreviewWidget::previewChanged, [&] { ++drawn; });
    auto click = [&](const char* text) {
        return [=] { QTest::mouseClick(preview->Button(text), Qt::LeftButton); };
    };
    const std::pair<const char*, std::function<void()>> requests[] = {
        {"update", [=] { preview->Widget()->updatePreview(); }},
        {"Zoom In", click("Zoom In")},
        {"Zoom Out", click("Zoom Out")},
        {"Two Page", click("Two Page")},
        {"resize", [&] { Frame().resize(Frame().size() + QSize(120, 80)); }},
        {"update again", [=] { preview->Widget()->updatePreview(); }},
    };
    for (const auto& [name, request] : requests) {
        SCOPED_TRACE(name);
        const int before = drawn;
        request();
        QCoreApplication::processEvents();
        if (std::string(name).rfind("update", 0) == 0) {
            EXPECT_GT(drawn, before); // recorded anew
        }
        EXPECT_EQ(preview->PageCount(), 1);
        // The page's pictures are on the preview.
        const QImage shown = preview->Widget()->grab().toImage();
        int red = 0;
        for (int y = 0; y < shown.height(); y += 4)
            for (int x = 0; x < shown.width(); x += 4)
                red += Near(shown.pixel(x, y), kRed);
        EXPECT_GT(red, 20);
    }
    preview->onClose();
    SetPictureWaitHook({});
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.find("picture "), std::string::npos) << err; // no decoding fault
    EXPECT_GT(repaints, 0);
}

// A job that was cancelled or failed says nothing about how its pictures
// would have printed; one that printed names those from half-size pixels.
TEST_F(Printing, OnlyAPrintedJobTellsOfReducedResolution) {
    Start(MakeAlbum());
    std::remove(dir.File("gone.jpg").c_str());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir.File("job.pdf")));
    for (const char* ending : {"printed", "cancelled", "failed"}) {
        SCOPED_TRACE(ending);
        MessageBoxRecorder boxes;
        CPrinterDC dc(&printer);
        CPrintInfo info;
        View().OnBeginPrinting(&dc, &info);
        ASSERT_GE(dc.StartDoc("job"), 0);
        dc.StartPage();
        View().OnDraw(&dc);
        dc.EndPage();
        dc.EndDoc();
        info.m_bCancelled = std::string(ending) == "cancelled";
        info.m_bFailed = std::string(ending) == "failed";
        View().OnEndPrinting(&dc, &info);
        ASSERT_EQ(boxes.texts().size(), std::string(ending) == "printed" ? 1u : 0u);
        if (!boxes.texts().empty()) {
            EXPECT_NE(boxes.texts()[0].find("gone.jpg"), std::string::npos);
        }
    }
}

// Print Setup chooses the printer, and landscape turns the page's inches: the
// frame widens, the items keep their pixels and the pixels per inch stay; an
// item now below the page's edge is offered to be pulled in.
TEST_F(Printing, LandscapeInPrintSetupTurnsThePage) {
    Start(MakeAlbum());
    const float w = View().m_fPageWidthInches, h = View().m_fPageHeightInches;
    ASSERT_LT(w, h);
    const int frameWidth = Frame().width();
    CZelbrinDoc& doc = *app->GetDocument();
    const RECT place = doc.GetItem(0).rcPlace;
    const int low = static_cast<int>(kPpi * h) - 40;
    doc.AppendItem(TextItem("Low", RECT{20, low, 120, low + 30}));
    MessageBoxRecorder boxes(IDYES);
    OnNextModal([](QDialog* d) {
        QRadioButton* landscape = nullptr;
        for (QRadioButton* r : d->findChildren<QRadioButton*>())
            if (r->text().remove('&') == "Landscape")
                landscape = r;
        ASSERT_NE(landscape, nullptr);
        landscape->click();
        QComboBox* printers = d->findChildren<QComboBox*>().value(0);
        ASSERT_NE(printers, nullptr);
        printers->setCurrentText("ZelbrinTestRefusing");
        d->accept();
    });
    ASSERT_TRUE(Frame().OnCommand(ID_FILE_PRINT_SETUP));
    EXPECT_EQ(AfxGetAppPrinter().printerName(), "ZelbrinTestRefusing");
    EXPECT_EQ(AfxGetAppPrinter().pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_NEAR(View().m_fPageWidthInches, h, 0.01);
    EXPECT_NEAR(View().m_fPageHeightInches, w, 0.01);
    EXPECT_EQ(View().m_nPixelsPerInch, kPpi);
    EXPECT_GT(Frame().width(), frameWidth);
    EXPECT_EQ(doc.GetItem(0).rcPlace, place);
    ExpectPageLayout();
    EXPECT_FALSE(Resizable());
    ASSERT_EQ(boxes.texts().size(), 1u);
    EXPECT_NE(boxes.texts()[0].find("\"Low\""), std::string::npos) << boxes.texts()[0];
    EXPECT_TRUE(doc.ItemsOutsidePage().empty());
    EXPECT_EQ(doc.m_bAlbumModified, 1);
}

} // namespace
