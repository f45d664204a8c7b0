#pragma once

#include <cstdint>
#include <string>

namespace slanter {

class TSlanter;

// One pattern as the pattern list shows it: angle with two decimals, area, slide as a
// percentage of the picture's width (in both arrangements), tile width and height.
struct PatternColumns {
    std::string angle;
    std::string area;
    std::string slide;
    std::string width;
    std::string height;
};

double SlidePercent(const TSlanter& engine, std::int32_t index);
PatternColumns FormatPatternColumns(const TSlanter& engine, std::int32_t index);

} // namespace slanter
