// Pictures of the frame for a person to look at: runs only with
// ZELBRIN_SHOTS=<folder>, on a real display, e.g. with
//   ZELBRIN_SHOTS=/tmp/shots QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24"
// in front of: build/tests/shell_screenshots (a developer tool, not part of the suite)
#include "platform/qt/frame_wnd.h"
#include "platform/qt/help_window.h"
#include "platform/qt/status_bar.h"
#include "platform/qt/tool_bar.h"
#include "platform/qt/win_app.h"
#include "res/qt/app_icon.h"
#include "res/resource.h"
#include "res/qt/toolbar.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QTest>

namespace {

class ShotFrame : public CFrameWnd {
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        cs.style &= ~(WS_THICKFRAME | WS_MAXIMIZEBOX);
        return TRUE;
    }
    int OnCreate(LPCREATESTRUCT) override {
        static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                          ID_INDICATOR_SCRL};
        if (!bar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR) ||
            !bar.LoadToolBar(GetToolBarButtons(), MakeToolBarBitmap(),
                             QSize(TOOLBAR_IMAGE_WIDTH, TOOLBAR_IMAGE_HEIGHT),
                             ToolBarBackground()) ||
            !status.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
            !status.SetIndicators(indicators, 4))
            return -1;
        bar.SetBarStyle(bar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
        bar.EnableDocking(CBRS_ALIGN_ANY);
        EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&bar);
        return 0;
    }
    CToolBar bar;
    CStatusBar status;
};

// Answers every command, so that menus and buttons show as enabled.
class AnswerAll : public CCmdTarget {
protected:
    void OnAny(UINT) {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(AnswerAll, CCmdTarget)
ON_COMMAND_RANGE(ID_TEXT_COLOR, ID_APP_EXIT, OnAny)
END_MESSAGE_MAP()

QString ShotsFolder() {
    return qEnvironmentVariable("ZELBRIN_SHOTS");
}

void Save(const QImage& image, const QString& name) {
    QString path = ShotsFolder() + "/shell-" + name + ".png";
    EXPECT_TRUE(image.save(path)) << path.toStdString();
}

TEST(ShellScreenshot, FrameMenusAndToolBar) {
    if (ShotsFolder().isEmpty() || QGuiApplication::platformName() == "offscreen")
        GTEST_SKIP() << "set ZELBRIN_SHOTS and run on a display";
    QDir().mkpath(ShotsFolder());

    // The image strip, enlarged four times.
    QImage strip = MakeToolBarBitmap();
    Save(strip.scaled(strip.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation), "strip");

    CWinApp app("Zelbrin");
    AnswerAll all;
    ShotFrame frame;
    ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME));
    frame.SetCommandRoute({&all, &frame, &app});
    CStatusBar::SetLockStateFunc([](UINT nID) { return nID == ID_INDICATOR_NUM; });
    auto* page = new QWidget;
    page->setAutoFillBackground(true);
    page->setPalette(QPalette(Qt::white));
    frame.SetViewWidget(page);
    frame.SetClientSize(640, 480);
    frame.move(20, 20);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QTest::qWait(400);
    Save(frame.grab().toImage(), "frame");

    // The prompt of the button under the pointer.
    QWidget* button = frame.bar.widgetForAction(frame.GetCommandAction(ID_FILE_OPEN));
    QTest::mouseMove(button, QPoint(5, 5));
    QTest::qWait(300);
    Save(frame.grab().toImage(), "prompt");
    QTest::mouseMove(page, QPoint(300, 300));

    QScreen* screen = QGuiApplication::primaryScreen();
    for (int i = 0; i < 6; ++i) {
        QMenu* menu = frame.GetMenu(i);
        QRect item = frame.menuBar()->actionGeometry(menu->menuAction());
        menu->popup(frame.menuBar()->mapToGlobal(item.bottomLeft()));
        QTest::qWait(200);
        QImage shot = screen->grabWindow(0).toImage();
        QRect area = frame.frameGeometry().united(menu->geometry()).adjusted(-4, -4, 4, 4);
        Save(shot.copy(area), QString("menu-%1").arg(i));
        menu->hide();
    }

    frame.addToolBar(Qt::LeftToolBarArea, &frame.bar);
    QTest::qWait(300);
    Save(frame.grab().toImage(), "docked-left");

    Save(AppIconPixmap(48).toImage().scaled(192, 192), "icon");
    frame.OnCommand(ID_HELP_FINDER);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.GetHelpWindow()));
    QTest::qWait(200);
    Save(frame.GetHelpWindow()->grab().toImage(), "help");
    CStatusBar::SetLockStateFunc({});
}

} // namespace
