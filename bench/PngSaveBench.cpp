// The desktop program's Save As of a large result as a PNG file: the 7291 x 3291 result of
// a 4000 x 3000 photograph, read back from its result file and written through the one
// writer with every core, as the result window does. Against its 2 s.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "bitmap/HandyBitmap.h"
#include "bitmap/OutputFile.h"

namespace {

using slanter::THandyBitmap;

std::string Folder() {
    const char* chosen = std::getenv("SLANTER_BENCH_DIR");
    return chosen != nullptr && *chosen != '\0' ? chosen : "/tmp/slanter-png-bench";
}

// Smooth shading with a little grain, as a turned photograph has.
THandyBitmap MakeResult() {
    THandyBitmap b;
    b.NewImage(7291, 3291, 24);
    std::uint32_t seed = 7;
    for (int y = 0; y < b.biHeight(); ++y) {
        for (int x = 0; x < b.biWidth(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = static_cast<int>(seed >> 29);
            const int red = (x / 29 + grain) & 255;
            const int green = (y / 13 + (x + y) / 41 + grain) & 255;
            const int blue = ((x ^ y) / 97 + grain) & 255;
            b.SetPixelColor(x, y, red | green << 8 | blue << 16);
        }
    }
    return b;
}

void BM_SaveResultAsPng(benchmark::State& state) {
    const std::string resultFile = Folder() + "/result.bmp";
    const std::string out = Folder() + "/saved.png";
    for (auto _ : state) {
        THandyBitmap result;
        if (!result.LoadFromFile(resultFile))
            state.SkipWithError(result.ErrorText().c_str());
        if (const std::string problem = slanter::WriteResultFile(result, out); !problem.empty())
            state.SkipWithError(problem.c_str());
    }
    state.counters["target_s"] = 2.0;
}
BENCHMARK(BM_SaveResultAsPng)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::filesystem::create_directories(Folder());
    if (!MakeResult().SaveToFile(Folder() + "/result.bmp"))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(Folder());
    return 0;
}
