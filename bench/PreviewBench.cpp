// The picture preview of every pattern of a 4000 x 3000 picture, in both arrangements,
// plain and smoothed, at the largest views; beside it the full conversion of the smallest
// tile, which a preview drawn by converting first and scaling down would cost at least.
#include <string>

#include <benchmark/benchmark.h>

#include "bitmap/HandyBitmap.h"
#include "conversion/ConversionRun.h"
#include "engine/Slanter.h"
#include "preview/PicturePreview.h"

namespace {

using namespace slanter;

constexpr int kSourceWidth = 4000;
constexpr int kSourceHeight = 3000;
// The largest view the preview window takes on a screen of one device pixel a pixel, and
// the view of a 1920 x 1080 screen scaled by two (462 pixels a side, 924 device pixels).
constexpr int kViews[] = {720, 924};

const THandyBitmap& Source() {
    static const THandyBitmap source = [] {
        THandyBitmap picture;
        picture.NewImage(kSourceWidth, kSourceHeight, 24);
        for (int y = 0; y < kSourceHeight; ++y)
            for (int x = 0; x < kSourceWidth; ++x)
                picture.SetPixelColor(x, y,
                                      ((x * 255 / kSourceWidth + (x ^ y) % 17) & 255) |
                                          ((y * 255 / kSourceHeight) & 255) << 8 |
                                          ((x + y) / 8 & 255) << 16);
        return picture;
    }();
    return source;
}

TSlanter Engine(bool horizontal, int pattern) {
    TSlanter engine;
    engine.SetHorizontal(horizontal);
    engine.SetSortOnAngle(false);
    engine.SetSourceSize({kSourceWidth, kSourceHeight});
    engine.SetPatternIndex(pattern);
    return engine;
}

void BM_PicturePreview(benchmark::State& state, bool horizontal, int pattern, bool smoothing,
                       int view) {
    const TSlanter engine = Engine(horizontal, pattern);
    const TPoint tile = engine.PatternSize(pattern);
    const TPoint shown = PicturePreviewSize(tile, {view, view});
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderPicturePreview(engine, Source(), smoothing, shown, true));
    state.counters["tile_w"] = tile.X;
    state.counters["tile_h"] = tile.Y;
}

void BM_ConvertSmallestTile(benchmark::State& state, bool smoothing) {
    const TSlanter engine = Engine(true, 0);
    THandyBitmap result;
    for (auto _ : state)
        ComputeResult(engine, Source(), smoothing, result, {});
}

} // namespace

int main(int argc, char** argv) {
    for (const int view : kViews) {
        for (const bool horizontal : {true, false}) {
            const int count = Engine(horizontal, 0).PatternCount();
            for (int pattern = 0; pattern < count; ++pattern) {
                for (const bool smoothing : {false, true}) {
                    const std::string name = "BM_PicturePreview/view:" + std::to_string(view) +
                                             "/" + (horizontal ? "rows" : "columns") +
                                             "/pattern:" + std::to_string(pattern) +
                                             "/smooth:" + std::to_string(smoothing);
                    benchmark::RegisterBenchmark(name.c_str(), BM_PicturePreview, horizontal,
                                                 pattern, smoothing, view)
                        ->Unit(benchmark::kMillisecond)
                        ->Iterations(5);
                }
            }
        }
    }
    for (const bool smoothing : {false, true})
        benchmark::RegisterBenchmark(
            (std::string("BM_ConvertSmallestTile/smooth:") + std::to_string(smoothing)).c_str(),
            BM_ConvertSmallestTile, smoothing)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
