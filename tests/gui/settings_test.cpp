// The settings store: profile functions, the five view preferences with their
// defaults and number texts, the recent-file list and the preview page count.
#include "view/view_settings.h"
#include "platform/qt/win_app.h"
#include "support/test_support.h"
#include "geometry/page_math.h"

#include <gtest/gtest.h>

#include <QSettings>

#include <climits>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr const char* kOrganisation = "Local AppWizard-Generated Applications";

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override {
        CWinApp::SetProfileRoot(dir.path());
        app.SetRegistryKey(kOrganisation);
    }
    // What the store holds, read around the application object.
    QVariant Raw(const char* key) {
        QSettings s(QSettings::NativeFormat, QSettings::UserScope, kOrganisation, "Zelbrin");
        return s.value(key);
    }
    void PutRaw(const char* key, const QVariant& value) {
        QSettings s(QSettings::NativeFormat, QSettings::UserScope, kOrganisation, "Zelbrin");
        s.setValue(key, value);
    }

    TempDir dir;
    CWinApp app{"Zelbrin"};
};

TEST_F(SettingsStore, FirstRunGivesTheDefaultsAndStoresThem) {
    ViewSettings s = LoadViewSettings(app);
    EXPECT_EQ(s.bSnapToGrid, 0);
    EXPECT_EQ(s.bShowGrid, 0);
    EXPECT_EQ(s.fVertSpacing, 1.0f);
    EXPECT_EQ(s.fHorizSpacing, 1.0f);
    EXPECT_EQ(s.bSnapToTemplate, 0);

    StoreViewSettings(app, s);
    EXPECT_EQ(Raw("Gridlines/Enable").toString(), "0");
    EXPECT_EQ(Raw("Gridlines/Show").toString(), "0");
    EXPECT_EQ(Raw("Template/Lock").toString(), "0");
    EXPECT_EQ(Raw("Gridlines/Vert Spacing").toString(), "1.0000");
    EXPECT_EQ(Raw("Gridlines/Horiz Spacing").toString(), "1.0000");
    EXPECT_TRUE(FileExists(dir.File(std::string(kOrganisation) + "/Zelbrin.conf")));
}

TEST_F(SettingsStore, StoredValuesComeBackInTheirFields) {
    StoreViewSettings(app, {1, 1, 0.25f, 2.5f, 1});
    EXPECT_EQ(Raw("Gridlines/Vert Spacing").toString(), "0.2500");
    EXPECT_EQ(Raw("Gridlines/Horiz Spacing").toString(), "2.5000");
    CWinApp next("Zelbrin");
    next.SetRegistryKey(kOrganisation);
    ViewSettings s = LoadViewSettings(next);
    EXPECT_EQ(s.bSnapToGrid, 1);
    EXPECT_EQ(s.bShowGrid, 1);
    EXPECT_EQ(s.fVertSpacing, 0.25f);
    EXPECT_EQ(s.fHorizSpacing, 2.5f);
    EXPECT_EQ(s.bSnapToTemplate, 1);
}

TEST_F(SettingsStore, SpacingLoadsAsNearestFloatAndIsWrittenWithFourDecimals) {
    PutRaw("Gridlines/Vert Spacing", "0.3333333");
    PutRaw("Gridlines/Horiz Spacing", "12.34567");
    ViewSettings s = LoadViewSettings(app);
    EXPECT_EQ(s.fVertSpacing, 0.3333333f);
    EXPECT_EQ(s.fHorizSpacing, 12.34567f);
    StoreViewSettings(app, s);
    EXPECT_EQ(Raw("Gridlines/Vert Spacing").toString(), "0.3333");
    EXPECT_EQ(Raw("Gridlines/Horiz Spacing").toString(), "12.3457");
}

TEST_F(SettingsStore, SpacingTextCountsOnlyItsLeadingDecimalNumber) {
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        const char* text;
        float spacing;
    } rows[] = {{"inches", 0.0f}, {"0.5 in", 0.5f}, {"inf", 0.0f},    {"-INFINITY", 0.0f},
                {"nan", 0.0f},    {"0x10", 0.0f},   {"12x", 12.0f},   {" 2.5e1", 25.0f},
                {"3e", 3.0f},     {"1e999", inf},   {"-1e999", -inf}, {".25", 0.25f}};
    for (const auto& row : rows) {
        PutRaw("Gridlines/Vert Spacing", row.text);
        EXPECT_EQ(LoadViewSettings(app).fVertSpacing, row.spacing) << row.text;
    }
}

// Whatever spacing is stored, the grid's steps and line counts stay in range.
TEST(GridGeometry, AnySpacingGivesStepsThatFitAnInt) {
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        float spacing;
        int step, lines;
    } rows[] = {{1.0f, 60, 8},       {inf, INT_MAX, 0}, {-inf, 0, 0},
                {1e30f, INT_MAX, 0}, {1e-30f, 0, 0},    {std::nanf(""), 0, 0},
                {0.0166f, 0, 0},     {0.017f, 1, 480},  {-2.0f, 0, 0}};
    for (const auto& row : rows) {
        const GridGeometry g = ComputeGridGeometry(480, 630, row.spacing, 1.0f, 8.0f, 10.5f);
        EXPECT_EQ(g.stepX, row.step) << row.spacing;
        EXPECT_EQ(g.linesX, row.lines) << row.spacing;
    }
}

TEST_F(SettingsStore, IntegersAreKeptAsStored) {
    PutRaw("Gridlines/Show", 7);
    EXPECT_EQ(LoadViewSettings(app).bShowGrid, 7);
}

// A German user's locale writes "0,5" with printf and stops strtod at '.'.
class GermanLocale {
public:
    GermanLocale() {
        const char* old = std::setlocale(LC_ALL, nullptr);
        m_old = old ? old : "C";
        m_ok = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
    ~GermanLocale() { std::setlocale(LC_ALL, m_old.c_str()); }
    bool ok() const { return m_ok; }

private:
    std::string m_old;
    bool m_ok;
};

TEST_F(SettingsStore, NumberTextsIgnoreTheUsersLocale) {
    GermanLocale de;
    if (!de.ok())
        GTEST_SKIP() << "de_DE.UTF-8 locale missing (scripts/deps.sh generates it)";
    PutRaw("Gridlines/Vert Spacing", "0.75");
    ViewSettings s = LoadViewSettings(app);
    EXPECT_EQ(s.fVertSpacing, 0.75f);
    s.fHorizSpacing = 0.125f;
    StoreViewSettings(app, s);
    EXPECT_EQ(Raw("Gridlines/Vert Spacing").toString(), "0.7500");
    EXPECT_EQ(Raw("Gridlines/Horiz Spacing").toString(), "0.1250");
}

TEST_F(SettingsStore, ProfileFunctionsDefaultsAndRemoval) {
    EXPECT_EQ(app.GetProfileInt("Sec", "Missing", 42), 42u);
    EXPECT_EQ(app.GetProfileString("Sec", "Missing", "dflt"), "dflt");
    EXPECT_TRUE(app.WriteProfileString("Sec", "Text", "not a number"));
    EXPECT_EQ(app.GetProfileInt("Sec", "Text", 5), 5u);
    EXPECT_TRUE(app.WriteProfileInt("Sec", "Count", 3));
    EXPECT_EQ(app.GetProfileInt("Sec", "Count", 0), 3u);
    EXPECT_EQ(app.GetProfileString("Sec", "Text"), "not a number");
    EXPECT_TRUE(app.WriteProfileString("Sec", "Text", nullptr));
    EXPECT_EQ(app.GetProfileString("Sec", "Text", "gone"), "gone");
    EXPECT_EQ(app.GetProfileInt("Sec", "Count", 0), 3u);
    EXPECT_TRUE(app.WriteProfileString("Sec", nullptr, nullptr));
    EXPECT_EQ(app.GetProfileInt("Sec", "Count", -1), static_cast<UINT>(-1));
}

TEST_F(SettingsStore, RegistryKeyNamesTheStore) {
    CWinApp other("Zelbrin");
    other.SetRegistryKey("Another Company");
    other.WriteProfileInt("Sec", "Value", 9);
    EXPECT_EQ(app.GetProfileInt("Sec", "Value", 0), 0u);
    EXPECT_TRUE(FileExists(dir.File("Another Company/Zelbrin.conf")));
}

TEST_F(SettingsStore, RecentFilesAndPreviewPagesRoundTrip) {
    app.LoadStdProfileSettings(4);
    ASSERT_NE(app.GetRecentFileList(), nullptr);
    EXPECT_EQ(app.GetRecentFileList()->GetSize(), 4);
    EXPECT_EQ(app.GetRecentFileList()->GetCount(), 0);
    EXPECT_EQ(app.m_nNumPreviewPages, 0);

    for (const char* p : {"/a.alb", "/b.alb", "/c.alb", "/d.alb", "/e.alb"})
        app.AddToRecentFileList(p);
    app.m_nNumPreviewPages = 2;
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_EQ(Raw("Recent File List/File1").toString(), "/e.alb");
    EXPECT_EQ(Raw("Recent File List/File4").toString(), "/b.alb");
    EXPECT_FALSE(Raw("Recent File List/File5").isValid());
    EXPECT_EQ(Raw("Settings/PreviewPages").toInt(), 2);

    CWinApp next("Zelbrin");
    next.SetRegistryKey(kOrganisation);
    next.LoadStdProfileSettings(4);
    CRecentFileList* list = next.GetRecentFileList();
    ASSERT_EQ(list->GetCount(), 4);
    EXPECT_EQ((*list)[0], "/e.alb");
    EXPECT_EQ((*list)[3], "/b.alb");
    EXPECT_EQ(next.m_nNumPreviewPages, 2);

    // A shorter list leaves no stale entries behind.
    list->Remove(0);
    list->Remove(0);
    next.SaveStdProfileSettings();
    EXPECT_EQ(Raw("Recent File List/File1").toString(), "/c.alb");
    EXPECT_FALSE(Raw("Recent File List/File3").isValid());
}

} // namespace
