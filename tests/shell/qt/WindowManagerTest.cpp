// What only shows under a window manager (run by run_with_window_manager.sh): the splash
// as the manager maps it, the main window's placement when it leaves the maximized state,
// and title bars kept on the screen.
#include <algorithm>
#include <functional>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QThread>

#include "MainWindowFixture.h"
#include "bitmap/HandyBitmap.h"
#include "preview/qt/PreviewForm.h"
#include "shell/SettingsStore.h"
#include "shell/main/qt/MainForm.h"
#include "shell/qt/FormPlacement.h"
#include "shell/qt/OpenForm.h"
#include "shell/qt/WindowOnScreen.h"

namespace slanter {
namespace {

// Lets the window system and the manager act until `done` holds (or a while has passed:
// the check after it tells).
bool WaitFor(const std::function<bool()>& done) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return done();
}

// A property of a window as the window system holds it, as xprop tells it.
QString WindowProperty(WId window, const char* property) {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(window), QString::fromLatin1(property)});
    xprop.waitForFinished();
    return QString::fromLocal8Bit(xprop.readAllStandardOutput());
}

class WindowManagerTest : public testing::MainWindowTest {
  protected:
    void TearDown() override {
        FreeSplash();
        MainWindowTest::TearDown();
    }
};

TEST_F(WindowManagerTest, TheSplashIsPaintedAtOnceWithoutBorderIcons) {
    ShowSplash();
    // Read back from the screen before any further event is processed.
    const QRect bounds = OpenForm->geometry();
    const QImage shown =
        QGuiApplication::primaryScreen()
            ->grabWindow(0, bounds.x(), bounds.y(), bounds.width(), bounds.height())
            .toImage();
    ASSERT_FALSE(shown.isNull());
    int black = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            black += qGray(shown.pixel(x, y)) < 16 ? 1 : 0;
    // The text is dark; the rest is the window's colour, not an unpainted black.
    EXPECT_LT(black * 4, shown.width() * shown.height()) << black << " black pixels";
    const QString actions = WindowProperty(OpenForm->winId(), "_NET_WM_ALLOWED_ACTIONS");
    ASSERT_TRUE(actions.contains(QLatin1String("_NET_WM_ACTION"))) << actions.toStdString();
    for (const char* icon :
         {"_NET_WM_ACTION_CLOSE", "_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ"})
        EXPECT_FALSE(actions.contains(QLatin1String(icon))) << actions.toStdString();
    HideSplash();
}

TEST_F(WindowManagerTest, OpeningAPictureWhileMaximizedKeepsTheNormalPlacement) {
    Start();
    TMainForm& main = *MainForm;
    main.move(300, 200);
    ASSERT_TRUE(WaitFor([&] {
        return main.geometry().topLeft() == QPoint(300, 200) || main.pos() == QPoint(300, 200);
    }));
    const QPoint normal = main.geometry().topLeft();
    main.showMaximized();
    ASSERT_TRUE(WaitFor([&] {
        return (main.windowState() & Qt::WindowMaximized) && main.geometry().topLeft() != normal;
    }));
    main.Presenter().OpenFile(Picture("wide.bmp"));
    WaitFor([&] { return main.geometry().topLeft() == normal; });
    EXPECT_FALSE(main.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(main.geometry().topLeft(), normal);
    // Fitted to the picture as ever.
    // (Or to the menu bar, where that is wider.)
    EXPECT_EQ(main.findChild<QScrollArea*>("ClientArea")->viewport()->size(),
              QSize(std::max({150, 100, main.minimumWidth()}), 40));
    SaveFormPlacement(main);
    EXPECT_EQ(Stored("MainForm/Left").toInt(), normal.x());
    EXPECT_EQ(Stored("MainForm/Top").toInt(), normal.y());
    EXPECT_EQ(Stored("MainForm/State").toString(), "Normal");
}

// Lies wholly on the usable area once the manager has framed it, title bar included.
bool FramedOnScreen(const QWidget& window) {
    return window.frameGeometry() != window.geometry() &&
           AvailableArea(window).contains(window.frameGeometry());
}

TEST_F(WindowManagerTest, APictureLargerThanTheScreenOpenedAtTheStartKeepsTheTitleBarOnIt) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const std::string file = Temporary().Path("large.bmp");
    THandyBitmap large;
    large.NewImage(screen.width() + 150, screen.height() + 90, 8);
    large.SetPaletteCount(2);
    ASSERT_TRUE(large.SaveToFile(file)) << large.ErrorText();
    // Named on the command line: opened as the program starts, before the manager has
    // framed the window.
    InitGeneral({"/tools/Slanter", "/ENGLISH", [] { return false; }});
    SetProgramInfo();
    windows_ = std::make_unique<ProgramWindows>();
    ASSERT_TRUE(windows_->Create("/ENGLISH", kShowNormal));
    windows_->OpenNamedPicture({file});
    EXPECT_TRUE(WaitFor([] { return FramedOnScreen(*MainForm); }))
        << MainForm->frameGeometry().y() << " " << MainForm->frameGeometry().height();
}

TEST_F(WindowManagerTest, StoredPlacesOffTheScreenComeBackWithTheWholeFrame) {
    WriteSetting("MainForm", "Left", 2000);
    WriteSetting("MainForm", "Top", 1400);
    WriteSetting("PreviewForm", "Left", -500);
    WriteSetting("PreviewForm", "Top", -300);
    Start();
    EXPECT_TRUE(WaitFor([] { return FramedOnScreen(*MainForm); }));
    PreviewForm->Window().DrawPreview(false);
    EXPECT_TRUE(WaitFor([] { return FramedOnScreen(*PreviewForm); }))
        << PreviewForm->frameGeometry().x() << "," << PreviewForm->frameGeometry().y();
}

} // namespace
} // namespace slanter
