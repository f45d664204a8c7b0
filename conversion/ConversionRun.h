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
    // Threads that compute the result together; 0 for all the machine's cores. The
    // result is the same whatever the number.
    int threads = 0;
    // Told after each band that rows [0, rows) of the result are final, so that a writer
    // can take them while the run goes on.
    std::function<void(std::int32_t rows)> rowsDone;
};

enum class RunOutcome {
    Finished,
    Cancelled,   // the rows computed so far stay in result
    OutOfMemory, // the result could not be given its size, or a block of the run failed
};

// What a run did, for the benchmarks.
struct RunStatistics {
    std::int64_t pixels = 0;      // result pixels computed
    std::int64_t exactPixels = 0; // of them, those that went the exact way
    int threads = 1;              // threads that computed them
};

// Rows per band: as many as hold about bandPixels pixels of a result `width` columns
// wide, at least one.
std::int32_t BandRows(std::int32_t width, std::int64_t bandPixels);

// Shapes `result` to the selected pattern's tile and computes it in bands of rows from
// row 0 up, the order of a BMP file's rows. The hooks are called for every column, in
// order: a column's before the band that begins its share of the rows. When cancelled,
// the rows of the bands before stay in result, the others are not touched.
RunOutcome ComputeResult(const TSlanter& engine, const THandyBitmap& source, bool smoothing,
                         THandyBitmap& result, const RunHooks& hooks,
                         RunStatistics* statistics = nullptr);

} // namespace slanter
