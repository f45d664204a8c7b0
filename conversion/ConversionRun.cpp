#include "conversion/ConversionRun.h"

#include <new>

#include "bitmap/HandyBitmap.h"
#include "conversion/Progress.h"
#include "conversion/Resampler.h"
#include "conversion/ResultShape.h"
#include "engine/Slanter.h"

namespace slanter {

RunOutcome ComputeResult(const TSlanter& engine, const THandyBitmap& source, bool smoothing,
                         THandyBitmap& result, const RunHooks& hooks) {
    const auto now = hooks.clock ? hooks.clock : std::function<double()>(NowAsDayCount);
    // A result that did not get its cells would be written as a 0 x 0 picture.
    if (!ShapeResult(result, source, engine.PatternSize(engine.PatternIndex()), smoothing))
        return RunOutcome::OutOfMemory;
    try {
        const std::int32_t width = result.biWidth();
        TResampler resampler(engine, source, result, smoothing);
        const double start = now();
        for (std::int32_t column = 0; column < width; ++column) {
            if (hooks.keepGoing && !hooks.keepGoing())
                return RunOutcome::Cancelled;
            if (hooks.showProgress) {
                const double elapsed = ElapsedSeconds(start, now());
                hooks.showProgress({column, width, ProgressPercent(column, width),
                                    EstimateSeconds(elapsed, column, width)});
            }
            resampler.ConvertColumn(column);
        }
    } catch (const std::bad_alloc&) {
        return RunOutcome::OutOfMemory;
    }
    return RunOutcome::Finished;
}

} // namespace slanter
