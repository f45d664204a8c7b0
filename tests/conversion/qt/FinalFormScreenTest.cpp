// The result window at sizes past the screen: the window stays on the screen's usable
// area with scroll bars, every tile is whole at every scroll position, a closed window
// gives its memory back, and the picture stays pixel-exact on a scaled display.
#include <malloc.h>

#include <cmath>
#include <fstream>
#include <string>

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QWindow>

#include "FinalFormFixture.h"
#include "shell/PendingMessages.h"
#include "shell/qt/WindowOnScreen.h"
#include "support/PatternedBitmap.h"

namespace slanter {
namespace {

class FinalFormScreen : public testing::FinalFormTest {
  protected:
    // A result of pattern `index` by area of a 300 x 200 picture, which has the size `size`.
    TFinalForm& Result(int index, TPoint size) {
        Open(testing::PatternedBitmap(24, 300, 200));
        Select(index);
        EXPECT_EQ(engine_.PatternSize(index), size);
        return Converted(1);
    }
    static QScrollArea& Area(TFinalForm& form) {
        return *form.findChild<QScrollArea*>("ClientArea");
    }
    static void View(TFinalForm& form, const char* item) {
        form.findChild<QAction*>(item)->trigger();
        QCoreApplication::processEvents();
    }
    // The result as Qt's own reader decodes its file.
    static QImage FilePicture(TFinalForm& form) {
        return QImage(QString::fromStdString(form.ResultFile()))
            .convertToFormat(QImage::Format_RGB32);
    }
    // How many pixels of the viewport differ from the grid of tiles at the present scroll
    // position, in the grid's device pixels, after the first few failures reported. On a
    // display scaled by a fraction the scroll position falls between two device pixels,
    // and the grid may lie at either.
    static int WrongTilePixels(TFinalForm& form, const QImage& picture) {
        QScrollArea& area = Area(form);
        const QImage shown =
            area.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const qreal ratio = shown.devicePixelRatio();
        const qreal left = area.horizontalScrollBar()->value() * ratio;
        const qreal top = area.verticalScrollBar()->value() * ratio;
        const auto wrongAt = [&](int left, int top, bool report) {
            int wrong = 0;
            for (int y = 0; y < shown.height(); ++y) {
                for (int x = 0; x < shown.width(); ++x) {
                    const QRgb expected =
                        picture.pixel((left + x) % picture.width(), (top + y) % picture.height());
                    if (shown.pixel(x, y) != expected && ++wrong <= 3 && report)
                        ADD_FAILURE() << "at " << left << "," << top << " pixel " << x << "," << y;
                }
            }
            return wrong;
        };
        const int leftFloor = static_cast<int>(std::floor(left));
        const int topFloor = static_cast<int>(std::floor(top));
        for (const int x : {leftFloor, static_cast<int>(std::ceil(left))}) {
            for (const int y : {topFloor, static_cast<int>(std::ceil(top))}) {
                if (wrongAt(x, y, false) == 0)
                    return 0;
            }
        }
        return wrongAt(leftFloor, topFloor, true);
    }
};

TEST_F(FinalFormScreen, EveryViewKeepsTheWindowOnTheScreenWithScrollBarsForTheRest) {
    // On the test's 800 x 800 screen view 1 fits, four tiles are too tall and nine too
    // wide and too tall.
    const TPoint size{384, 468};
    TFinalForm& form = Result(4, size);
    QScrollArea& area = Area(form);
    const QRect screen = AvailableArea(form);
    ASSERT_LT(screen.width(), 3 * size.X);
    ASSERT_LT(screen.height(), 2 * size.Y);
    // The grid's pixels in the window's own units, which a scaled display makes fewer.
    const auto units = [&](int pixels) {
        return static_cast<int>(std::ceil(pixels / form.devicePixelRatioF()));
    };
    for (const int view : {1, 4, 9, 1}) {
        View(form, ("KView" + std::to_string(view)).c_str());
        const int side = view == 9 ? 3 : view == 4 ? 2 : 1;
        EXPECT_TRUE(screen.contains(form.frameGeometry())) << view;
        // Whatever the viewport does not show, the scroll bars reach.
        EXPECT_EQ(area.horizontalScrollBar()->maximum() + area.viewport()->width(),
                  std::max(units(side * size.X), area.viewport()->width()))
            << view;
        EXPECT_EQ(area.verticalScrollBar()->maximum() + area.viewport()->height(),
                  std::max(units(side * size.Y), area.viewport()->height()))
            << view;
    }
    // View 1 fits whole: no scroll bar, the client the picture's size.
    EXPECT_FALSE(area.horizontalScrollBar()->isVisible());
    EXPECT_EQ(area.viewport()->size(), QSize(units(size.X), units(size.Y)));
}

TEST_F(FinalFormScreen, ANewWindowOpensWhollyOnTheScreen) {
    // The placement formula lets the left edge reach 200 pixels short of the right edge,
    // which the window's own width passes.
    for (int k = 0; k < 20; ++k) {
        TFinalForm& form = NewForm();
        EXPECT_TRUE(AvailableArea(form).contains(form.frameGeometry())) << form.x();
    }
}

TEST_F(FinalFormScreen, EveryTileIsWholeAtEveryScrollPosition) {
    TFinalForm& form = Result(0, {560, 214});
    const QImage picture = FilePicture(form);
    for (const char* view : {"KView4", "KView9"}) {
        View(form, view);
        // A window smaller than the picture itself, as a user may make it.
        form.resize(300, 150);
        QCoreApplication::processEvents();
        QScrollBar& across = *Area(form).horizontalScrollBar();
        QScrollBar& down = *Area(form).verticalScrollBar();
        ASSERT_GT(across.maximum(), 560);
        ASSERT_GT(down.maximum(), 214);
        for (const double at : {0.0, 0.3, 0.55, 0.8, 1.0}) {
            across.setValue(static_cast<int>(across.maximum() * at));
            down.setValue(static_cast<int>(down.maximum() * (1 - at)));
            EXPECT_EQ(WrongTilePixels(form, picture), 0) << view << " at " << at;
            down.setValue(static_cast<int>(down.maximum() * at));
            EXPECT_EQ(WrongTilePixels(form, picture), 0) << view << " at " << at;
        }
    }
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

// The process's resident memory in bytes, from /proc.
std::int64_t ResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string name;
    while (status >> name) {
        if (name == "VmRSS:") {
            std::int64_t kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
        status.ignore(1 << 16, '\n');
    }
    return -1;
}

TEST_F(FinalFormScreen, ClosedResultWindowsGiveTheirMemoryBack) {
    if (kSanitized)
        GTEST_SKIP() << "the sanitizer's allocator keeps freed memory";
    // Large blocks come from and go back to the system, whatever was freed before.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    // 4229 x 2269 (pattern 93 by area of a 600 x 400 picture): 38 MB at 32 bits a pixel.
    Open(testing::PatternedBitmap(24, 600, 400));
    Select(93);
    const std::int64_t picture = std::int64_t{4229} * 2269 * 4;
    ASSERT_EQ(engine_.PatternSize(93), (TPoint{4229, 2269}));
    const auto convertAndClose = [&](int number) {
        TFinalForm& form = Converted(number);
        ASSERT_TRUE(form.isVisible());
        View(form, "KView9");
        form.close();
        QCoreApplication::processEvents();
        EXPECT_EQ(form.windowHandle(), nullptr);
    };
    convertAndClose(1);
    const std::int64_t before = ResidentBytes();
    ASSERT_GT(before, 0);
    convertAndClose(2);
    convertAndClose(3);
    // Closed while it runs: nothing is kept to show, nor the file once written.
    TFinalForm& running = NewForm();
    SetPendingMessagesProcessor([&] { running.close(); });
    running.Window().Convert(4, false);
    SetPendingMessagesProcessor({});
    EXPECT_FALSE(running.Presenter().InfoText().empty());
    EXPECT_TRUE(testing::ReadBytes(running.ResultFile()).empty());
    QCoreApplication::processEvents();
    EXPECT_LT(ResidentBytes() - before, picture / 2);
    // Neither keeps a platform window, whose painting buffer has the window's size.
    EXPECT_EQ(running.windowHandle(), nullptr);
}

TEST_F(FinalFormScreen, OnAScaledDisplayEveryPictureIsPixelExact) {
    TFinalForm& form = Result(0, {560, 214});
    const qreal ratio = form.devicePixelRatioF();
    if (ratio == 1)
        GTEST_SKIP() << "needs a scaled display (QT_SCALE_FACTOR)";
    const QImage picture = FilePicture(form);
    View(form, "KView1");
    const QImage alone =
        form.findChild<QWidget*>("Image1")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(alone.copy(0, 0, 560, 214), picture);
    View(form, "KView9");
    QScrollBar& across = *Area(form).horizontalScrollBar();
    QScrollBar& down = *Area(form).verticalScrollBar();
    for (const double at : {0.0, 0.5, 1.0}) {
        across.setValue(static_cast<int>(across.maximum() * at));
        down.setValue(static_cast<int>(down.maximum() * at));
        EXPECT_EQ(WrongTilePixels(form, picture), 0) << at;
    }
}

} // namespace
} // namespace slanter
