#pragma once

#include <cstdint>
#include <string>

namespace slanter {

// The bar's position before column `column` of a result `width` columns wide: the
// current column counts as started, so the last one shows 100. A result one column
// wide shows 100 at once.
int ProgressPercent(int column, int width);

// Seconds left after column `column`, from the time the columns so far have taken:
// any estimate with a fraction of 0.2 or more is raised to the next whole second.
std::int64_t EstimateSeconds(double elapsedSeconds, int column, int width);

// "Finish in about N seconds", or its Japanese form (UTF-8).
std::string EstimateText(std::int64_t seconds, bool japanese);

// The local date and time as a day count with fraction, to the millisecond, as the
// conversion's clock reads it.
double NowAsDayCount();

// Seconds between two day counts.
double ElapsedSeconds(double startDays, double nowDays);

} // namespace slanter
