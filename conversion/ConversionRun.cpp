#include "conversion/ConversionRun.h"

#include <algorithm>
#include <vector>

#include "bitmap/HandyBitmap.h"
#include "conversion/Progress.h"
#include "conversion/Resampler.h"
#include "conversion/ResultShape.h"
#include "conversion/WorkerPool.h"
#include "engine/Slanter.h"

namespace slanter {

namespace {

// A band of about this many pixels takes a few milliseconds on one core, so the hooks
// (the window's events, Cancel) come round far more often than every 50 ms, while each
// band is wide enough for the result's rows to be written in long runs.
constexpr std::int64_t kBandPixels = std::int64_t{1} << 18;

} // namespace

std::int32_t BandColumns(std::int32_t rows, std::int64_t bandPixels) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(bandPixels / std::max(rows, 1), 1, INT32_MAX));
}

bool ComputeResult(const TSlanter& engine, const THandyBitmap& source, bool smoothing,
                   THandyBitmap& result, const RunHooks& hooks, RunStatistics* statistics) {
    const auto now = hooks.clock ? hooks.clock : std::function<double()>(NowAsDayCount);
    ShapeResult(result, source, engine.PatternSize(engine.PatternIndex()), smoothing);
    const std::int32_t width = result.biWidth();
    const std::int32_t rows = result.biHeight();
    TResampler resampler(engine, source, result, smoothing);
    const std::int32_t band = std::min(BandColumns(rows, kBandPixels), std::max(width, 1));

    // Each thread takes its own share of every band's rows, the same share every time.
    const int wanted = hooks.threads > 0 ? hooks.threads : AllCores();
    WorkerPool pool(std::clamp(wanted, 1, std::max(rows, 1)));
    std::vector<TResampler::Scratch> scratch;
    for (int part = 0; part < pool.Threads(); ++part)
        scratch.push_back(resampler.MakeScratch(band));
    const auto compute = [&](std::int32_t first, std::int32_t last) {
        pool.Run([&](int part) {
            const int parts = pool.Threads();
            const auto top = static_cast<std::int32_t>(std::int64_t{rows} * part / parts);
            const auto bottom = static_cast<std::int32_t>(std::int64_t{rows} * (part + 1) / parts);
            resampler.ConvertBlock({first, last, top, bottom}, scratch[part]);
        });
    };

    bool finished = true;
    const double start = now();
    for (std::int32_t first = 0; first < width && finished; first += band) {
        const std::int32_t last = std::min(width, first + band);
        std::int32_t column = first;
        for (; column < last; ++column) {
            if (hooks.keepGoing && !hooks.keepGoing()) {
                finished = false;
                break;
            }
            if (hooks.showProgress) {
                const double elapsed = ElapsedSeconds(start, now());
                hooks.showProgress({column, width, ProgressPercent(column, width),
                                    EstimateSeconds(elapsed, column, width)});
            }
        }
        if (column > first)
            compute(first, column);
    }
    if (statistics != nullptr) {
        *statistics = {std::int64_t{width} * rows, 0, pool.Threads()};
        for (const TResampler::Scratch& s : scratch)
            statistics->exactPixels += s.exactPixels;
    }
    return finished;
}

} // namespace slanter
