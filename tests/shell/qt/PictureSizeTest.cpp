// Picture > Size...: the dialog's fields following each other, and the main window asking
// it and showing the resized picture.
#include <optional>
#include <string>

#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QSpinBox>

#include "MainWindowFixture.h"
#include "shell/PictureSizeAsker.h"
#include "shell/main/qt/MainForm.h"
#include "shell/qt/PictureSizeDialog.h"

namespace slanter {
namespace {

TEST(PictureSizeDialog, EachFieldBringsTheOthersAlong) {
    TPictureSizeDialog dialog(nullptr, false, {6000, 4000}, {6000, 4000});
    EXPECT_EQ(dialog.PercentEdit()->value(), 100.0);
    dialog.WidthEdit()->setValue(1920);
    EXPECT_EQ(dialog.HeightEdit()->value(), 1280);
    EXPECT_EQ(dialog.PercentEdit()->value(), 32.0);
    dialog.HeightEdit()->setValue(1080);
    EXPECT_EQ(dialog.ChosenSize(), (TPoint{1620, 1080}));
    dialog.PercentEdit()->setValue(12.5);
    EXPECT_EQ(dialog.ChosenSize(), (TPoint{750, 500}));
    // The field typed in keeps what was typed, though the sizes round.
    dialog.PercentEdit()->setValue(33.33);
    EXPECT_EQ(dialog.PercentEdit()->value(), 33.33);
    EXPECT_EQ(dialog.ChosenSize(), (TPoint{2000, 1333}));
}

class PictureSizeCommand : public testing::MainWindowTest {
  protected:
    void TearDown() override {
        SetPictureSizeAsker({});
        MainWindowTest::TearDown();
    }
    TMainForm& Main() { return *MainForm; }
    // Runs the command with the user choosing `size`; answers the sizes the dialog got.
    std::pair<TPoint, TPoint> Choose(std::optional<TPoint> size) {
        std::pair<TPoint, TPoint> offered;
        SetPictureSizeAsker([&](TPoint original, TPoint current) {
            offered = {original, current};
            return size;
        });
        Main().Presenter().ResizePicture();
        QCoreApplication::processEvents();
        return offered;
    }
};

TEST_F(PictureSizeCommand, TheDialogGetsBothSizesAndTheWindowShowsTheResizedPicture) {
    Start();
    Main().Presenter().OpenFile(Picture("narrow.bmp"));
    EXPECT_EQ(Choose(TPoint{12, 8}), (std::pair{TPoint{30, 20}, TPoint{30, 20}}));
    EXPECT_EQ(Choose(std::nullopt), (std::pair{TPoint{30, 20}, TPoint{12, 8}}));
    EXPECT_EQ(Main().findChild<QWidget*>("Image1")->size(), QSize(12, 8));
    EXPECT_TRUE(TakeBoxes().empty());
}

} // namespace
} // namespace slanter
