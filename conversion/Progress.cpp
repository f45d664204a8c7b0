#include "conversion/Progress.h"

#include <chrono>
#include <ctime>

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

double NowAsDayCount() {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    // Day 0 is 30 December 1899, 25569 days before the Unix epoch.
    return double(ms + std::int64_t{local.tm_gmtoff} * 1000) / 86400000.0 + 25569.0;
}

double ElapsedSeconds(double startDays, double nowDays) {
    return (nowDays - startDays) * 24 * 3600;
}

} // namespace slanter
