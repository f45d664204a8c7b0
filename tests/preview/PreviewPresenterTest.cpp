#include <algorithm>
#include <map>

#include <gtest/gtest.h>

#include "preview/PicturePreview.h"
#include "preview/PreviewDrawing.h"
#include "preview/PreviewLayout.h"
#include "preview/PreviewPresenter.h"
#include "preview/PreviewRaster.h"
#include "shell/General.h"
#include "shell/ProgramState.h"
#include "support/FakeServices.h"
#include "support/PatternedBitmap.h"

namespace slanter {
namespace {

// The window's drawings as plain values, on a display of `scale` pixels to the window's.
struct FakePreviewView : PreviewView {
    TPoint ScreenRoom() const override { return {1280, 1024}; }
    TPoint LatticeSize() const override { return {201, 201}; }
    TPoint LatticePixels() const override { return {201 * scale, 201 * scale}; }
    std::int32_t OptionHeight() const override { return 17; }
    std::int32_t DisplayPixels(std::int32_t length) override { return length * scale; }
    void SetCaption(std::string_view item, const std::string& text) override {
        captions[std::string(item)] = text;
    }
    void ShowLattice(const PreviewRaster& drawing) override {
        latticeSize = {drawing.Width(), drawing.Height()};
        lattice = drawing.Pixels();
    }
    void LayOut(const PreviewLayout& layout) override {
        pictureView = layout.pictureView;
        viewSide = layout.view.width;
        client = layout.client;
        if (!pictureView)
            wallpaper = {};
    }
    void ShowWallpaper(const PicturePixels& shown) override { wallpaper = shown; }
    void PaintNow() override {}
    void ShowInFront() override { visible = true; }
    bool IsShown() const override { return visible; }
    void HideWindow() override { visible = false; }
    void SavePlacement() override { ++placementsSaved; }

    std::int32_t scale = 1;
    std::map<std::string, std::string> captions;
    TPoint latticeSize;
    std::vector<std::uint32_t> lattice;
    bool pictureView = true;
    std::int32_t viewSide = 0;
    TPoint client;
    PicturePixels wallpaper;
    bool visible = false;
    int placementsSaved = 0;
};

class PreviewPresenterTest : public ::testing::Test {
  protected:
    PreviewPresenterTest() { presenter.Start(); }
    ~PreviewPresenterTest() override { Japanese = japanese_; }

    void Select(bool horizontal, bool rightUp, int index) {
        TSlanter& engine = state.PatternEngine;
        engine.SetHorizontal(horizontal);
        engine.SetRightUp(rightUp);
        engine.SetSourceSize({64, 48});
        engine.SetPatternIndex(index);
    }
    std::uint32_t LatticeAt(int x, int y) const {
        return view.lattice[static_cast<std::size_t>(y) * view.latticeSize.X + x];
    }
    // The wallpaper as the core renders it for a view of `side` display pixels.
    PicturePixels Expected(bool smoothing, bool outline, int side) const {
        const TSlanter& engine = state.PatternEngine;
        return RenderPicturePreview(
            engine, state.SourceBitmap, smoothing,
            PicturePreviewSize(engine.PatternSize(engine.PatternIndex()), {side, side}), outline);
    }

    const bool japanese_ = Japanese;
    ProgramState state;
    FakeServices services;
    FakePreviewView view;
    PreviewPresenter presenter{state, services, view};
};

TEST_F(PreviewPresenterTest, StartsHiddenWithTheLatticeAloneAndWhite) {
    EXPECT_FALSE(view.visible);
    EXPECT_FALSE(view.pictureView);
    EXPECT_EQ(view.client, (TPoint{201, 201}));
    EXPECT_EQ(view.latticeSize, (TPoint{201, 201}));
    EXPECT_EQ(std::count(view.lattice.begin(), view.lattice.end(), kPreviewWhite), 201 * 201);
    // The picture view's side comes from the screen's room.
    EXPECT_EQ(presenter.PictureViewSide(), PictureViewSide({1280, 1024}));
}

// The tile of 24.30 degrees (area order's first, 116 x 52): R = 0.7 x 116 = 81.2, so the
// outline runs from x = trunc((81.2 - 58) x 201 / 162.4) = 28 to trunc(139.2 x 201 / 162.4)
// = 172, and from y = trunc(55.2 x 201 / 162.4) = 68 to trunc(107.2 x 201 / 162.4) = 132.
TEST_F(PreviewPresenterTest, ShowsTheOutlineBlackTheLatticeRedOnWhite) {
    state.PatternEngine.SetSortOnAngle(false);
    Select(true, true, 0);
    ASSERT_EQ(state.PatternEngine.PatternSize(0), (TPoint{116, 52}));
    presenter.DrawPreview(false);
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(LatticeAt(28, 68), kPreviewBlack);
    EXPECT_EQ(LatticeAt(172, 68), kPreviewBlack);
    EXPECT_EQ(LatticeAt(28, 132), kPreviewBlack);
    EXPECT_EQ(LatticeAt(100, 132), kPreviewBlack);
    const auto red = std::count(view.lattice.begin(), view.lattice.end(), kPreviewRed);
    const auto white = std::count(view.lattice.begin(), view.lattice.end(), kPreviewWhite);
    EXPECT_GT(red, 200);
    EXPECT_GT(white, 201 * 201 / 2);
    EXPECT_EQ(red + white + std::count(view.lattice.begin(), view.lattice.end(), kPreviewBlack),
              201 * 201);
}

TEST_F(PreviewPresenterTest, DrawingAgainGivesTheSameLatticeAfterAnother) {
    Select(false, false, 10);
    presenter.DrawPreview(false);
    const std::vector<std::uint32_t> first = view.lattice;
    Select(true, true, 3);
    presenter.DrawPreview(false);
    ASSERT_NE(view.lattice, first);
    Select(false, false, 10);
    presenter.DrawPreview(false);
    EXPECT_EQ(view.lattice, first);
}

TEST_F(PreviewPresenterTest, NoPatternSelectedGivesAWhiteLatticeAndNoPictureView) {
    state.SourceBitmap = testing::PatternedBitmap(24, 64, 48);
    presenter.DrawPreview(false);
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(std::count(view.lattice.begin(), view.lattice.end(), kPreviewWhite), 201 * 201);
    EXPECT_FALSE(view.pictureView);
}

TEST_F(PreviewPresenterTest, AnOpenPictureGainsItsWallpaperBesideTheUnchangedLattice) {
    Select(true, false, 2);
    presenter.DrawPreview(false);
    const std::vector<std::uint32_t> latticeAlone = view.lattice;
    EXPECT_FALSE(view.pictureView);

    state.SourceBitmap = testing::PatternedBitmap(24, 64, 48);
    presenter.DrawPreview(false);
    EXPECT_EQ(view.lattice, latticeAlone);
    EXPECT_EQ(view.lattice, PreviewRaster(ComputePreviewDrawing(state.PatternEngine)).Pixels());
    EXPECT_TRUE(view.pictureView);
    EXPECT_EQ(view.viewSide, presenter.PictureViewSide());
    const PicturePixels plain = Expected(false, false, presenter.PictureViewSide());
    EXPECT_GT(plain.width, 0);
    EXPECT_EQ(view.wallpaper.pixels, plain.pixels);

    presenter.DrawPreview(true);
    EXPECT_EQ(view.wallpaper.pixels, Expected(true, false, presenter.PictureViewSide()).pixels);
    EXPECT_NE(view.wallpaper.pixels, plain.pixels);
}

TEST_F(PreviewPresenterTest, OnAScaledDisplayBothDrawingsAreInItsOwnPixels) {
    view.scale = 2;
    state.SourceBitmap = testing::PatternedBitmap(24, 64, 48);
    Select(true, true, 1);
    presenter.DrawPreview(false);
    EXPECT_EQ(view.lattice,
              PreviewRaster(ComputePreviewDrawing(state.PatternEngine, 402, 402)).Pixels());
    EXPECT_EQ(view.wallpaper.pixels,
              Expected(false, false, 2 * presenter.PictureViewSide()).pixels);
    // A new scale draws the lattice anew; the wallpaper stays what it was.
    view.scale = 3;
    presenter.ScaleChanged();
    EXPECT_EQ(view.latticeSize, (TPoint{603, 603}));
    EXPECT_EQ(view.wallpaper.width, Expected(false, false, 2 * presenter.PictureViewSide()).width);
}

TEST_F(PreviewPresenterTest, TheOptionOutlinesTheMiddleTileOfTheLastWallpaperDrawn) {
    state.SourceBitmap = testing::PatternedBitmap(24, 64, 48);
    Select(false, true, 1);
    presenter.DrawPreview(false);
    const int side = presenter.PictureViewSide();
    // Drawn again only when asked: a new tilt does not reach the outlined wallpaper.
    const PicturePixels outlined = Expected(false, true, side);
    state.PatternEngine.SetRightUp(false);
    presenter.SetOutline(true);
    EXPECT_EQ(view.wallpaper.pixels, outlined.pixels);
    presenter.SetOutline(false);
    state.PatternEngine.SetRightUp(true);
    EXPECT_EQ(view.wallpaper.pixels, Expected(false, false, side).pixels);
    // The option holds for the next preview too.
    presenter.SetOutline(true);
    presenter.DrawPreview(false);
    EXPECT_EQ(view.wallpaper.pixels, outlined.pixels);
}

TEST_F(PreviewPresenterTest, CloseStoresThePlacementAndHides) {
    presenter.DrawPreview(false);
    presenter.Close();
    EXPECT_FALSE(presenter.IsVisible());
    EXPECT_EQ(view.placementsSaved, 1);
}

TEST(PreviewPresenterCaptions, AnEnglishRunCaptionsTheWindowAndTheOption) {
    const bool japanese = Japanese;
    for (const bool inJapanese : {true, false}) {
        Japanese = inJapanese;
        ProgramState state;
        FakeServices services;
        FakePreviewView view;
        PreviewPresenter(state, services, view).Start();
        if (inJapanese) {
            EXPECT_TRUE(view.captions.empty());
        } else {
            EXPECT_EQ(view.captions["PreviewForm"], "Preview");
            EXPECT_EQ(view.captions["CheckBox1"], "Show tile &outline");
        }
    }
    Japanese = japanese;
}

} // namespace
} // namespace slanter
