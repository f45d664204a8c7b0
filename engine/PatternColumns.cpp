#include "engine/PatternColumns.h"

#include <cstdio>

#include "engine/Slanter.h"

namespace slanter {

namespace {

std::string Fixed2(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

} // namespace

double SlidePercent(const TSlanter& engine, std::int32_t index) {
    if (engine.SourceWidth() < 1)
        return 0;
    return engine.PatternSlide(index) * 100 / engine.SourceWidth();
}

PatternColumns FormatPatternColumns(const TSlanter& engine, std::int32_t index) {
    const TPoint size = engine.PatternSize(index);
    return {Fixed2(engine.AngleDegrees(index)), std::to_string(engine.PatternArea(index)),
            Fixed2(SlidePercent(engine, index)) + "%", std::to_string(size.X),
            std::to_string(size.Y)};
}

} // namespace slanter
