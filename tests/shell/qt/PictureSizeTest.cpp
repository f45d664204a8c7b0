// Picture > Size...: the dialog's fields following each other, and the main window working
// from the resized picture while the file stays as it was.
#include <optional>
#include <string>

#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QSpinBox>

#include "MainWindowFixture.h"
#include "bitmap/AreaResize.h"
#include "bitmap/HandyBitmap.h"
#include "engine/Slanter.h"
#include "shell/SharedObjects.h"
#include "shell/qt/MainForm.h"
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
        Main().KPictureSizeClick();
        QCoreApplication::processEvents();
        return offered;
    }
    std::string Information() {
        TakeBoxes();
        Main().KViewInformationClick();
        const auto boxes = TakeBoxes();
        return boxes.size() == 1 ? boxes[0].text : "boxes: " + std::to_string(boxes.size());
    }
};

TEST_F(PictureSizeCommand, TheWorkingPictureTakesTheSizeAndComesBackFromTheOriginal) {
    Start();
    Choose(TPoint{10, 10});
    ASSERT_EQ(TakeBoxes().size(), 1u); // no picture yet
    const std::string file = Picture("narrow.bmp");
    const testing::Bytes before = testing::ReadBytes(file);
    Main().OpenChosenFile(file);
    THandyBitmap opened;
    ASSERT_TRUE(opened.LoadFromFile(file));

    EXPECT_EQ(Choose(TPoint{12, 8}), (std::pair{TPoint{30, 20}, TPoint{30, 20}}));
    EXPECT_TRUE(TakeBoxes().empty());
    // The resized picture is what the list, the preview and the conversion see.
    THandyBitmap expected;
    ASSERT_TRUE(AreaResize(opened, 12, 8, expected));
    THandyBitmap working;
    ASSERT_TRUE(working.LoadFromFile(WorkingFile));
    EXPECT_EQ(working.biBitCount(), 24);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x)
            ASSERT_EQ(SourceBitmap->GetPixelColor(x, y), expected.GetPixelColor(x, y));
    EXPECT_EQ(PatternEngine->SourceWidth(), 12);
    EXPECT_EQ(PatternEngine->SourceHeight(), 8);
    EXPECT_EQ(Information(), file + "\r\n\r\n12 dots in width\r\n8 dots in height\r\n"
                                    "16777216 colors\r\n(resized from 30 x 20 dots)\r\n");

    // Again from the picture as opened, not from the small one; cancelling changes nothing.
    EXPECT_EQ(Choose(TPoint{60, 40}), (std::pair{TPoint{30, 20}, TPoint{12, 8}}));
    EXPECT_EQ(Choose(std::nullopt).second, (TPoint{60, 40}));
    ASSERT_TRUE(AreaResize(opened, 60, 40, expected));
    EXPECT_EQ(SourceBitmap->GetPixelColor(59, 39), expected.GetPixelColor(59, 39));
    // Its own size brings the picture back as it was, palette and all.
    Choose(TPoint{30, 20});
    EXPECT_EQ(testing::ReadBytes(WorkingFile), before);
    EXPECT_EQ(SourceBitmap->PaletteCount(), opened.PaletteCount());
    EXPECT_EQ(testing::ReadBytes(file), before);
    EXPECT_EQ(Information().find("resized"), std::string::npos);
}

TEST_F(PictureSizeCommand, ASizeNoWorkingPictureHoldsIsRefusedInTheRunsLanguage) {
    Start("/JAPANESE");
    Main().OpenChosenFile(Picture("noise.bmp"));
    Choose(TPoint{100000, 100000});
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "100000 x 100000 ドットの画像は大きすぎて扱えません。\r\n");
    EXPECT_EQ(SourceBitmap->biWidth(), 37);
}

} // namespace
} // namespace slanter
