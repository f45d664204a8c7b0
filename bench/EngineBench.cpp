#include <benchmark/benchmark.h>

#include "engine/Slanter.h"
#include "support/NaiveMapToSource.h"

namespace {

using slanter::SourcePosition;
using slanter::TPoint;
using slanter::TSlanter;

void BM_BuildPatterns(benchmark::State& state) {
    const TPoint size{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    const bool horizontal = state.range(2) != 0;
    for (auto _ : state) {
        TSlanter engine;
        engine.SetHorizontal(horizontal);
        engine.SetSourceSize(size);
        benchmark::DoNotOptimize(engine.PatternCount());
    }
    TSlanter engine;
    engine.SetHorizontal(horizontal);
    engine.SetSourceSize(size);
    state.counters["patterns"] = engine.PatternCount();
}
BENCHMARK(BM_BuildPatterns)
    ->ArgNames({"w", "h", "rows"})
    ->ArgsProduct({{64}, {48}, {1, 0}})
    ->ArgsProduct({{640}, {480}, {1, 0}})
    ->ArgsProduct({{1920}, {1080}, {1, 0}})
    ->ArgsProduct({{2000}, {2000}, {1, 0}})
    ->ArgsProduct({{100}, {5000}, {1, 0}})
    ->ArgsProduct({{1}, {1}, {1, 0}})
    ->ArgsProduct({{9999}, {1}, {1, 0}})
    // The longest pictures the reader takes, where few candidates of a multiplier fit.
    ->ArgsProduct({{100'000'000}, {1}, {1, 0}})
    ->ArgsProduct({{85'073'224}, {1}, {1, 0}})
    ->ArgsProduct({{30'000'000}, {1}, {1, 0}})
    ->ArgsProduct({{1'000'000}, {100}, {1, 0}})
    ->Unit(benchmark::kMicrosecond);

// A whole tile of a chosen pattern: picture size, arrangement, tilt, pattern number.
struct TileCase {
    TSlanter engine;
    TPoint tile;
};

TileCase MakeTile(const benchmark::State& state) {
    TileCase c;
    c.engine.SetHorizontal(state.range(2) != 0);
    c.engine.SetRightUp(state.range(3) != 0);
    c.engine.SetSourceSize({static_cast<int>(state.range(0)), static_cast<int>(state.range(1))});
    c.engine.SetPatternIndex(static_cast<int>(state.range(4)));
    c.tile = c.engine.PatternSize(c.engine.PatternIndex());
    return c;
}

template <SourcePosition (*Map)(const TSlanter&, TPoint)>
void MapWholeTile(benchmark::State& state) {
    const TileCase c = MakeTile(state);
    for (auto _ : state) {
        for (int y = 0; y < c.tile.Y; ++y)
            for (int x = 0; x < c.tile.X; ++x)
                benchmark::DoNotOptimize(Map(c.engine, {x, y}));
    }
    const double pixels = double(c.tile.X) * c.tile.Y;
    state.counters["ns_per_pixel"] =
        benchmark::Counter(double(state.iterations()) * pixels,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

SourcePosition Engine(const TSlanter& engine, TPoint pixel) {
    return engine.MapToSource(pixel);
}

void BM_MapToSource(benchmark::State& state) {
    MapWholeTile<Engine>(state);
}
void BM_MapToSourceNaive(benchmark::State& state) {
    MapWholeTile<slanter::testing::NaiveMapToSource>(state);
}

// Ordinary pictures fold a step or two per pixel; thin ones fold many.
void TileArgs(benchmark::internal::Benchmark* b) {
    b->ArgNames({"w", "h", "rows", "rightup", "pattern"});
    b->Args({640, 480, 1, 1, 0});
    b->Args({640, 480, 0, 0, 0});
    b->Args({64, 48, 1, 1, 99});
    b->Args({64, 48, 0, 0, 50});
    b->Args({16, 2, 1, 1, 0});
    b->Args({3, 300, 1, 0, 0});
    b->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_MapToSource)->Apply(TileArgs);
BENCHMARK(BM_MapToSourceNaive)->Apply(TileArgs);

} // namespace

BENCHMARK_MAIN();
