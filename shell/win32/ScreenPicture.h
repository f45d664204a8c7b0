#pragma once

#include <cstdint>
#include <vector>

#include <windows.h>

namespace slanter {

class THandyBitmap;

// A picture as GDI draws it: rows top first, 8-bit palette indices with the picture's
// palette when the picture is indexed, otherwise 32-bit colours (blue in the low byte).
class ScreenPicture {
  public:
    ScreenPicture() = default;
    // The picture of the program's own record; empty when the record holds none.
    explicit ScreenPicture(const THandyBitmap& bitmap);
    // A picture of colour values (red in the low byte), top row first.
    ScreenPicture(std::int32_t width, std::int32_t height,
                  const std::vector<std::uint32_t>& colours);

    bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    bool IsIndexed() const { return indexed_; }
    // The colour shown at (x, y), top row 0, as a COLORREF.
    COLORREF ColorAt(std::int32_t x, std::int32_t y) const;

    // Draws the part `part` (picture pixels) with its top-left corner at `at`.
    void Draw(HDC dc, POINT at, const RECT& part) const;
    // A picture of the same kind and palette, `width` by `height`, every cell 0.
    ScreenPicture Blank(std::int32_t width, std::int32_t height) const;
    // The cells, top row first and rows unpadded, for those who fill or sample them: of
    // indexed pictures only.
    const std::uint8_t* Indices() const { return indices_.data(); }
    std::uint8_t* Indices() { return indices_.data(); }
    // Those of the others (blue in the low byte).
    const std::uint32_t* Colours() const { return colours_.data(); }
    std::uint32_t* Colours() { return colours_.data(); }

  private:
    BITMAPINFO* Info() const;

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    bool indexed_ = false;
    std::vector<RGBQUAD> palette_;
    std::vector<std::uint8_t> indices_;  // indexed pictures
    std::vector<std::uint32_t> colours_; // the others
    mutable std::vector<std::uint8_t> info_;
};

} // namespace slanter
