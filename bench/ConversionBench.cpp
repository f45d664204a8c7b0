#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include <benchmark/benchmark.h>

#include "bitmap/HandyBitmap.h"
#include "conversion/ConversionRun.h"
#include "conversion/Resampler.h"
#include "engine/Slanter.h"

#ifdef SLANTER_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

using namespace slanter;

// The pictures: 1024 x 768 at 24 and 8 bits, and a small one of 640 x 480 at 8 bits.
TPoint SourceSize(bool small) {
    return small ? TPoint{640, 480} : TPoint{1024, 768};
}

// A photo-sized picture with detail everywhere: smooth gradients and a fine pattern.
THandyBitmap MakeSource(int bitCount, TPoint size) {
    THandyBitmap source;
    source.NewImage(size.X, size.Y, bitCount);
    if (bitCount == 8) {
        source.SetPaletteCount(256);
        for (int i = 0; i < 256; ++i)
            source.SetPaletteColor(i, i | (255 - i) << 8 | (i * 7 & 255) << 16);
    }
    for (int y = 0; y < size.Y; ++y) {
        for (int x = 0; x < size.X; ++x) {
            const int r = (x * 255 / size.X + (x ^ y) % 17) & 255;
            const int g = (y * 255 / size.Y + (x * y) % 13) & 255;
            const int b = ((x + y) / 8) & 255;
            if (bitCount == 8)
                source.SetPixelIndex(x, y, (r + g + b) & 255);
            else
                source.SetPixelColor(x, y, r | g << 8 | b << 16);
        }
    }
    return source;
}

// The 24-bit picture with a kept plane beside its cells: 32 for 8-bit channels with an
// opacity that changes across it, 64 for opaque 16-bit channels.
THandyBitmap MakeKeptSource(int bitCount) {
    THandyBitmap source = MakeSource(24, SourceSize(false));
    const std::int32_t width = source.biWidth();
    const std::int32_t height = source.biHeight();
    const bool deep = bitCount == 64;
    source.Kept().ResetPixels(width, height, deep ? 16 : 8, !deep);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) {
            const auto c = static_cast<std::uint32_t>(source.GetPixelColor(x, y));
            const std::uint32_t scale = deep ? 257 : 1;
            const std::uint32_t alpha = deep ? 0xFFFF : (x / 16 + y / 16) % 3 * 127;
            source.Kept().Pixels()[std::int64_t{y} * width + x] = MakeKeptPixel(
                (c & 255) * scale, (c >> 8 & 255) * scale, (c >> 16 & 255) * scale, alpha);
        }
    return source;
}

const THandyBitmap& Source(int bitCount, bool small = false) {
    static const THandyBitmap source24 = MakeSource(24, SourceSize(false));
    static const THandyBitmap source8 = MakeSource(8, SourceSize(false));
    static const THandyBitmap small8 = MakeSource(8, SourceSize(true));
    if (bitCount == 32 || bitCount == 64) {
        static const THandyBitmap source32 = MakeKeptSource(32);
        static const THandyBitmap source64 = MakeKeptSource(64);
        return bitCount == 32 ? source32 : source64;
    }
    return small ? small8 : bitCount == 8 ? source8 : source24;
}

// Pattern 0 is the first of the angle order; "large" is the largest tile that stays
// below 20 megapixels.
TSlanter Engine(bool largePattern, bool small = false) {
    TSlanter engine;
    engine.SetSourceSize(SourceSize(small));
    int chosen = 0;
    if (largePattern) {
        std::int64_t best = 0;
        for (int k = 0; k < engine.PatternCount(); ++k) {
            const TPoint size = engine.PatternSize(k);
            const std::int64_t pixels = std::int64_t{size.X} * size.Y;
            if (pixels > best && pixels < 20'000'000) {
                best = pixels;
                chosen = k;
            }
        }
    }
    engine.SetPatternIndex(chosen);
    return engine;
}

void ReportPixels(benchmark::State& state, TPoint tile) {
    const double pixels = double(tile.X) * tile.Y;
    state.counters["Mpx_per_s"] =
        benchmark::Counter(pixels * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
    state.counters["ns_per_px"] =
        benchmark::Counter(pixels * double(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["tile_w"] = tile.X;
    state.counters["tile_h"] = tile.Y;
}

// args: source depth, small picture, large pattern, smoothing, threads (0: all cores)
void BM_Convert(benchmark::State& state) {
    const bool small = state.range(1) != 0;
    const THandyBitmap& source = Source(int(state.range(0)), small);
    const TSlanter engine = Engine(state.range(2) != 0, small);
    const bool smoothing = state.range(3) != 0;
    RunHooks hooks;
    hooks.threads = int(state.range(4));
    // One result picture for every run, as the peer's output matrix is: reshaping it
    // clears its cells without fresh pages.
    THandyBitmap result;
    RunStatistics statistics;
    for (auto _ : state) {
        ComputeResult(engine, source, smoothing, result, hooks, &statistics);
        benchmark::DoNotOptimize(result.GetPixelColor(0, 0));
    }
    ReportPixels(state, engine.PatternSize(engine.PatternIndex()));
    // The share of pixels that the error bound could not settle.
    state.counters["exact_fraction"] =
        double(statistics.exactPixels) / double(std::max<std::int64_t>(statistics.pixels, 1));
    state.counters["threads"] = statistics.threads;
}
BENCHMARK(BM_Convert)
    ->ArgNames({"bits", "small", "large", "smooth", "threads"})
    ->ArgsProduct({{24, 8, 32, 64}, {0}, {0, 1}, {0, 1}, {1}})
    ->Args({8, 1, 0, 0, 1})
    ->Args({8, 1, 0, 1, 1})
    ->Args({8, 1, 1, 0, 1})
    ->Args({8, 1, 1, 1, 1})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5);
// The speed-up from all cores, on the largest pattern, by the wall clock: one thread and
// all of them.
BENCHMARK(BM_Convert)
    ->ArgNames({"bits", "small", "large", "smooth", "threads"})
    ->ArgsProduct({{24}, {0}, {1}, {0, 1}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(0.5);

// Where the time goes: the mapping alone, column by column as the conversion runs it.
void BM_MapToSourceOnly(benchmark::State& state) {
    const TSlanter engine = Engine(state.range(0) != 0);
    const TPoint tile = engine.PatternSize(engine.PatternIndex());
    for (auto _ : state) {
        double sum = 0;
        for (int x = 0; x < tile.X; ++x)
            for (int y = 0; y < tile.Y; ++y)
                sum += engine.MapToSource({x, y}).SX;
        benchmark::DoNotOptimize(sum);
    }
    ReportPixels(state, tile);
}
BENCHMARK(BM_MapToSourceOnly)->ArgNames({"large"})->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// ... and the pixel reads and writes alone, in the conversion's column order.
void BM_PixelAccessOnly(benchmark::State& state) {
    const THandyBitmap& source = Source(24);
    const TSlanter engine = Engine(state.range(0) != 0);
    const TPoint tile = engine.PatternSize(engine.PatternIndex());
    THandyBitmap result;
    result.NewImage(tile.X, tile.Y, 24);
    for (auto _ : state) {
        for (int x = 0; x < tile.X; ++x)
            for (int y = 0; y < tile.Y; ++y)
                result.SetPixelColor(x, y,
                                     source.GetPixelColor((x * 3 + y) % source.biWidth(),
                                                          (y + x / 3) % source.biHeight()));
        benchmark::DoNotOptimize(result.GetPixelColor(0, 0));
    }
    ReportPixels(state, tile);
}
BENCHMARK(BM_PixelAccessOnly)->ArgNames({"large"})->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// ... and the writer.
void BM_SaveResult(benchmark::State& state) {
    const TSlanter engine = Engine(state.range(0) != 0);
    THandyBitmap result;
    ComputeResult(engine, Source(24), false, result, {});
    const std::string path = "/tmp/slanter-bench-result.bmp";
    for (auto _ : state)
        benchmark::DoNotOptimize(result.SaveToFile(path));
    std::remove(path.c_str());
    ReportPixels(state, engine.PatternSize(engine.PatternIndex()));
}
BENCHMARK(BM_SaveResult)->ArgNames({"large"})->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

#ifdef SLANTER_BENCH_OPENCV
// The peer: a general affine warp with wrapped borders to the same output size, on one
// thread, nearest and bilinear.
void BM_OpenCvWarpAffine(benchmark::State& state) {
    cv::setNumThreads(1);
    // 8: one channel, 24: three, 32: four (RGBA), 64: three of 16 bits.
    const int bits = int(state.range(0));
    const int type = bits == 8 ? CV_8UC1 : bits == 32 ? CV_8UC4 : bits == 64 ? CV_16UC3 : CV_8UC3;
    const bool small = state.range(1) != 0;
    const TSlanter engine = Engine(state.range(2) != 0, small);
    const bool bilinear = state.range(3) != 0;
    const TPoint tile = engine.PatternSize(engine.PatternIndex());
    const TPoint size = SourceSize(small);
    cv::Mat source(size.Y, size.X, type);
    cv::randu(source, 0, bits == 64 ? 65535 : 255);
    const double angle = engine.AngleRadians(engine.PatternIndex());
    const cv::Mat turn = (cv::Mat_<double>(2, 3) << std::cos(angle), std::sin(angle), 0,
                          -std::sin(angle), std::cos(angle), 0);
    cv::Mat result;
    for (auto _ : state) {
        cv::warpAffine(source, result, turn, cv::Size(tile.X, tile.Y),
                       (bilinear ? cv::INTER_LINEAR : cv::INTER_NEAREST) | cv::WARP_INVERSE_MAP,
                       cv::BORDER_WRAP);
        benchmark::DoNotOptimize(result.data);
    }
    ReportPixels(state, tile);
}
BENCHMARK(BM_OpenCvWarpAffine)
    ->ArgNames({"bits", "small", "large", "bilinear"})
    ->ArgsProduct({{24, 8, 32, 64}, {0}, {0, 1}, {0, 1}})
    ->Args({8, 1, 0, 0})
    ->Args({8, 1, 0, 1})
    ->Args({8, 1, 1, 0})
    ->Args({8, 1, 1, 1})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5);
#endif

} // namespace

BENCHMARK_MAIN();
