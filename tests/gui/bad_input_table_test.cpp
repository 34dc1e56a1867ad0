// A table of bad inputs from outside the program (albums, templates, JPEG
// files, settings, command lines), each with the outcome the user gets: the
// exact message (or the documented silent refusal), the exit status of the
// command line, and, in the editor, the album that was open left as it was.
#include "view/view_settings.h"
#include "document/album_format.h"
#include "document/fixed_text.h"
#include "document/zelbrin_doc.h"
#include "platform/qt/win_app.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QSettings>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

enum class Where { Album, Template, Jpeg, Settings, CommandLine };
// What the input path names: a file holding the bytes, nothing, or a folder.
enum class Source { Bytes, Missing, Folder };

struct BadInput {
    Where where;
    const char* name;
    std::string bytes;    // file contents; for settings the stored text; for a command line the
                          // arguments, separated by '|'
    std::string expected; // message with %1 for the input's path (%D for the scratch folder);
                          // empty for a silent refusal
    int exitStatus = 0;   // command line only
    Source source = Source::Bytes;
    const char* key = ""; // settings only: the entry, and the value it must load as
    double loadsAs = 0;
};

std::string Replace(std::string text, const std::string& what, const std::string& with) {
    for (std::size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

// A JPEG header whose frame promises w x h pixels, built from a small real file.
std::string WithFrameSize(std::string jpeg, int w, int h) {
    for (std::size_t i = 0; i + 8 < jpeg.size(); ++i)
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF &&
            (static_cast<unsigned char>(jpeg[i + 1]) & 0xFE) == 0xC0) {
            jpeg[i + 5] = static_cast<char>(h >> 8);
            jpeg[i + 6] = static_cast<char>(h & 0xFF);
            jpeg[i + 7] = static_cast<char>(w >> 8);
            jpeg[i + 8] = static_cast<char>(w & 0xFF);
            break;
        }
    return jpeg;
}

std::string SmallJpeg() {
    TempDir dir;
    MakeJpeg(dir.File("s.jpg"), 16, 16);
    return ReadFileBytes(dir.File("s.jpg"));
}

std::string GrayJpeg(bool cmyk = false) {
    TempDir dir;
    MakeGrayJpeg(dir.File("g.jpg"), 16, 16, cmyk);
    return ReadFileBytes(dir.File("g.jpg"));
}

std::string FuzzData(const char* name) {
    return ReadFileBytes(std::string(ZELBRIN_FUZZ_DATA) + "/" + name);
}

const std::string kBadFormat = "Unexpected file format.";
const std::string kTemplate = "Cannot load the template %1: ";

std::vector<BadInput> Table() {
    const std::string jpeg = SmallJpeg();
    const std::string rec = "0 1 1\r\na.jpg\r\na.jpg\r\n";
    return {
        // Albums: every refusal leaves the page as it was.
        {Where::Album, "empty file", "", kBadFormat},
        {Where::Album, "older version", "3\r\n0\r\n",
         "Incompatible document version.  Cannot open."},
        {Where::Album, "version out of range", "99999999999999999999\r\n0\r\n", kBadFormat},
        {Where::Album, "version with letters", "4x\r\n0\r\n", kBadFormat},
        {Where::Album, "no count", "4\r\n", kBadFormat},
        {Where::Album, "negative count", "4\r\n-1\r\n", kBadFormat},
        {Where::Album, "count far beyond the file", "4\r\n2147483647\r\n" + rec, kBadFormat},
        {Where::Album, "record cut short", "4\r\n1\r\n" + rec + "1 2 3 4\r\n", kBadFormat},
        {Where::Album, "coordinate beyond 32 bits",
         "4\r\n1\r\n" + rec + "0 0 2147483648 5\r\n0 0 1 1\r\n", kBadFormat},
        {Where::Album, "rectangle of three numbers", "4\r\n1\r\n" + rec + "0 0 5\r\n0 0 1 1\r\n",
         kBadFormat},
        {Where::Album, "kind beyond 16 bits",
         "4\r\n1\r\n40000 1 1\r\na\r\nb\r\n0 0 1 1\r\n0 0 1 1\r\n", kBadFormat},
        {Where::Album, "text never closed", "4\r\n1\r\n1 0 0\r\nopen\r\ntext\r\n", kBadFormat},
        {Where::Album, "style line of words",
         "4\r\n1\r\n1 0 0\r\nHi^\r\nArial\r\nred bold no no\r\n0 0 9 9\r\n0 0 1 1\r\n", kBadFormat},
        {Where::Album, "NUL bytes in a text", FuzzData("album/text-with-nul-bytes.alb"),
         kBadFormat},
        {Where::Album, "a JPEG file named .alb", jpeg, kBadFormat},
        {Where::Album, "missing file", "", "%1 was not found.", 0, Source::Missing},
        {Where::Album, "a folder", "", "Unable to read from %1.", 0, Source::Folder},

        // Templates: the slots and the page stay as they were.
        {Where::Template, "empty file", "", kTemplate + "its first line is not a number of slots."},
        {Where::Template, "count of words", "six\r\n\r\n",
         kTemplate + "its first line is not a number of slots."},
        {Where::Template, "more slots than a template holds", "101\r\n\r\n",
         kTemplate + "it announces 101 slots, more than the 100 a template can hold."},
        {Where::Template, "too few numbers", "2\r\n\r\n0.5\r\n0.5\r\n0.2\r\n0.2\r\n\r\n0.1\r\n",
         kTemplate + "it ends before the 2 slots it announces."},
        {Where::Template, "a number of words", "1\r\n\r\n0.5\r\nhalf\r\n0.2\r\n0.2\r\n",
         kTemplate + "a value of slot 1 is not a number."},
        {Where::Template, "not finite", "1\r\n\r\n0.5\r\n0.5\r\ninf\r\n0.2\r\n",
         kTemplate + "a value of slot 1 is not a fraction of the page."},
        {Where::Template, "beyond any page", "1\r\n\r\n0.5\r\n0.5\r\n1e9\r\n0.2\r\n",
         kTemplate + "a value of slot 1 is not a fraction of the page."},
        {Where::Template, "count beyond int", "99999999999\r\n\r\n",
         kTemplate + "its first line is not a number of slots."},
        {Where::Template, "missing file", "", "%1 was not found.", 0, Source::Missing},

        // JPEG files: the reader's line on stderr; the insert is reported and
        // the page keeps its items.
        {Where::Jpeg, "empty file", "", "Empty input file\nerror opening %1\n"},
        {Where::Jpeg, "not a JPEG file", "GIF89a....",
         "Not a JPEG file: starts with 0x47 0x49\nerror opening %1\n"},
        {Where::Jpeg, "cut inside the header", jpeg.substr(0, 40),
         "Premature end of JPEG file\nJPEG datastream contains no image\nerror opening %1\n"},
        {Where::Jpeg, "missing file", "", "can't open %1\n", 0, Source::Missing},
        {Where::Jpeg, "a folder", "", "can't open %1\n", 0, Source::Folder},
        {Where::Jpeg, "grayscale (silent refusal)", GrayJpeg(), ""},
        {Where::Jpeg, "CMYK (silent refusal)", GrayJpeg(true), ""},
        {Where::Jpeg, "wider than a row can hold", WithFrameSize(jpeg, 21846, 8),
         "%1: picture of 10923 x 4 pixels is too large\n"},
        {Where::Jpeg, "more than 256 MiB decoded", WithFrameSize(jpeg, 20000, 20000),
         "%1: picture of 10000 x 10000 pixels is too large\n"},
        {Where::Jpeg, "huge picture over a tiny file",
         FuzzData("jpeg/huge-header-over-tiny-file.jpg"),
         "%1: 21844 x 16380 pixels from 713 bytes, refused\n"},
        {Where::Jpeg, "thousand progressive scans",
         FuzzData("jpeg/thousand-empty-progressive-scans.jpg"),
         "Corrupt JPEG data: premature end of data segment\n%1: more than 100 scans, refused\n"},

        // Settings: garbage loads as the leading decimal number or the default.
        {Where::Settings, "switch of words", "yes", "", 0, Source::Bytes, "Gridlines/Enable", 0},
        {Where::Settings, "switch beyond int", "99999999999", "", 0, Source::Bytes,
         "Gridlines/Show", 0},
        {Where::Settings, "switch of 7 kept", "7", "", 0, Source::Bytes, "Template/Lock", 7},
        {Where::Settings, "spacing of words", "wide", "", 0, Source::Bytes,
         "Gridlines/Vert Spacing", 0.0},
        {Where::Settings, "spacing with a unit", "2.5cm", "", 0, Source::Bytes,
         "Gridlines/Horiz Spacing", 2.5},
        {Where::Settings, "spacing beyond float", "1e999", "", 0, Source::Bytes,
         "Gridlines/Vert Spacing", std::numeric_limits<double>::infinity()},
        {Where::Settings, "negative spacing", "-3", "", 0, Source::Bytes, "Gridlines/Horiz Spacing",
         -3.0},
        {Where::Settings, "spacing nan", "nan", "", 0, Source::Bytes, "Gridlines/Vert Spacing",
         0.0},

        // Command lines: one line, and exit status 2 for a bad value.
        {Where::CommandLine, "unknown option", "--frobnicate",
         "zelbrin: unknown option --frobnicate", 2},
        {Where::CommandLine, "width 0", "--export-jpeg|%D/o.jpg|--width|0",
         "zelbrin: --width must lie between 1 and 3000", 2},
        {Where::CommandLine, "height of letters", "--export-jpeg|%D/o.jpg|--height|12x",
         "zelbrin: --height needs a whole positive number, not \"12x\"", 2},
        {Where::CommandLine, "ppi too large", "--ppi|1001|--print-pdf|%D/o.pdf",
         "zelbrin: --ppi must lie between 1 and 1000", 2},
        {Where::CommandLine, "width beyond int", "--export-jpeg|%D/o.jpg|--width|99999999999",
         "zelbrin: --width needs a whole positive number, not \"99999999999\"", 2},
        {Where::CommandLine, "two albums", "a.alb|b.alb",
         "zelbrin: only one album may be given (put pictures after --insert)", 2},
        {Where::CommandLine, "missing template", "--template|%D/none.zbt|--save-as|%D/o.alb",
         "zelbrin: --template: %D/none.zbt is not a readable file", 2},
        {Where::CommandLine, "output into no folder", "--save-as|%D/no/o.alb",
         "zelbrin: --save-as: the folder of %D/no/o.alb does not exist", 2},
        {Where::CommandLine, "output onto a folder", "--export-jpeg|%D",
         "zelbrin: --export-jpeg: %D is a folder", 2},
        {Where::CommandLine, "empty PDF name", "--print-pdf|",
         "zelbrin: --print-pdf needs a file name", 2},
        {Where::CommandLine, "album that does not read", "--export-jpeg|%D/o.jpg|%D/bad.alb",
         "zelbrin: Unexpected file format.", 1},
    };
}

// What must not change in the open album when a bad input is refused.
std::string Snapshot(const CZelbrinDoc& doc) {
    std::vector<AlbumRecord> records;
    for (int i = 0; i < doc.GetItemCount(); ++i) {
        AlbumRecord r;
        r.item = doc.ItemAt(i);
        r.relPath = r.item.szRelPath;
        r.fullPath = r.item.szPath;
        records.push_back(r);
    }
    return FormatAlbumText(records) + "|" + doc.m_szAlbumPath + "|" + doc.GetTitle() + "|" +
           std::to_string(doc.m_bAlbumModified) + "|" + std::to_string(doc.m_nSlotCount);
}

// Runs f with stderr going into a file; returns what was written.
template <class F> std::string CaptureStderr(const TempDir& dir, F f) {
    std::fflush(stderr);
    const std::string path = dir.File("stderr.txt");
    const int saved = dup(2);
    std::FILE* out = std::fopen(path.c_str(), "wb");
    dup2(fileno(out), 2);
    f();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    std::fclose(out);
    return ReadFileBytes(path);
}

std::string FirstLine(const QString& text) {
    return text.section('\n', 0, 0).toStdString();
}

TEST(BadInputs, EachGetsItsOutcomeAndTheOpenAlbumStays) {
    TempDir dir;
    MakeJpeg(dir.File("a.jpg"), 64, 48);
    // The album open in the editor: a picture and a text item.
    AlbumRecord picture, text;
    picture.item.nKind = ITEM_PICTURE;
    picture.item.rcPlace = RECT{10, 20, 74, 68};
    picture.item.rcSource = RECT{0, 0, 32, 24};
    picture.relPath = picture.fullPath = "a.jpg";
    text.item.nKind = ITEM_TEXT;
    text.item.rcPlace = RECT{5, 100, 205, 140};
    CopyToField(text.item.szText, "Holiday");
    CopyToField(text.item.szFontName, "Arial");
    WriteFileBytes(dir.File("open.alb"), FormatAlbumText({picture, text}));
    WriteFileBytes(dir.File("bad.alb"), "4\r\n3\r\n");

    const auto table = Table();
    ASSERT_GE(table.size(), 40u);
    int n = 0;
    for (const BadInput& row : table) {
        SCOPED_TRACE(row.name);
        const std::string path =
            row.source == Source::Folder ? dir.path() : dir.File("input" + std::to_string(n++));
        if (row.source == Source::Bytes)
            WriteFileBytes(path, row.bytes);
        const std::string expected = Replace(Replace(row.expected, "%1", path), "%D", dir.path());

        if (row.where == Where::Settings) {
            CWinApp::SetProfileRoot(dir.path());
            CWinApp app("Zelbrin");
            app.SetRegistryKey("Local AppWizard-Generated Applications");
            {
                QSettings s(QSettings::NativeFormat, QSettings::UserScope,
                            "Local AppWizard-Generated Applications", "Zelbrin");
                s.clear();
                s.setValue(row.key, QString::fromStdString(row.bytes));
            }
            const ViewSettings v = LoadViewSettings(app);
            const std::string key = row.key;
            const double got = key == "Gridlines/Enable"         ? v.bSnapToGrid
                               : key == "Gridlines/Show"         ? v.bShowGrid
                               : key == "Template/Lock"          ? v.bSnapToTemplate
                               : key == "Gridlines/Vert Spacing" ? v.fVertSpacing
                                                                 : v.fHorizSpacing;
            EXPECT_EQ(got, row.loadsAs);
            continue;
        }
        if (row.where == Where::CommandLine) {
            QStringList args;
            for (const QString& a : QString::fromStdString(row.bytes).split('|'))
                args << QString(a).replace("%D", QString::fromStdString(dir.path()));
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("QT_QPA_PLATFORM", "offscreen");
            env.insert("XDG_RUNTIME_DIR", QString::fromStdString(dir.path()));
            p.setProcessEnvironment(env);
            p.setWorkingDirectory(QString::fromStdString(dir.path()));
            p.start(ZELBRIN_EXE, args);
            ASSERT_TRUE(p.waitForFinished(60000));
            EXPECT_EQ(p.exitCode(), row.exitStatus);
            EXPECT_EQ(FirstLine(QString::fromUtf8(p.readAllStandardError())), expected);
            EXPECT_FALSE(FileExists(dir.File("o.alb")) || FileExists(dir.File("o.jpg")));
            continue;
        }

        CZelbrinDoc doc;
        MessageBoxRecorder boxes;
        ASSERT_TRUE(doc.OnOpenDocument(dir.File("open.alb").c_str()));
        ASSERT_EQ(doc.GetItemCount(), 2);
        const std::string before = Snapshot(doc);
        std::string err;
        if (row.where == Where::Album) {
            EXPECT_FALSE(doc.OnOpenDocument(path.c_str()));
            EXPECT_EQ(boxes.texts(), std::vector<std::string>{expected});
        } else if (row.where == Where::Template) {
            EXPECT_FALSE(doc.LoadTemplateFile(path.c_str()));
            EXPECT_EQ(boxes.texts(), std::vector<std::string>{expected});
        } else {
            err = CaptureStderr(dir, [&] {
                doc.InsertPictures({path});
                doc.ReportFailedInserts();
            });
            EXPECT_EQ(err, expected);
            ASSERT_EQ(boxes.texts().size(), 1u);
            EXPECT_NE(boxes.texts()[0].find("(not a readable JPEG picture)"), std::string::npos);
        }
        EXPECT_EQ(Snapshot(doc), before);
    }
}

} // namespace
