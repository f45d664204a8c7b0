// Load and save of a 4000 x 3000 picture at 24 and at 8 bits through the program's own
// reader and writer. bench/pillow_bmp_io.py then times Pillow and a plain file copy on
// the same files and prints the ratios.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bitmap/HandyBitmap.h"

namespace {

using slanter::THandyBitmap;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

std::string Folder() {
    const char* chosen = std::getenv("SLANTER_BENCH_DIR");
    return chosen != nullptr && *chosen != '\0' ? chosen : "/tmp/slanter-bitmap-bench";
}

std::string PicturePath(int bitCount) {
    return Folder() + "/picture-" + std::to_string(bitCount) + ".bmp";
}

// A picture with no long runs, so that nothing about it is cheaper than a photograph.
THandyBitmap MakePicture(int bitCount) {
    THandyBitmap b;
    b.NewImage(kWidth, kHeight, bitCount);
    if (bitCount == 8) {
        b.SetPaletteCount(256);
        for (int k = 0; k < 256; ++k)
            b.SetPaletteColor(k, k * 0x010203 & 0xFFFFFF);
    }
    std::uint32_t seed = 2024;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            if (bitCount == 8)
                b.SetPixelIndex(x, y, static_cast<std::int32_t>(seed >> 24));
            else
                b.SetPixelColor(x, y, static_cast<std::int32_t>(seed >> 8));
        }
    }
    return b;
}

void EnsurePictures() {
    std::filesystem::create_directories(Folder());
    for (const int bitCount : {24, 8}) {
        THandyBitmap b = MakePicture(bitCount);
        if (!b.SaveToFile(PicturePath(bitCount)))
            std::abort();
    }
}

// The shared machines only ever add time: like the Pillow script, report the fastest of
// several repetitions (as "min") beside the mean.
void Measured(benchmark::internal::Benchmark* b) {
    b->ArgName("bits")->Arg(24)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();
    b->Repetitions(5)->ReportAggregatesOnly(true);
    b->ComputeStatistics(
        "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

void BM_Load(benchmark::State& state) {
    const int bitCount = static_cast<int>(state.range(0));
    const std::string path = PicturePath(bitCount);
    THandyBitmap b; // one record reloaded, as the main window keeps one
    for (auto _ : state) {
        if (!b.LoadFromFile(path))
            state.SkipWithError(b.ErrorText().c_str());
        benchmark::DoNotOptimize(b.GetPixelColor(0, 0));
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_Load)->Apply(Measured);

void BM_Save(benchmark::State& state) {
    const int bitCount = static_cast<int>(state.range(0));
    THandyBitmap b;
    if (!b.LoadFromFile(PicturePath(bitCount)))
        std::abort();
    const std::string out = Folder() + "/saved-" + std::to_string(bitCount) + ".bmp";
    for (auto _ : state) {
        if (!b.SaveToFile(out))
            state.SkipWithError(b.ErrorText().c_str());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(out)));
}
BENCHMARK(BM_Save)->Apply(Measured);

} // namespace

// The pictures are made before the run, so that the report can name their folder.
int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    EnsurePictures();
    benchmark::AddCustomContext("bitmap_folder", Folder());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
