#include "preview/PreviewRaster.h"

#include <algorithm>
#include <cstdlib>

namespace slanter {

PreviewRaster::PreviewRaster(const PreviewDrawing& drawing)
    : width_(std::max(drawing.width, 0)), height_(std::max(drawing.height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, drawing.background) {
    for (const PreviewSegment& segment : drawing.segments)
        Stroke(segment);
}

std::int64_t PreviewRaster::At(std::int32_t x, std::int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return -1;
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void PreviewRaster::Set(std::int64_t x, std::int64_t y, std::uint32_t colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    pixels_[static_cast<std::size_t>(y) * width_ + static_cast<std::size_t>(x)] = colour;
}

void PreviewRaster::Stroke(const PreviewSegment& segment) {
    const std::int64_t dx = std::int64_t{segment.x2} - segment.x1;
    const std::int64_t dy = std::int64_t{segment.y2} - segment.y1;
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t steps = alongX ? std::llabs(dx) : std::llabs(dy);
    if (steps == 0)
        return;
    const std::int64_t majorStart = alongX ? segment.x1 : segment.y1;
    const std::int64_t minorStart = alongX ? segment.y1 : segment.x1;
    const std::int64_t majorSign = (alongX ? dx : dy) > 0 ? 1 : -1;
    const std::int64_t minorDelta = alongX ? dy : dx;
    const std::int64_t minorSign = minorDelta < 0 ? -1 : 1;
    const std::int64_t minorRun = std::llabs(minorDelta);
    const std::int64_t majorSize = alongX ? width_ : height_;

    // Only the steps whose major coordinate lies in the image: strokes may start millions
    // of pixels away.
    std::int64_t first = 0, last = steps - 1;
    if (majorSign > 0) {
        first = std::max(first, -majorStart);
        last = std::min(last, majorSize - 1 - majorStart);
    } else {
        first = std::max(first, majorStart - (majorSize - 1));
        last = std::min(last, majorStart);
    }
    // minor offset of step s: s·minorRun / steps rounded, kept as quotient and remainder
    // because the product outgrows 64 bits for strokes from far away.
    std::int64_t quotient = 0, remainder = 0;
    for (int bit = 40; bit >= 0; --bit) {
        quotient *= 2;
        remainder *= 2;
        if (remainder >= steps) {
            remainder -= steps;
            ++quotient;
        }
        if ((first >> bit) & 1) {
            remainder += minorRun;
            if (remainder >= steps) {
                remainder -= steps;
                ++quotient;
            }
        }
    }
    for (std::int64_t s = first; s <= last; ++s) {
        const std::int64_t major = majorStart + majorSign * s;
        const std::int64_t minor =
            minorStart + minorSign * (quotient + (2 * remainder >= steps ? 1 : 0));
        remainder += minorRun;
        if (remainder >= steps) {
            remainder -= steps;
            ++quotient;
        }
        if (alongX)
            Set(major, minor, segment.colour);
        else
            Set(minor, major, segment.colour);
    }
}

} // namespace slanter
