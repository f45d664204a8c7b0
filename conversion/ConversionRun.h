#pragma once

#include <cstdint>
#include <functional>

namespace slanter {

class TSlanter;
class THandyBitmap;

// Where a run stands just before one of its columns is computed.
struct ColumnProgress {
    std::int32_t column = 0;
    std::int32_t width = 0;
    int percent = 0;                  // the bar's position
    std::int64_t estimateSeconds = 0; // the seconds still to go, as shown
};

// What a front end does around every column, in this order: let pending work run and
// answer whether to go on (false cancels before the column), then show the progress.
struct RunHooks {
    std::function<bool()> keepGoing;
    std::function<void(const ColumnProgress&)> showProgress;
    // The local date and time as a day count; NowAsDayCount unless a test stands in.
    std::function<double()> clock;
};

enum class RunOutcome {
    Finished,
    Cancelled,   // the columns computed so far stay in result
    OutOfMemory, // the result could not be given its size, or a block of the run failed
};

// Shapes `result` to the selected pattern's tile and computes it column by column.
RunOutcome ComputeResult(const TSlanter& engine, const THandyBitmap& source, bool smoothing,
                         THandyBitmap& result, const RunHooks& hooks);

} // namespace slanter
