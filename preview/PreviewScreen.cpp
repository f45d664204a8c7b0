#include "preview/PreviewScreen.h"

#include <cmath>
#include <limits>

namespace slanter {

namespace {

std::int32_t TruncToPixel(Extended value) {
    constexpr Extended lowest = std::numeric_limits<std::int32_t>::min();
    constexpr Extended highest = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value))
        return 0;
    if (value <= lowest)
        return std::numeric_limits<std::int32_t>::min();
    if (value >= highest)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

} // namespace

ScreenPoint PreviewScreen::Map(Extended u, Extended v) const {
    const Extended span = 2 * R_;
    if (horizontal_)
        return {TruncToPixel((u + R_) * width_ / span), TruncToPixel((R_ - v) * height_ / span)};
    return {TruncToPixel((R_ - v) * width_ / span), TruncToPixel((R_ - u) * height_ / span)};
}

} // namespace slanter
