#include <string>
#include <vector>

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QKeySequence>
#include <QScrollArea>
#include <QScrollBar>
#include <QWidget>

#include "FinalFormFixture.h"
#include "conversion/ResultZoom.h"
#include "shell/qt/ResultPicture.h"
#include "support/PatternedBitmap.h"

namespace slanter {
namespace {

using Strings = std::vector<std::string>;

class FinalFormZoom : public testing::FinalFormTest {
  protected:
    // A result of 107 x 8 (the first pattern by angle of a 12 x 8 picture).
    TFinalForm& WideResult() {
        engine_.SetSortOnAngle(true);
        Open(testing::PatternedBitmap(8, 12, 8));
        Select(0);
        EXPECT_EQ(engine_.PatternSize(0), (TPoint{107, 8}));
        return Converted(1);
    }
    static QWidget& Part(TFinalForm& form, const char* name) {
        return *form.findChild<QWidget*>(name);
    }
    static void Choose(TFinalForm& form, const char* item) {
        form.findChild<QAction*>(item)->trigger();
    }
    static QSize Canvas(TFinalForm& form) { return Part(form, "Canvas").size(); }
    static QSize Client(TFinalForm& form) { return Part(form, "Client").size(); }
    static Strings CheckedZooms(TFinalForm& form) {
        Strings checked;
        for (const char* item : {"KViewFit", "KView25", "KView50", "KView100", "KView200"}) {
            if (form.findChild<QAction*>(item)->isChecked())
                checked.push_back(item);
        }
        return checked;
    }
    static std::string Geometry(TFinalForm& form, const char* name) {
        const QRect g = Part(form, name).geometry();
        return std::to_string(g.x()) + "," + std::to_string(g.y()) + " " +
               std::to_string(g.width()) + "x" + std::to_string(g.height());
    }
    // Every device pixel of the view, `shown` of them, against the picture pixel under its
    // centre, worked in floating point: grid pixel trunc((x + 0.5) grid / shown), folded
    // into one tile. (On a scaled display the canvas may reach a device pixel further.)
    static int WrongPixels(TFinalForm& form, int side, QSize view) {
        const QImage picture =
            QImage(QString::fromStdString(form.ResultFile())).convertToFormat(QImage::Format_RGB32);
        const QImage shown =
            Part(form, "Canvas").grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (shown.width() < view.width() || shown.height() < view.height())
            return -1;
        const int gridWidth = side * picture.width();
        const int gridHeight = side * picture.height();
        int wrong = 0;
        for (int y = 0; y < view.height(); ++y) {
            for (int x = 0; x < view.width(); ++x) {
                const int px = static_cast<int>((x + 0.5) * gridWidth / view.width());
                const int py = static_cast<int>((y + 0.5) * gridHeight / view.height());
                wrong +=
                    shown.pixel(x, y) != picture.pixel(px % picture.width(), py % picture.height());
            }
        }
        return wrong;
    }
};

TEST_F(FinalFormZoom, EachZoomSizesTheClientAndTheViewsKeepTheirMeaning) {
    TFinalForm& form = WideResult();
    EXPECT_EQ(form.Presenter().Zoom(), 100);
    EXPECT_EQ(CheckedZooms(form), Strings{"KView100"});
    Choose(form, "KView200");
    EXPECT_EQ(Canvas(form), QSize(214, 16));
    EXPECT_EQ(Client(form), QSize(214, 16));
    EXPECT_EQ(CheckedZooms(form), Strings{"KView200"});
    // Nine tiles at 50%: 321 x 24 shown in 160 x 12, the client kept 200 wide. Columns
    // begin at 0, 53 and 107, rows at 0, 4 and 8.
    Choose(form, "KView9");
    Choose(form, "KView50");
    EXPECT_EQ(Canvas(form), QSize(160, 12));
    EXPECT_EQ(Client(form), QSize(200, 12));
    EXPECT_EQ(Geometry(form, "Image1"), "0,0 53x4");
    EXPECT_EQ(Geometry(form, "PaintBox2"), "53,0 54x4");
    EXPECT_EQ(Geometry(form, "PaintBox6"), "107,4 53x4");
    EXPECT_EQ(Geometry(form, "PaintBox9"), "107,8 53x4");
    // The view and the zoom are chosen apart: view 1 stays at 50%.
    Choose(form, "KView1");
    EXPECT_EQ(Canvas(form), QSize(53, 4));
    EXPECT_FALSE(Part(form, "PaintBox2").isVisible());
    // Zoom in and out step through the percentages.
    Choose(form, "KViewZoomIn");
    EXPECT_EQ(form.Presenter().Zoom(), 100);
    Choose(form, "KViewZoomIn");
    Choose(form, "KViewZoomIn");
    EXPECT_EQ(form.Presenter().Zoom(), 200);
    Choose(form, "KViewZoomOut");
    Choose(form, "KViewZoomOut");
    Choose(form, "KViewZoomOut");
    Choose(form, "KViewZoomOut");
    EXPECT_EQ(form.Presenter().Zoom(), 25);
    EXPECT_EQ(Canvas(form), QSize(26, 2));
}

TEST_F(FinalFormZoom, HomeEndAndControlMoveTheViewToItsEdges) {
    TFinalForm& form = WideResult();
    Choose(form, "KView9");
    Choose(form, "KView200");
    form.resize(300, 60);
    QCoreApplication::processEvents();
    QScrollBar& across = *form.findChild<QScrollArea*>("ClientArea")->horizontalScrollBar();
    QScrollBar& down = *form.findChild<QScrollArea*>("ClientArea")->verticalScrollBar();
    ASSERT_GT(across.maximum(), 0);
    ASSERT_GT(down.maximum(), 0);
    const auto press = [&form](int key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(&form, &event);
    };
    press(Qt::Key_End, Qt::NoModifier);
    EXPECT_EQ(across.value(), across.maximum());
    EXPECT_EQ(down.value(), 0);
    press(Qt::Key_Home, Qt::NoModifier);
    EXPECT_EQ(across.value(), 0);
    press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(across.value(), across.maximum());
    EXPECT_EQ(down.value(), down.maximum());
    press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(across.value(), 0);
    EXPECT_EQ(down.value(), 0);
}

// Also run on a display scaled by two, where the view is laid in device pixels.
TEST_F(FinalFormZoom, EveryScreenPixelShowsTheResultPixelUnderItsCentre) {
    TFinalForm& form = WideResult();
    EXPECT_EQ(WrongPixels(form, 1, {107, 8}), 0); // 100%, pixel for pixel
    Choose(form, "KView200");
    EXPECT_EQ(WrongPixels(form, 1, {214, 16}), 0);
    Choose(form, "KView9");
    EXPECT_EQ(WrongPixels(form, 3, {642, 48}), 0);
    Choose(form, "KView50");
    EXPECT_EQ(WrongPixels(form, 3, {160, 12}), 0);
    Choose(form, "KView4");
    Choose(form, "KView25");
    EXPECT_EQ(WrongPixels(form, 2, {53, 4}), 0);
}

// A result far larger than the screen (the picture put in place of the one read back)
// is seen whole when fitted, and the fit follows the window.
TEST_F(FinalFormZoom, FittingShowsALargeResultWholeAndFollowsTheWindow) {
    Open(testing::PatternedBitmap(8, 12, 8));
    Select(0);
    const QImage large = PictureOf(testing::PatternedBitmap(8, 1500, 2200));
    SetResultPictureReader([&large](const std::string&) { return ReadBackPicture{large, ""}; });
    TFinalForm& form = Converted(1);
    SetResultPictureReader({});
    ASSERT_EQ(form.Presenter().Zoom(), 100);
    EXPECT_LT(Client(form).height(), 2200); // the screen's usable height caps the window

    Choose(form, "KViewFit");
    EXPECT_EQ(CheckedZooms(form), Strings{"KViewFit"});
    const QSize fitted = Canvas(form);
    EXPECT_LE(fitted.width(), Client(form).width());
    EXPECT_LE(fitted.height(), Client(form).height());
    EXPECT_EQ(fitted, QSize(fitted.height() * 1500 / 2200, fitted.height()));
    EXPECT_GT(fitted.height(), 200);

    form.resize(form.width(), form.height() - 100);
    const QSize smaller = Canvas(form);
    EXPECT_EQ(smaller.height(), Client(form).height());
    EXPECT_EQ(smaller.width(), smaller.height() * 1500 / 2200);
    // Zooming in from the fit goes to the next percentage above it.
    Choose(form, "KViewZoomIn");
    EXPECT_EQ(form.Presenter().Zoom(), NextZoom(kZoomToFit, 1, smaller.height() * 100 / 2200));
}

} // namespace
} // namespace slanter
