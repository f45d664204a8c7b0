#include "bitmap/DibV5.h"

#include <cstdint>

#include "bitmap/HandyBitmap.h"
#include "bitmap/KeptPixels.h"

namespace slanter {

namespace {

constexpr std::size_t kHeaderBytes = 124;

void Put32(PackedDib& dib, std::size_t at, std::uint32_t value) {
    for (int k = 0; k < 4; ++k)
        dib[at + k] = static_cast<unsigned char>(value >> (8 * k));
}

} // namespace

PackedDib DibV5Of(const THandyBitmap& picture) {
    const std::int32_t width = picture.biWidth();
    const std::int32_t height = picture.biHeight();
    if (width <= 0 || height <= 0)
        return {};
    const std::size_t pixelBytes =
        std::size_t{4} * static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(height);
    PackedDib dib(kHeaderBytes + pixelBytes, 0);
    Put32(dib, 0, kHeaderBytes);
    Put32(dib, 4, static_cast<std::uint32_t>(width));
    Put32(dib, 8, static_cast<std::uint32_t>(height));
    Put32(dib, 12, 1 | 32 << 16); // one plane, 32 bits
    Put32(dib, 16, 3);            // bit fields
    Put32(dib, 20, static_cast<std::uint32_t>(pixelBytes));
    Put32(dib, 40, 0x00FF0000); // red, green, blue and opacity masks
    Put32(dib, 44, 0x0000FF00);
    Put32(dib, 48, 0x000000FF);
    Put32(dib, 52, 0xFF000000);
    Put32(dib, 56, 0x73524742); // 'sRGB'
    Put32(dib, 108, 4);         // for pictures
    unsigned char* pixel = dib.data() + kHeaderBytes;
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x, pixel += 4) {
            const std::uint32_t rgba = StraightRgbaAt(picture, x, y);
            pixel[0] = static_cast<unsigned char>(rgba >> 16);
            pixel[1] = static_cast<unsigned char>(rgba >> 8);
            pixel[2] = static_cast<unsigned char>(rgba);
            pixel[3] = static_cast<unsigned char>(rgba >> 24);
        }
    return dib;
}

} // namespace slanter
