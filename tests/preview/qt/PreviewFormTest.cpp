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

// A preview window on a pattern engine of its own, as the main window lends it.
class PreviewFormTest : public ::testing::Test {
  protected:
    void Select(bool horizontal, bool rightUp, int index) {
        engine.SetHorizontal(horizontal);
        engine.SetRightUp(rightUp);
        engine.SetSourceSize({64, 48});
        engine.SetPatternIndex(index);
    }
    // The wallpaper as the core renders it for the form's view.
    PicturePixels Expected(bool smoothing, bool outline) {
        const int side = qRound(form.PictureViewSide() * form.devicePixelRatioF());
        return RenderPicturePreview(
            engine, state.SourceBitmap, smoothing,
            PicturePreviewSize(engine.PatternSize(engine.PatternIndex()), {side, side}), outline);
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

TEST_F(PreviewFormTest, ShowsTheLatticeAndBesideItTheWallpaper) {
    Select(true, false, 2);
    form.Window().DrawPreview(false);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(ColourValues(form.Picture()), PreviewRaster(ComputePreviewDrawing(engine)).Pixels());
    EXPECT_TRUE(form.PictureView().isNull());
    EXPECT_EQ(form.size(), QSize(201, 201));

    state.SourceBitmap = testing::PatternedBitmap(24, 64, 48);
    form.Window().DrawPreview(true);
    const PicturePixels smoothed = Expected(true, false);
    const QImage view = form.PictureView();
    ASSERT_EQ(view.size(), QSize(smoothed.width, smoothed.height));
    EXPECT_EQ(ColourValues(view), smoothed.pixels);
    // The view sits beside the lattice; the window takes both and the option below.
    EXPECT_GE(form.width(), 201 + form.PictureViewSide());
    EXPECT_GE(form.height(), form.PictureViewSide());
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
}

TEST_F(PreviewFormTest, TheOptionOutlinesTheMiddleTile) {
    state.SourceBitmap = testing::PatternedBitmap(24, 64, 48);
    Select(false, true, 1);
    form.Window().DrawPreview(false);
    auto* option = form.findChild<QCheckBox*>(QStringLiteral("CheckBox1"));
    ASSERT_NE(option, nullptr);
    EXPECT_FALSE(option->isChecked());
    option->setChecked(true);
    EXPECT_EQ(ColourValues(form.PictureView()), Expected(false, true).pixels);
    option->setChecked(false);
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
    form.Window().DrawPreview(false);
    // Every display pixel is the pixel of the drawing made for the display's own pixels:
    // lines one display pixel wide, no colour blended between two.
    const QImage shown = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int scale = qRound(shown.devicePixelRatio());
    const PreviewRaster drawing(ComputePreviewDrawing(engine, 201 * scale, 201 * scale));
    ASSERT_EQ(form.Picture().size(), QSize(drawing.Width(), drawing.Height()));
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
