// The result window's binding during a run: what its panel shows, which controls reach
// the flow, and the picture it shows at the end. The flow itself is the presenter's
// (tests/conversion/ResultPresenterTest.cpp).
#include <string>
#include <vector>

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

#include "FinalFormFixture.h"
#include "shell/PendingMessages.h"
#include "support/PatternedBitmap.h"

namespace slanter {
namespace {

class FinalFormRun : public testing::FinalFormTest {
  protected:
    template <class T>
    static T* Part(TFinalForm& form, const char* name) {
        return form.findChild<T*>(name);
    }
    // Runs `step` in place of the pending events before each column: call k comes before
    // column k.
    void BetweenColumns(std::function<void(int call)> step) {
        SetPendingMessagesProcessor([this, step = std::move(step)] { step(calls_++); });
    }
    int calls_ = 0;
};

TEST_F(FinalFormRun, AFinishedRunShowsThePictureInViewOne) {
    Open(testing::PatternedBitmap(8, 40, 30));
    Select(0);
    TFinalForm& form = NewForm();
    BetweenColumns([&](int) {
        EXPECT_TRUE(form.isVisible());
        EXPECT_FALSE(Part<QMenu>(form, "KFile")->isEnabled());
        EXPECT_FALSE(Part<QLabel>(form, "Image1")->isVisible());
    });
    form.Window().Convert(3, false);
    EXPECT_EQ(form.windowTitle(), "Converted(3)");
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(Part<QWidget>(form, "Panel1")->isVisible());
    EXPECT_FALSE(Part<QWidget>(form, "Panel2")->isVisible());
    auto* image = Part<QLabel>(form, "Image1");
    EXPECT_TRUE(image->isVisible());
    // 72 x 32, the first pattern of a 40 x 30 picture by area.
    EXPECT_EQ(image->size(), QSize(72, 32));
    EXPECT_EQ(
        image->grab().toImage().convertToFormat(QImage::Format_RGB32),
        QImage(QString::fromStdString(form.ResultFile())).convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(Part<QMenu>(form, "KFile")->isEnabled());
    EXPECT_TRUE(Part<QMenu>(form, "KView")->isEnabled());
    EXPECT_TRUE(Part<QAction>(form, "KView1")->isChecked());
    EXPECT_TRUE(Part<QAction>(form, "KView100")->isChecked());
}

TEST_F(FinalFormRun, TheBarIsGrownToItsWorkingSizeWithCancelCentredBelow) {
    Open(testing::PatternedBitmap(24, 12, 8));
    Select(0);
    TFinalForm& form = NewForm();
    BetweenColumns([&](int call) {
        if (call > 0)
            return;
        EXPECT_EQ(Part<QProgressBar>(form, "ProgressBar1")->size(), QSize(200, 16));
        auto* panel = Part<QWidget>(form, "Panel1");
        auto* button = Part<QPushButton>(form, "Button1");
        EXPECT_EQ(panel->height(), 32);
        EXPECT_EQ(button->text(), "Cancel");
        EXPECT_EQ(button->geometry(), QRect((panel->width() - 75) / 2, 4, 75, 25));
        EXPECT_EQ(Part<QLabel>(form, "Label1")->text(), "0%");
        EXPECT_EQ(Part<QLabel>(form, "Label2")->text(), "");
    });
    form.Window().Convert(1, false);
}

TEST_F(FinalFormRun, AResultOneColumnWideShowsAFullBar) {
    Open(testing::PatternedBitmap(24, 1, 1));
    Select(0);
    ASSERT_EQ(engine_.PatternSize(0), (TPoint{1, 1}));
    TFinalForm& form = Converted(1);
    EXPECT_EQ(Part<QLabel>(form, "Label1")->text(), "100%");
    EXPECT_EQ(Part<QProgressBar>(form, "ProgressBar1")->value(), 100);
}

TEST_F(FinalFormRun, CancelAndEscStopTheRun) {
    for (const bool esc : {false, true}) {
        Open(testing::PatternedBitmap(24, 12, 8));
        Select(0);
        TFinalForm& form = NewForm();
        calls_ = 0;
        BetweenColumns([&](int call) {
            if (call != 2)
                return;
            auto* button = Part<QPushButton>(form, "Button1");
            if (!esc) {
                button->click();
                return;
            }
            // The key reaches the focused button first, which leaves Esc to the window.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(button, &press);
        });
        form.Window().Convert(1, false);
        EXPECT_EQ(calls_, 3) << esc;
        EXPECT_FALSE(form.isVisible()) << esc;
        EXPECT_EQ(TemporaryNames(), (std::vector<std::string>{"Temp0000.bmp"})) << esc;
    }
}

TEST_F(FinalFormRun, DisablingTheOwnerLeavesCancelWorking) {
    Open(testing::PatternedBitmap(24, 12, 8));
    Select(0);
    QWidget owner;
    auto* form = new TFinalForm(state_, &owner); // freed with owner
    owner.setEnabled(false);
    bool enabled = false;
    BetweenColumns([&](int) { enabled = Part<QPushButton>(*form, "Button1")->isEnabled(); });
    form->Window().Convert(1, false);
    EXPECT_TRUE(enabled);
}

TEST_F(FinalFormRun, TheInformationItemShowsTheBoxWithItsCaption) {
    Open(testing::PatternedBitmap(8, 12, 8));
    Select(0);
    TFinalForm& form = Converted(1);
    TakeBoxes();
    Part<QAction>(form, "KViewInformation")->trigger();
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, form.Presenter().InfoText());
    EXPECT_EQ(boxes[0].flags, kInformationBox);
    EXPECT_EQ(boxes[0].caption, "  Bitmap Information");
}

} // namespace
} // namespace slanter
