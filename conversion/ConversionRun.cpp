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

// The height of the next band, from the last one's height and the seconds it took; it
// grows or shrinks by at most a factor of 4 at a time.
std::int32_t NextBand(std::int32_t band, double seconds, std::int32_t rows) {
    const double wanted = seconds > 0 ? band * (kBandSeconds / seconds) : 4.0 * band;
    const double bounded = std::clamp(wanted, band / 4.0, band * 4.0);
    return static_cast<std::int32_t>(std::clamp(bounded, 1.0, double(std::max(rows, 1))));
}

// The columns whose share of the work has begun once rows [0, done) are computed: the
// progress is told by columns while the work goes by rows, so that finished rows can go
// to the file at once.
std::int32_t ColumnsBegun(std::int32_t done, std::int32_t rows, std::int32_t width) {
    const std::int64_t share = std::int64_t{done} * width;
    return static_cast<std::int32_t>(
        std::min<std::int64_t>((share + rows - 1) / std::max(rows, 1), width));
}

} // namespace

std::int32_t BandRows(std::int32_t width, std::int64_t bandPixels) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(bandPixels / std::max(width, 1), 1, INT32_MAX));
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
    std::int32_t band = std::min(BandRows(width, kFirstBandPixels), std::max(rows, 1));

    const int wanted = hooks.threads > 0 ? hooks.threads : AllCores();
    WorkerPool pool(std::clamp(wanted, 1, std::max(rows, 1)));
    std::vector<TResampler::Scratch> scratch;
    for (int part = 0; part < pool.Threads(); ++part)
        scratch.push_back(resampler.MakeScratch(width));
    // The threads take the band's blocks a few at a time from a shared counter, so that a
    // thread the system holds back (the machine is shared) leaves its blocks to the others.
    // A band of few rows is cut across its columns too. Every pixel is computed alone, so
    // who computes it changes nothing.
    const auto compute = [&](std::int32_t top, std::int32_t bottom) {
        const std::int32_t wantedBlocks = 8 * pool.Threads();
        const std::int32_t bandRows = bottom - top;
        const std::int32_t blockRows = std::max(1, bandRows / wantedBlocks);
        const std::int32_t pieces = std::clamp(wantedBlocks / bandRows, 1, std::max(width, 1));
        const std::int32_t pieceColumns = (width + pieces - 1) / pieces;
        const std::int32_t blocks = (bandRows + blockRows - 1) / blockRows * pieces;
        std::atomic<std::int32_t> next{0};
        pool.Run([&](int part) {
            for (std::int32_t k = next.fetch_add(1); k < blocks; k = next.fetch_add(1)) {
                const std::int32_t first = top + k / pieces * blockRows;
                const std::int32_t column = k % pieces * pieceColumns;
                resampler.ConvertBlock({column, std::min(width, column + pieceColumns), first,
                                        std::min(bottom, first + blockRows)},
                                       scratch[part]);
            }
        });
    };

    bool finished = true;
    const double start = now();
    std::int32_t column = 0; // the next column whose progress is due
    for (std::int32_t top = 0, bottom = 0; top < rows && finished; top = bottom) {
        const auto bandStart = std::chrono::steady_clock::now();
        bottom = top + std::min(band, rows - top);
        for (const std::int32_t due = ColumnsBegun(bottom, rows, width); column < due; ++column) {
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
        if (!finished)
            break;
        compute(top, bottom);
        if (hooks.rowsDone)
            hooks.rowsDone(bottom);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - bandStart;
        band = NextBand(band, took.count(), rows);
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
