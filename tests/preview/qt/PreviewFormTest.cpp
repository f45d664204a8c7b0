#include <QImage>

#include <gtest/gtest.h>

#include "engine/Slanter.h"
#include "preview/qt/PreviewForm.h"
#include "shell/SharedObjects.h"

namespace slanter {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlack = 0xFF000000;

// A preview window on a pattern engine of its own, as the main window lends it.
class PreviewFormTest : public ::testing::Test {
  protected:
    PreviewFormTest() { PatternEngine = &engine; }
    ~PreviewFormTest() override { PatternEngine = nullptr; }

    void Select(bool horizontal, bool rightUp, int index) {
        engine.SetHorizontal(horizontal);
        engine.SetRightUp(rightUp);
        engine.SetSourceSize({64, 48});
        engine.SetPatternIndex(index);
    }

    TSlanter engine;
    TPreviewForm form;
};

TEST_F(PreviewFormTest, ClientAreaIsTheImageAndStartsWhite) {
    EXPECT_EQ(form.size(), QSize(201, 201));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    const QImage picture = form.Picture();
    ASSERT_EQ(picture.size(), QSize(201, 201));
    EXPECT_EQ(picture.pixel(0, 0), kWhite);
    EXPECT_EQ(picture.pixel(200, 200), kWhite);
    EXPECT_FALSE(form.isVisible());
}

// The tile of 24.30 degrees (area order's first, 116 x 52): R = 0.7 x 116 = 81.2, so the
// outline runs from x = trunc((81.2 - 58) x 201 / 162.4) = 28 to trunc(139.2 x 201 / 162.4)
// = 172, and from y = trunc(55.2 x 201 / 162.4) = 68 to trunc(107.2 x 201 / 162.4) = 132.
TEST_F(PreviewFormTest, PaintsTheOutlineBlackTheLatticeRedOnWhite) {
    engine.SetSortOnAngle(false);
    Select(true, true, 0);
    ASSERT_EQ(engine.PatternSize(0), (TPoint{116, 52}));
    form.DrawPreview();
    EXPECT_TRUE(form.isVisible());
    const QImage picture = form.Picture();
    // The outline's corners are black, the lattice corner at T (lower left) is drawn
    // under the outline; just outside it the red rows start.
    EXPECT_EQ(picture.pixel(28, 68), kBlack);
    EXPECT_EQ(picture.pixel(172, 68), kBlack);
    EXPECT_EQ(picture.pixel(28, 132), kBlack);
    EXPECT_EQ(picture.pixel(100, 132), kBlack);
    int red = 0, white = 0, other = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            red += pixel == kRed;
            white += pixel == kWhite;
            other += pixel != kRed && pixel != kWhite && pixel != kBlack;
        }
    }
    EXPECT_GT(red, 200);
    EXPECT_GT(white, 201 * 201 / 2);
    EXPECT_EQ(other, 0);
    // The lattice continues beyond the outline: a red pixel left of the tile corner.
    bool redLeftOfTile = false;
    for (int x = 0; x < 28; ++x)
        redLeftOfTile = redLeftOfTile || picture.pixel(x, 132) == kRed;
    EXPECT_TRUE(redLeftOfTile);
}

TEST_F(PreviewFormTest, DrawingAgainGivesTheSamePictureAfterAnother) {
    Select(false, false, 10);
    form.DrawPreview();
    const QImage first = form.Picture();
    Select(true, true, 3);
    form.DrawPreview();
    ASSERT_NE(form.Picture(), first);
    Select(false, false, 10);
    form.DrawPreview();
    EXPECT_EQ(form.Picture(), first);
}

TEST_F(PreviewFormTest, NoPatternSelectedGivesAWhiteImage) {
    form.DrawPreview();
    const QImage picture = form.Picture();
    for (int y = 0; y < picture.height(); y += 20)
        for (int x = 0; x < picture.width(); x += 20)
            EXPECT_EQ(picture.pixel(x, y), kWhite);
}

} // namespace
} // namespace slanter
