#include "conversion/ConversionRun.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <new>
#include <vector>

#include "bitmap/HandyBitmap.h"
#include "conversion/Progress.h"
#include "conversion/Resampler.h"
#include "conversion/ResultShape.h"
#include "conversion/WorkerPool.h"
#include "engine/Slanter.h"

namespace slanter {

namespace {

// The first band holds about this many pixels, a millisecond or two of work on one core.
constexpr std::int64_t kFirstBandPixels = std::int64_t{1} << 16;
// Each later band is sized from the speed of the one before to take about this long: the
// hooks (the window's events, Cancel) come round well within 50 ms even on a loaded
// machine, while each band is long enough for the threads to be worth waking.
constexpr double kBandSeconds = 0.015;

// The width of the next band, from the last one's width and the seconds it took; it
// grows or shrinks by at most a factor of 4 at a time.
std::int32_t NextBand(std::int32_t band, double seconds, std::int32_t width) {
    const double wanted = seconds > 0 ? band * (kBandSeconds / seconds) : 4.0 * band;
    const double bounded = std::clamp(wanted, band / 4.0, band * 4.0);
    return static_cast<std::int32_t>(std::clamp(bounded, 1.0, double(std::max(width, 1))));
}

} // namespace

std::int32_t BandColumns(std::int32_t rows, std::int64_t bandPixels) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(bandPixels / std::max(rows, 1), 1, INT32_MAX));
}

namespace {

// The run once the result has its cells; the scratch rows and the threads may still fail
// to get their memory.
RunOutcome ComputeShapedResult(const TSlanter& engine, const THandyBitmap& source, bool smoothing,
                               THandyBitmap& result, const RunHooks& hooks,
                               const std::function<double()>& now, RunStatistics* statistics) {
    const std::int32_t width = result.biWidth();
    const std::int32_t rows = result.biHeight();
    TResampler resampler(engine, source, result, smoothing);
    std::int32_t band = std::min(BandColumns(rows, kFirstBandPixels), std::max(width, 1));

    const int wanted = hooks.threads > 0 ? hooks.threads : AllCores();
    WorkerPool pool(std::clamp(wanted, 1, std::max(rows, 1)));
    std::vector<TResampler::Scratch> scratch;
    for (int part = 0; part < pool.Threads(); ++part)
        scratch.push_back(resampler.MakeScratch(width));
    // The threads take the band's rows a few at a time from a shared counter, so that a
    // thread the system holds back (the machine is shared) leaves its rows to the others.
    // Every pixel is computed alone, so who computes it changes nothing.
    const std::int32_t chunkRows = std::max<std::int32_t>(1, rows / (8 * pool.Threads()));
    const auto compute = [&](std::int32_t first, std::int32_t last) {
        std::atomic<std::int32_t> next{0};
        pool.Run([&](int part) {
            for (std::int32_t top = next.fetch_add(chunkRows); top < rows;
                 top = next.fetch_add(chunkRows))
                resampler.ConvertBlock({first, last, top, std::min(rows, top + chunkRows)},
                                       scratch[part]);
        });
    };

    bool finished = true;
    const double start = now();
    for (std::int32_t first = 0, last = 0; first < width && finished; first = last) {
        const auto bandStart = std::chrono::steady_clock::now();
        last = first + std::min(band, width - first);
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
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - bandStart;
        band = NextBand(band, took.count(), width);
    }
    if (statistics != nullptr) {
        *statistics = {std::int64_t{width} * rows, 0, pool.Threads()};
        for (const TResampler::Scratch& s : scratch)
            statistics->exactPixels += s.exactPixels;
    }
    return finished ? RunOutcome::Finished : RunOutcome::Cancelled;
}

} // namespace

RunOutcome ComputeResult(const TSlanter& engine, const THandyBitmap& source, bool smoothing,
                         THandyBitmap& result, const RunHooks& hooks, RunStatistics* statistics) {
    const auto now = hooks.clock ? hooks.clock : std::function<double()>(NowAsDayCount);
    // A result that did not get its cells would be written as a 0 x 0 picture.
    if (!ShapeResult(result, source, engine.PatternSize(engine.PatternIndex()), smoothing))
        return RunOutcome::OutOfMemory;
    try {
        return ComputeShapedResult(engine, source, smoothing, result, hooks, now, statistics);
    } catch (const std::bad_alloc&) {
        return RunOutcome::OutOfMemory;
    }
}

} // namespace slanter
