#pragma once

#include <cstdint>

#include "engine/Extended.h"
#include "preview/PreviewSpace.h"

namespace slanter {

struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Maps the view square onto an image of width x height pixels, truncating toward zero.
// Rows run left to right; columns run up the screen with v to the left, the same drawing
// turned a quarter turn. Points far outside the image are held at the int32 limits.
class PreviewScreen {
  public:
    PreviewScreen(const PreviewSpace& space, std::int32_t width, std::int32_t height)
        : R_(space.R), horizontal_(space.horizontal), width_(width), height_(height) {}

    ScreenPoint Map(Extended u, Extended v) const;

  private:
    Extended R_;
    bool horizontal_;
    Extended width_;
    Extended height_;
};

} // namespace slanter
