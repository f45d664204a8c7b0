#include "conversion/Progress.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <chrono>
#include <ctime>
#endif

namespace slanter {

int ProgressPercent(int column, int width) {
    if (width <= 1)
        return 100;
    return static_cast<int>(std::int64_t{column} * 100 / (width - 1));
}

std::int64_t EstimateSeconds(double elapsedSeconds, int column, int width) {
    const double estimate = double(width - column - 1) * elapsedSeconds / double(column + 1);
    return static_cast<std::int64_t>(estimate + 0.8);
}

std::string EstimateText(std::int64_t seconds, bool japanese) {
    if (japanese)
        return "あと" + std::to_string(seconds) + "秒くらい";
    return "Finish in about " + std::to_string(seconds) + " seconds";
}

// Day 0 is 30 December 1899.
#ifdef _WIN32
double NowAsDayCount() {
    SYSTEMTIME local{};
    ::GetLocalTime(&local);
    FILETIME stamp{};
    ::SystemTimeToFileTime(&local, &stamp);
    // A FILETIME counts 100-nanosecond steps from 1 January 1601, 109205 days before day 0.
    const std::int64_t ticks = std::int64_t{stamp.dwHighDateTime} << 32 | stamp.dwLowDateTime;
    return double(ticks / 10000) / 86400000.0 - 109205.0;
}
#else
double NowAsDayCount() {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    // The Unix epoch is day 25569.
    return double(ms + std::int64_t{local.tm_gmtoff} * 1000) / 86400000.0 + 25569.0;
}
#endif

double ElapsedSeconds(double startDays, double nowDays) {
    return (nowDays - startDays) * 24 * 3600;
}

} // namespace slanter
