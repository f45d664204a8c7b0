#include <QCheckBox>
#include <QImage>

#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"
#include "engine/Slanter.h"
#include "preview/PicturePreview.h"
#include "preview/PreviewDrawing.h"
#include "preview/PreviewRaster.h"
#include "preview/qt/PreviewForm.h"
#include "shell/General.h"
#include "shell/ProgramState.h"
#include "support/PatternedBitmap.h"

namespace slanter {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlack = 0xFF000000;

// A preview window on a pattern engine of its own, as the main window lends it.
class PreviewFormTest : public ::testing::Test {
  protected:
    void Select(bool horizontal, bool rightUp, int index) {
        engine.SetHorizontal(horizontal);
        engine.SetRightUp(rightUp);
        engine.SetSourceSize({64, 48});
        engine.SetPatternIndex(index);
    }

    ProgramState state;
    TSlanter& engine = state.PatternEngine;
    TPreviewForm form{state};
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

// The colour values of an image, as the core keeps them.
std::vector<std::uint32_t> ColourValues(const QImage& image) {
    std::vector<std::uint32_t> values;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            values.push_back(qRed(pixel) | qGreen(pixel) << 8 | qBlue(pixel) << 16);
        }
    }
    return values;
}

// With a picture open the window gains the wallpaper beside the lattice, which stays
// what it is without one.
class PicturePreviewFormTest : public PreviewFormTest {
  protected:
    PicturePreviewFormTest() : picture(testing::PatternedBitmap(24, 64, 48)) {}

    // The wallpaper as the core renders it for the form's view.
    PicturePixels Expected(bool smoothing, bool outline) {
        const int side = qRound(form.PictureViewSide() * form.devicePixelRatioF());
        return RenderPicturePreview(
            engine, picture, smoothing,
            PicturePreviewSize(engine.PatternSize(engine.PatternIndex()), {side, side}), outline);
    }

    THandyBitmap picture;
};

TEST_F(PicturePreviewFormTest, ShowsTheWallpaperBesideTheUnchangedLattice) {
    Select(true, false, 2);
    form.DrawPreview();
    const QImage latticeAlone = form.Picture();
    EXPECT_TRUE(form.PictureView().isNull());
    EXPECT_EQ(form.size(), QSize(201, 201));

    state.SourceBitmap = testing::PatternedBitmap(24, 64, 48);
    form.DrawPreview();
    EXPECT_EQ(form.Picture(), latticeAlone);
    const PreviewRaster lattice(ComputePreviewDrawing(engine));
    EXPECT_EQ(ColourValues(form.Picture()), lattice.Pixels());
    const PicturePixels plain = Expected(false, false);
    const QImage view = form.PictureView();
    ASSERT_EQ(view.size(), QSize(plain.width, plain.height));
    EXPECT_EQ(ColourValues(view), plain.pixels);
    // The view sits beside the lattice; the window takes both and the option below.
    EXPECT_GE(form.width(), 201 + form.PictureViewSide());
    EXPECT_GE(form.height(), form.PictureViewSide());
    EXPECT_EQ(form.minimumSize(), form.maximumSize());

    form.Smoothing = true;
    form.DrawPreview();
    EXPECT_EQ(ColourValues(form.PictureView()), Expected(true, false).pixels);
    EXPECT_NE(ColourValues(form.PictureView()), plain.pixels);
}

TEST_F(PicturePreviewFormTest, TheOptionOutlinesTheMiddleTileOfTheLastWallpaperDrawn) {
    state.SourceBitmap = testing::PatternedBitmap(24, 64, 48);
    Select(false, true, 1);
    form.DrawPreview();
    auto* option = form.findChild<QCheckBox*>(QStringLiteral("CheckBox1"));
    ASSERT_NE(option, nullptr);
    EXPECT_FALSE(option->isChecked());
    // Drawn again only when asked: a new tilt does not reach the outlined wallpaper.
    const PicturePixels outlined = Expected(false, true);
    engine.SetRightUp(false);
    option->setChecked(true);
    EXPECT_EQ(ColourValues(form.PictureView()), outlined.pixels);
    option->setChecked(false);
    engine.SetRightUp(true);
    EXPECT_EQ(ColourValues(form.PictureView()), Expected(false, false).pixels);
}

TEST(PreviewFormCaptions, TheOutlineOptionInBothLanguages) {
    const bool japanese = Japanese;
    for (const bool inJapanese : {false, true}) {
        Japanese = inJapanese;
        ProgramState state;
        const TPreviewForm form(state);
        EXPECT_EQ(form.findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->text(),
                  inJapanese ? QStringLiteral("タイルの輪郭を表示(&O)")
                             : QStringLiteral("Show tile &outline"));
        EXPECT_EQ(form.windowTitle(),
                  inJapanese ? QStringLiteral("プレビュー") : QStringLiteral("Preview"));
    }
    Japanese = japanese;
}

TEST_F(PreviewFormTest, AScaledDisplayShowsTheDrawingSharp) {
    if (form.devicePixelRatioF() == 1)
        GTEST_SKIP() << "needs a scaled display (QT_SCALE_FACTOR)";
    engine.SetSortOnAngle(false);
    Select(true, true, 0);
    form.DrawPreview();
    ASSERT_EQ(form.Picture().size(), QSize(201, 201));
    // Every display pixel is the pixel of the drawing made for the display's own pixels:
    // lines one display pixel wide, no colour blended between two.
    const QImage shown = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int scale = qRound(shown.devicePixelRatio());
    const PreviewRaster drawing(ComputePreviewDrawing(engine, 201 * scale, 201 * scale));
    ASSERT_EQ(shown.size(), QSize(drawing.Width(), drawing.Height()));
    int wrong = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const std::uint32_t colour =
                drawing.Pixels()[static_cast<std::size_t>(y) * drawing.Width() + x];
            const QRgb expected = qRgb(colour & 0xFF, colour >> 8 & 0xFF, colour >> 16 & 0xFF);
            if (shown.pixel(x, y) != expected && ++wrong <= 3)
                ADD_FAILURE() << "pixel " << x << "," << y;
        }
    }
    EXPECT_EQ(wrong, 0);
}

} // namespace
} // namespace slanter
