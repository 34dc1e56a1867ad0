// The view's commands on the selected item and the grid, run through the
// command route as the menu, tool bar and keys run them.
#include "document/zelbrin_doc.h"
#include "platform/qt/color_dialog.h"
#include "platform/qt/gdi.h"
#include "res/resource.h"
#include "support/modal_dialog.h"
#include "support/test_support.h"
#include "support/view_fixture.h"
#include "view/zelbrin_view.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

PageItem Picture(RECT place, QRgb c = qRgb(200, 0, 0)) {
    PageItem item{};
    item.nKind = ITEM_PICTURE;
    item.nSrcWidth = 4;
    item.nSrcHeight = 4;
    unsigned char* pixels = AllocatePixels(item, 48);
    for (int i = 0; i < 16; ++i) {
        pixels[3 * i] = static_cast<unsigned char>(qRed(c));
        pixels[3 * i + 1] = static_cast<unsigned char>(qGreen(c));
        pixels[3 * i + 2] = static_cast<unsigned char>(qBlue(c));
    }
    item.rcPlace = place;
    item.rcSource = RECT{0, 0, 4, 4};
    return item;
}

class ViewCommands : public ViewFixture {
protected:
    void SetUp() override {
        ViewFixture::SetUp();
        view->OnInitialUpdate();
        route = {view.get(), &doc};
    }
    void TearDown() override {
        CColorDialog::SetAnswerHook(nullptr);
        ViewFixture::TearDown();
    }
    BOOL Run(UINT id) { return RouteCommand(route, id); }
    CCmdUI State(UINT id) {
        CCmdUI ui(id);
        RouteUpdateCmdUI(route, ui);
        return ui;
    }
    std::string Order() { return names.Order(doc); }

    ItemNames names;
    std::vector<CCmdTarget*> route;
};

TEST_F(ViewCommands, TextStylesToggleTheSelectedTextOnly) {
    EXPECT_FALSE(Run(ID_TEXT_BOLD)); // nothing on the page: refused
    names.Append(doc, Picture(RECT{0, 0, 50, 50}), "P");
    EXPECT_FALSE(State(ID_TEXT_BOLD).m_bEnabled);
    EXPECT_FALSE(Run(ID_TEXT_ITALIC)); // a picture is selected

    PageItem t = TextItem("T", RECT{10, 10, 200, 60});
    t.bBold = 2; // as an album file may hold it
    doc.AppendItem(t);
    CCmdUI before = State(ID_TEXT_BOLD);
    EXPECT_TRUE(before.m_bEnabled);
    EXPECT_EQ(before.m_nCheck, 0);
    EXPECT_TRUE(Run(ID_TEXT_BOLD));
    EXPECT_EQ(doc.GetLastItem().bBold, 1);
    EXPECT_EQ(State(ID_TEXT_BOLD).m_nCheck, 1);
    EXPECT_TRUE(Run(ID_TEXT_BOLD));
    EXPECT_EQ(doc.GetLastItem().bBold, 0);
    EXPECT_TRUE(Run(ID_TEXT_ITALIC));
    EXPECT_TRUE(Run(ID_TEXT_UNDERLINE));
    EXPECT_EQ(doc.GetLastItem().bItalic, 1);
    EXPECT_EQ(doc.GetLastItem().bUnderline, 1);
    // The defaults for new text items stay; the change is one to keep.
    EXPECT_EQ(doc.m_bBold + doc.m_bItalic + doc.m_bUnderline, 0);
    EXPECT_EQ(doc.m_bAlbumModified, 1);
}

TEST_F(ViewCommands, TextColourGoesToTheItemAndTheDefault) {
    names.Append(doc, TextItem("T", RECT{10, 10, 200, 60}), "T");
    COLORREF initial = 1;
    CColorDialog::SetAnswerHook([&](COLORREF c) -> std::optional<COLORREF> {
        initial = c;
        return std::nullopt;
    });
    EXPECT_TRUE(Run(ID_TEXT_COLOR));
    EXPECT_EQ(initial, 0u); // black to start with
    EXPECT_EQ(doc.GetLastItem().crColor, 0u);
    EXPECT_EQ(doc.m_crTextColor, 0xFF0000u);
    EXPECT_EQ(doc.m_bAlbumModified, 0);

    CColorDialog::SetAnswerHook([](COLORREF) -> std::optional<COLORREF> { return RGB(0, 128, 0); });
    EXPECT_TRUE(Run(ID_TEXT_COLOR));
    EXPECT_EQ(doc.GetLastItem().crColor, RGB(0, 128, 0));
    EXPECT_EQ(doc.m_crTextColor, RGB(0, 128, 0));
    EXPECT_EQ(doc.m_bAlbumModified, 1);
    names.Append(doc, Picture(RECT{0, 0, 50, 50}), "P");
    EXPECT_FALSE(State(ID_TEXT_COLOR).m_bEnabled);
}

TEST_F(ViewCommands, SendToBackAndDelete) {
    names.Append(doc, Picture(RECT{0, 0, 100, 100}, qRgb(255, 0, 0)), "A");
    names.Append(doc, TextItem("T", RECT{10, 10, 200, 60}), "T");
    names.Append(doc, Picture(RECT{50, 50, 150, 150}, qRgb(0, 0, 255)), "B");
    view->RedrawPage();
    EXPECT_EQ(view->Surface().pixel(75, 75) & 0xFFFFFF, 0x0000FFu); // B above A
    EXPECT_TRUE(Run(ID_SEND_TO_BACK));
    EXPECT_EQ(Order(), "BAT");
    EXPECT_EQ(view->Surface().pixel(75, 75) & 0xFFFFFF, 0xFF0000u); // now behind A
    EXPECT_EQ(doc.m_bAlbumModified, 1);
    EXPECT_FALSE(State(ID_SEND_TO_BACK).m_bEnabled); // T is selected

    EXPECT_TRUE(Run(ID_DELETE_OBJECT));
    EXPECT_EQ(Order(), "BA");
    EXPECT_FALSE(view->IsItemDrawn(1)); // A selected, floating
    EXPECT_TRUE(Run(ID_DELETE_OBJECT));
    EXPECT_TRUE(Run(ID_DELETE_OBJECT));
    EXPECT_EQ(doc.GetItemCount(), 0);
    EXPECT_FALSE(Run(ID_DELETE_OBJECT));

    // A single picture stays where it is, and nothing changed.
    names.Append(doc, Picture(RECT{0, 0, 10, 10}), "C");
    doc.m_bAlbumModified = 0;
    EXPECT_TRUE(Run(ID_SEND_TO_BACK));
    EXPECT_EQ(Order(), "C");
    EXPECT_EQ(doc.m_bAlbumModified, 0);
}

TEST_F(ViewCommands, GridAndSnapSwitches) {
    EXPECT_FALSE(State(ID_SNAP_TO_GRID).m_bEnabled); // gridlines hidden
    EXPECT_FALSE(Run(ID_SNAP_TO_GRID));
    EXPECT_TRUE(Run(ID_SHOW_GRIDLINES));
    EXPECT_EQ(view->m_bShowGrid, 1);
    EXPECT_EQ(State(ID_SHOW_GRIDLINES).m_nCheck, 1);
    // The line at the top of the page is drawn now.
    EXPECT_EQ(view->Surface().pixel(1, 0) & 0xFFFFFF, 0xC0C0E0u);
    EXPECT_TRUE(Run(ID_SNAP_TO_GRID));
    EXPECT_EQ(view->m_bSnapToGrid, 1);
    EXPECT_TRUE(Run(ID_SHOW_GRIDLINES));
    CCmdUI snap = State(ID_SNAP_TO_GRID);
    EXPECT_FALSE(snap.m_bEnabled);
    EXPECT_EQ(snap.m_nCheck, 1); // the check mark it had
    EXPECT_EQ(view->Surface().pixel(1, 0) & 0xFFFFFF, 0xFFFFFFu);

    const QImage before = view->Surface().copy();
    EXPECT_TRUE(Run(ID_SNAP_TO_TEMPLATE));
    EXPECT_EQ(view->m_bSnapToTemplate, 1);
    EXPECT_EQ(State(ID_SNAP_TO_TEMPLATE).m_nCheck, 1);
    EXPECT_EQ(view->Surface(), before); // nothing on screen changes
    EXPECT_EQ(doc.m_bAlbumModified, 0);
}

TEST_F(ViewCommands, GridlineSpacingRefitsThePage) {
    view->m_nGridStepX = 0; // proves the grid is computed again
    OnNextModal([](QDialog* dlg) { QTest::keyClick(dlg->focusWidget(), Qt::Key_Return); });
    EXPECT_TRUE(Run(ID_GRIDLINE_SPACING));
    EXPECT_GT(view->m_nGridStepX, 0);
    EXPECT_FLOAT_EQ(view->m_fHorizSpacing, 1.0f);

    OnNextModal([](QDialog* dlg) {
        QWidget* edit = dlg->focusWidget();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, "0.5");
        QTest::keyClick(edit, Qt::Key_Return);
    });
    const int before = view->m_nGridStepX;
    EXPECT_TRUE(Run(ID_GRIDLINE_SPACING));
    EXPECT_FLOAT_EQ(view->m_fHorizSpacing, 0.5f);
    EXPECT_EQ(view->m_nGridStepX, before / 2);
}

} // namespace
