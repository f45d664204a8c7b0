#include <string>

#include <gtest/gtest.h>

#include "bitmap/Checkerboard.h"
#include "bitmap/HandyBitmap.h"
#include "cli/CliRun.h"
#include "engine/Slanter.h"
#include "preview/PicturePreview.h"
#include "preview/PreviewDrawing.h"
#include "support/PatternedBitmap.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

using testing::TempFolder;

struct Choice {
    bool horizontal;
    bool rightUp;
    bool smoothing;
    int pattern;
    std::string Name() const {
        return std::string(horizontal ? "rows" : "columns") + (rightUp ? " right" : " left") +
               (smoothing ? " smoothed" : " plain") + " pattern " + std::to_string(pattern);
    }
};

// The result pixel a preview pixel stands for, worked independently of the preview: the
// grid pixel under the screen pixel's centre, folded into one tile, the rows counted up.
TPoint SampledResultPixel(TPoint screen, TPoint shown, TPoint tile) {
    const auto under = [](int at, int length, int grid) {
        return static_cast<int>((at + 0.5) * grid / length);
    };
    return {under(screen.X, shown.X, 3 * tile.X) % tile.X,
            tile.Y - 1 - under(screen.Y, shown.Y, 3 * tile.Y) % tile.Y};
}

// A noisy picture, saved and read back as the program reads it, and the pattern engine
// set up for it as the command line sets it up.
class PicturePreviewTest : public ::testing::Test {
  protected:
    void Open(int bitCount, int width, int height) {
        input = folder.Path("in" + std::to_string(bitCount) + ".bmp");
        ASSERT_TRUE(testing::PatternedBitmap(bitCount, width, height).SaveToFile(input));
        ASSERT_TRUE(source.LoadFromFile(input));
    }
    void Select(const Choice& choice) {
        engine = TSlanter();
        engine.SetHorizontal(choice.horizontal);
        engine.SetRightUp(choice.rightUp);
        engine.SetSortOnAngle(false);
        engine.SetSourceSize({source.biWidth(), source.biHeight()});
        engine.SetPatternIndex(choice.pattern);
    }
    // What slanter-cli convert writes for the choice, as the bitmap store reads it back.
    THandyBitmap Converted(const Choice& choice) {
        const std::string output = folder.Path("out.bmp");
        cli::Arguments words{
            "convert", input, output, "--pattern", std::to_string(choice.pattern), "--sort=area"};
        if (!choice.horizontal)
            words.push_back("--vertical");
        if (!choice.rightUp)
            words.push_back("--left");
        if (choice.smoothing)
            words.push_back("--smooth");
        const cli::CliRun run = cli::RunWords(words);
        EXPECT_EQ(run.code, 0) << run.err;
        THandyBitmap result;
        EXPECT_TRUE(result.LoadFromFile(output)) << result.ErrorText();
        return result;
    }
    // Every pixel of the preview at `shown` against the converted result.
    void ExpectSamplesOfResult(const Choice& choice, const THandyBitmap& result, TPoint shown) {
        const TPoint tile{result.biWidth(), result.biHeight()};
        const PicturePixels preview =
            RenderPicturePreview(engine, source, choice.smoothing, shown, false);
        ASSERT_EQ(preview.width, shown.X) << choice.Name();
        ASSERT_EQ(preview.height, shown.Y) << choice.Name();
        int wrong = 0;
        for (int y = 0; y < shown.Y; ++y) {
            for (int x = 0; x < shown.X; ++x) {
                const TPoint pixel = SampledResultPixel({x, y}, shown, tile);
                wrong += preview.At(x, y) != result.GetPixelColor(pixel.X, pixel.Y);
            }
        }
        EXPECT_EQ(wrong, 0) << choice.Name() << " at " << shown.X << " x " << shown.Y;
    }

    TempFolder folder;
    std::string input;
    THandyBitmap source;
    TSlanter engine;
};

TEST_F(PicturePreviewTest, EveryPixelIsTheConvertedResultsPixelItSamples) {
    for (const int bitCount : {8, 24}) {
        Open(bitCount, 37, 29);
        for (const bool horizontal : {true, false}) {
            for (const bool rightUp : {true, false}) {
                for (const bool smoothing : {false, true}) {
                    for (const int pattern : {0, 3, 7}) {
                        const Choice choice{horizontal, rightUp, smoothing, pattern};
                        Select(choice);
                        const THandyBitmap result = Converted(choice);
                        const TPoint tile{result.biWidth(), result.biHeight()};
                        ASSERT_EQ(engine.PatternSize(pattern), tile);
                        // One to one, shrunk unevenly, and enlarged twice.
                        ExpectSamplesOfResult(choice, result, {3 * tile.X, 3 * tile.Y});
                        ExpectSamplesOfResult(choice, result,
                                              {3 * tile.X * 2 / 5, 3 * tile.Y * 3 / 7});
                        ExpectSamplesOfResult(choice, result, {6 * tile.X, 6 * tile.Y});
                    }
                }
            }
        }
    }
}

TEST_F(PicturePreviewTest, NothingToShowWithoutAPatternOrForAnotherPicture) {
    Open(24, 37, 29);
    EXPECT_EQ(RenderPicturePreview(engine, source, false, {50, 50}, true).width, 0);
    Select({true, true, false, 0});
    EXPECT_EQ(RenderPicturePreview(engine, source, false, {50, 50}, true).width, 50);
    const THandyBitmap other = testing::PatternedBitmap(24, 36, 29);
    EXPECT_TRUE(RenderPicturePreview(engine, other, true, {50, 50}, false).pixels.empty());
}

// Worked by hand: a 116 x 52 tile, its tiling of 348 x 156 shrunk into 201 x 201 to
// 201 x 90. Screen column x samples grid column trunc((2x + 1) x 348 / 402), which first
// reaches 116 at x = 67 and last stays below 232 at x = 133; rows likewise 30 to 59.
TEST(PicturePreviewGeometry, SizesAndTheMiddleTilesOutline) {
    EXPECT_EQ(PicturePreviewSize({116, 52}, {201, 201}), (TPoint{201, 90}));
    EXPECT_EQ(MiddleTileOutline({116, 52}, {201, 90}), (TileOutline{67, 30, 133, 59}));
    // A tiling that fits is enlarged whole times only; one to one its outline is the tile's.
    EXPECT_EQ(PicturePreviewSize({116, 52}, {462, 462}), (TPoint{348, 156}));
    EXPECT_EQ(PicturePreviewSize({20, 10}, {201, 201}), (TPoint{180, 90}));
    EXPECT_EQ(MiddleTileOutline({116, 52}, {348, 156}), (TileOutline{116, 52, 231, 103}));
    EXPECT_EQ(MiddleTileOutline({20, 10}, {180, 90}), (TileOutline{60, 30, 119, 59}));
    // The largest result the issue names: 14031 x 20175 pixels into 462 pixels high.
    EXPECT_EQ(PicturePreviewSize({4677, 6725}, {462, 462}), (TPoint{321, 462}));
    EXPECT_EQ(PicturePreviewSize({0, 52}, {201, 201}), (TPoint{0, 0}));
    // The view suits the screen, between the lattice drawing's side and 720.
    EXPECT_EQ(PictureViewSide({1920, 1040}), 462);
    EXPECT_EQ(PictureViewSide({800, 600}), 266);
    EXPECT_EQ(PictureViewSide({400, 300}), kPreviewImageSide);
    EXPECT_EQ(PictureViewSide({3840, 2160}), 720);
}

TEST_F(PicturePreviewTest, TheOutlineIsDashedBlackAndWhiteOverTheMiddleTile) {
    Open(24, 64, 48);
    Select({true, true, false, 0});
    const TPoint tile = engine.PatternSize(0);
    const TPoint shown{3 * tile.X, 3 * tile.Y};
    const PicturePixels plain = RenderPicturePreview(engine, source, false, shown, false);
    const PicturePixels outlined = RenderPicturePreview(engine, source, false, shown, true);
    const TileOutline outline = MiddleTileOutline(tile, shown);
    int changed = 0, black = 0, white = 0;
    for (int y = 0; y < shown.Y; ++y) {
        for (int x = 0; x < shown.X; ++x) {
            const bool onOutline = ((x == outline.left || x == outline.right) && y >= outline.top &&
                                    y <= outline.bottom) ||
                                   ((y == outline.top || y == outline.bottom) &&
                                    x >= outline.left && x <= outline.right);
            if (!onOutline) {
                changed += outlined.At(x, y) != plain.At(x, y);
                continue;
            }
            black += outlined.At(x, y) == kPreviewBlack;
            white += outlined.At(x, y) == kPreviewWhite;
        }
    }
    EXPECT_EQ(changed, 0);
    const int perimeter = 2 * (tile.X + tile.Y) - 4;
    EXPECT_EQ(black + white, perimeter);
    EXPECT_GT(black, perimeter / 3);
    EXPECT_GT(white, perimeter / 3);
}

// A picture clear throughout shows the checkerboard alone, plain or smoothed.
TEST(PicturePreview, AClearPictureShowsTheCheckerboard) {
    THandyBitmap clear = testing::PatternedBitmap(24, 30, 20);
    ASSERT_TRUE(clear.Kept().ResetPixels(30, 20, 8, true));
    TSlanter engine;
    engine.SetSourceSize({30, 20});
    engine.SetPatternIndex(2);
    for (const bool smoothing : {false, true}) {
        const PicturePixels shown = RenderPicturePreview(engine, clear, smoothing, {90, 70}, false);
        ASSERT_EQ(shown.width, 90);
        int wrong = 0;
        for (std::int32_t y = 0; y < shown.height; ++y)
            for (std::int32_t x = 0; x < shown.width; ++x)
                wrong += shown.At(x, y) != CheckerboardColor(x, y);
        EXPECT_EQ(wrong, 0) << smoothing;
    }
}

} // namespace
} // namespace slanter
