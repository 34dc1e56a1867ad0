// File dialogs: filter strings, flags, default extension, multiple selection
// and the working folder after OK.
#include "platform/qt/file_dialog.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

TEST(FileFilterParsing, SplitsNamesAndPatterns) {
    std::vector<FileFilter> f = ParseFileFilter("A|*.x|B|*.y;*.z||");
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].name, "A");
    EXPECT_EQ(f[0].patterns, (std::vector<std::string>{"*.x"}));
    EXPECT_EQ(f[1].name, "B");
    EXPECT_EQ(f[1].patterns, (std::vector<std::string>{"*.y", "*.z"}));
}

TEST(FileFilterParsing, SingleTrailingBarAndOddForms) {
    std::vector<FileFilter> f = ParseFileFilter("Album files (*.alb)|*.alb|");
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].name, "Album files (*.alb)");
    EXPECT_EQ(f[0].patterns, (std::vector<std::string>{"*.alb"}));
    EXPECT_TRUE(ParseFileFilter(nullptr).empty());
    EXPECT_TRUE(ParseFileFilter("").empty());
    EXPECT_TRUE(ParseFileFilter("Name only|").empty());
    EXPECT_EQ(ParseFileFilter("A|*.x").size(), 1u);
}

TEST(FileFilterParsing, QtFiltersMatchEitherCase) {
    QStringList q = QtNameFilters(ParseFileFilter("JPEG Files (*.jpg)|*.jpg|Two|*.a;*.b1||"));
    EXPECT_EQ(q, (QStringList{"JPEG Files (*.jpg) (*.[jJ][pP][gG])", "Two (*.[aA] *.[bB]1)"}));
    // Qt reads the patterns from the last parenthesis.
    QFileDialog probe;
    probe.setOption(QFileDialog::DontUseNativeDialog);
    probe.setNameFilters(q);
    EXPECT_EQ(probe.nameFilters().size(), 2);
}

class FileDialogAnswers : public ::testing::Test {
protected:
    void SetUp() override { m_oldCwd = QDir::currentPath(); }
    void TearDown() override {
        CFileDialog::SetAnswerHook({});
        QDir::setCurrent(m_oldCwd);
    }
    void Answer(std::optional<std::vector<std::string>> paths) {
        CFileDialog::SetAnswerHook([this, paths](const CFileDialog& dlg) {
            m_seen = &dlg;
            m_flags = dlg.GetFlags();
            m_initial = dlg.GetInitialName();
            m_defExt = dlg.GetDefExt();
            m_filterCount = dlg.GetFilters().size();
            return paths;
        });
    }

    TempDir dir;
    QString m_oldCwd;
    const CFileDialog* m_seen = nullptr;
    DWORD m_flags = 0;
    std::string m_initial, m_defExt;
    std::size_t m_filterCount = 0;
};

std::string Canonical(const std::string& p) {
    return std::filesystem::canonical(p).string();
}

TEST_F(FileDialogAnswers, OkGivesThePathAndMovesTheWorkingFolder) {
    std::filesystem::create_directory(dir.File("albums"));
    std::string album = dir.File("albums/page.two.alb");
    WriteFileBytes(album, "x");
    Answer(std::vector<std::string>{album});
    CFileDialog dlg(TRUE, "alb", nullptr, OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                    "Album files (*.alb)|*.alb|");
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(m_seen, &dlg);
    EXPECT_EQ(m_flags, OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY);
    EXPECT_EQ(m_defExt, "alb");
    EXPECT_EQ(m_filterCount, 1u);
    EXPECT_EQ(dlg.GetPathName(), album);
    EXPECT_EQ(dlg.GetFileName(), "page.two.alb");
    EXPECT_EQ(dlg.GetFileTitle(), "page.two");
    EXPECT_EQ(dlg.GetFileExt(), "alb");
    EXPECT_EQ(Canonical(QDir::currentPath().toStdString()), Canonical(dir.File("albums")));
}

TEST_F(FileDialogAnswers, CancelLeavesEverythingAsItWas) {
    Answer(std::nullopt);
    CFileDialog dlg(FALSE, "alb", "Untitled", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    "Album files (*.alb)|*.alb|");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(m_initial, "Untitled");
    EXPECT_EQ(dlg.GetPathName(), "");
    EXPECT_EQ(QDir::currentPath(), m_oldCwd);
}

TEST_F(FileDialogAnswers, SavedNameWithoutExtensionTakesTheDefault) {
    Answer(std::vector<std::string>{dir.File("Untitled")});
    CFileDialog dlg(FALSE, "alb", "Untitled", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    "Album files (*.alb)|*.alb|");
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPathName(), dir.File("Untitled.alb"));

    Answer(std::vector<std::string>{dir.File("my.page")});
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPathName(), dir.File("my.page"));
}

TEST_F(FileDialogAnswers, MultipleSelectionKeepsTheOrderGiven) {
    std::vector<std::string> chosen = {dir.File("c.jpg"), dir.File("a.jpg"), dir.File("b.jpg")};
    Answer(chosen);
    CFileDialog multi(TRUE, "jpg", nullptr,
                      OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY,
                      "JPEG Files (*.jpg)|*.jpg|");
    ASSERT_EQ(multi.DoModal(), IDOK);
    EXPECT_EQ(multi.GetPathNames(), chosen);
    EXPECT_EQ(multi.GetPathName(), chosen[0]);

    CFileDialog single(TRUE, "jpg", nullptr, OFN_FILEMUSTEXIST, "JPEG Files (*.jpg)|*.jpg|");
    ASSERT_EQ(single.DoModal(), IDOK);
    EXPECT_EQ(single.GetPathNames(), std::vector<std::string>{chosen[0]});
}

// The real dialog, answered by picking a file in it.
TEST_F(FileDialogAnswers, QtDialogIsConfiguredFromTheArguments) {
    std::string picture = dir.File("Photo.JPG");
    WriteFileBytes(picture, "x");
    QDir::setCurrent(QString::fromStdString(dir.path()));
    QStringList filters;
    QString suffix;
    bool nonNative = false;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!d)
            return;
        filters = d->nameFilters();
        suffix = d->defaultSuffix();
        nonNative = d->testOption(QFileDialog::DontUseNativeDialog);
        mode = d->fileMode();
        d->selectFile(QString::fromStdString(picture));
        QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
    });
    CFileDialog dlg(TRUE, "jpg", nullptr,
                    OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY,
                    "JPEG Files (*.jpg)|*.jpg|");
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(filters, QStringList{"JPEG Files (*.jpg) (*.[jJ][pP][gG])"});
    EXPECT_EQ(suffix, "jpg");
    EXPECT_TRUE(nonNative);
    EXPECT_EQ(mode, QFileDialog::ExistingFiles);
    EXPECT_EQ(Canonical(dlg.GetPathName()), Canonical(picture));
}

} // namespace
