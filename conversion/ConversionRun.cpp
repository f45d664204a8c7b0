#include "conversion/ConversionRun.h"

#include "bitmap/HandyBitmap.h"
#include "conversion/Progress.h"
#include "conversion/Resampler.h"
#include "conversion/ResultShape.h"
#include "engine/Slanter.h"

namespace slanter {

bool ComputeResult(const TSlanter& engine, const THandyBitmap& source, bool smoothing,
                   THandyBitmap& result, const RunHooks& hooks) {
    const auto now = hooks.clock ? hooks.clock : std::function<double()>(NowAsDayCount);
    ShapeResult(result, source, engine.PatternSize(engine.PatternIndex()), smoothing);
    const std::int32_t width = result.biWidth();
    TResampler resampler(engine, source, result, smoothing);
    const double start = now();
    for (std::int32_t column = 0; column < width; ++column) {
        if (hooks.keepGoing && !hooks.keepGoing())
            return false;
        if (hooks.showProgress) {
            const double elapsed = ElapsedSeconds(start, now());
            hooks.showProgress({column, width, ProgressPercent(column, width),
                                EstimateSeconds(elapsed, column, width)});
        }
        resampler.ConvertColumn(column);
    }
    return true;
}

} // namespace slanter
