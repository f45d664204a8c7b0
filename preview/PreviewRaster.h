#pragma once

#include <cstdint>
#include <vector>

#include "preview/PreviewDrawing.h"

namespace slanter {

// A preview painted into pixels: the background, then every stroke with a one-pixel pen.
// The window shows these pixels as they are, so what it shows is decided here and can be
// tested without a window system. A stroke sets one pixel per step along its longer axis, from its
// first pixel up to but not including its last; across that axis it takes the nearest pixel, halves
// rounded away from the start. Pixels outside the image are cut off.
class PreviewRaster {
  public:
    explicit PreviewRaster(const PreviewDrawing& drawing);

    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    // The colour value of pixel (x, y), (0, 0) the top-left; -1 outside the image.
    std::int64_t At(std::int32_t x, std::int32_t y) const;
    const std::vector<std::uint32_t>& Pixels() const { return pixels_; }

  private:
    void Stroke(const PreviewSegment& segment);
    void Set(std::int64_t x, std::int64_t y, std::uint32_t colour);

    std::int32_t width_;
    std::int32_t height_;
    std::vector<std::uint32_t> pixels_;
};

} // namespace slanter
