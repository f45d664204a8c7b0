// The picture at the size the user wants, and what that unlocks: the area-averaging resize
// of a 40-megapixel photo beside OpenCV's INTER_AREA on the same pixels, and converting the
// largest pattern of a 4000 x 3000 photo (pixel data beyond 100,000,000 bytes, once refused)
// beside OpenCV's affine warp to the same tile on the same threads.
#include <cmath>
#include <cstdint>

#include <benchmark/benchmark.h>

#include "bitmap/AreaResize.h"
#include "bitmap/HandyBitmap.h"
#include "conversion/ConversionRun.h"
#include "engine/Slanter.h"

#ifdef SLANTER_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

using namespace slanter;

// Detail everywhere, as in a photo: gradients and a fine pattern.
std::int32_t Colour(int x, int y, int width, int height) {
    const int r = (x * 255 / width + (x ^ y) % 17) & 255;
    const int g = (y * 255 / height + (x * y) % 13) & 255;
    const int b = ((x + y) / 8) & 255;
    return r | g << 8 | b << 16;
}

THandyBitmap MakePhoto(int width, int height) {
    THandyBitmap photo;
    photo.NewImage(width, height, 24);
    for (int y = 0; y < height; ++y) {
        std::int32_t* cells = photo.CellRow(y);
        for (int x = 0; x < width; ++x)
            cells[x] = Colour(x, y, width, height);
    }
    return photo;
}

constexpr int kPhotoWidth = 8000, kPhotoHeight = 5000; // 40 megapixels

const THandyBitmap& Photo40() {
    static const THandyBitmap photo = MakePhoto(kPhotoWidth, kPhotoHeight);
    return photo;
}

// arg 0: 1920 x 1200 (a wallpaper), 1: 50 %.
TPoint Target(std::int64_t kind) {
    return kind == 0 ? TPoint{1920, 1200} : TPoint{kPhotoWidth / 2, kPhotoHeight / 2};
}

void Report(benchmark::State& state, TPoint size) {
    state.counters["out_w"] = size.X;
    state.counters["out_h"] = size.Y;
}

void BM_AreaResize(benchmark::State& state) {
    const THandyBitmap& photo = Photo40();
    const TPoint size = Target(state.range(0));
    THandyBitmap resized;
    for (auto _ : state) {
        AreaResize(photo, size.X, size.Y, resized);
        benchmark::DoNotOptimize(resized.GetPixelColor(0, 0));
    }
    Report(state, size);
}
BENCHMARK(BM_AreaResize)->ArgName("half")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

TSlanter LargestPattern() {
    TSlanter engine;
    engine.SetSourceSize({4000, 3000});
    int largest = 0;
    for (int k = 0; k < engine.PatternCount(); ++k)
        if (engine.PatternArea(k) > engine.PatternArea(largest))
            largest = k;
    engine.SetPatternIndex(largest);
    return engine;
}

// All cores, by the wall clock, as the program runs it.
void BM_ConvertLargest(benchmark::State& state) {
    static const THandyBitmap photo = MakePhoto(4000, 3000);
    const TSlanter engine = LargestPattern();
    THandyBitmap result;
    for (auto _ : state) {
        ComputeResult(engine, photo, false, result, {});
        benchmark::DoNotOptimize(result.GetPixelColor(0, 0));
    }
    Report(state, engine.PatternSize(engine.PatternIndex()));
}
BENCHMARK(BM_ConvertLargest)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

#ifdef SLANTER_BENCH_OPENCV
cv::Mat AsMat(const THandyBitmap& picture) {
    cv::Mat mat(picture.biHeight(), picture.biWidth(), CV_8UC3);
    for (int y = 0; y < picture.biHeight(); ++y) {
        const std::int32_t* cells = picture.CellRow(y);
        auto* row = mat.ptr<std::uint8_t>(y);
        for (int x = 0; x < picture.biWidth(); ++x) {
            row[3 * x] = static_cast<std::uint8_t>(cells[x] >> 16);
            row[3 * x + 1] = static_cast<std::uint8_t>(cells[x] >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(cells[x]);
        }
    }
    return mat;
}

// On one thread, as ours runs.
void BM_OpenCvInterArea(benchmark::State& state) {
    cv::setNumThreads(1);
    static const cv::Mat photo = AsMat(Photo40());
    const TPoint size = Target(state.range(0));
    cv::Mat resized;
    for (auto _ : state) {
        cv::resize(photo, resized, cv::Size(size.X, size.Y), 0, 0, cv::INTER_AREA);
        benchmark::DoNotOptimize(resized.data);
    }
    Report(state, size);
}
BENCHMARK(BM_OpenCvInterArea)->ArgName("half")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same tile turned by the same angle, nearest pixel, wrapped borders, on all cores.
void BM_OpenCvWarpLargest(benchmark::State& state) {
    cv::setNumThreads(-1);
    static const cv::Mat photo = AsMat(MakePhoto(4000, 3000));
    const TSlanter engine = LargestPattern();
    const TPoint tile = engine.PatternSize(engine.PatternIndex());
    const double angle = engine.AngleRadians(engine.PatternIndex());
    const cv::Mat turn = (cv::Mat_<double>(2, 3) << std::cos(angle), std::sin(angle), 0,
                          -std::sin(angle), std::cos(angle), 0);
    cv::Mat result;
    for (auto _ : state) {
        cv::warpAffine(photo, result, turn, cv::Size(tile.X, tile.Y), cv::INTER_NEAREST,
                       cv::BORDER_WRAP);
        benchmark::DoNotOptimize(result.data);
    }
    Report(state, tile);
}
BENCHMARK(BM_OpenCvWarpLargest)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
#endif

} // namespace

BENCHMARK_MAIN();
