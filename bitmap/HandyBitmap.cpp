#include "bitmap/HandyBitmap.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>

namespace slanter {

void THandyBitmap::NewImage(std::int32_t width, std::int32_t height, std::int32_t bitCount) {
    kept_.Clear();
    // The header holds 16 bits of depth; a depth it cannot hold counts as none.
    infoHeader_.biBitCount =
        bitCount >= 0 && bitCount <= UINT16_MAX ? static_cast<std::uint16_t>(bitCount) : 0;
    // 2 to the power of the depth, as far as a signed 32-bit count reaches.
    maxColors_ = bitCount <= 0 ? 1 : bitCount >= 31 ? INT32_MAX : std::int32_t{1} << bitCount;

    const std::int64_t cells = std::int64_t{width} * height;
    if (width < 0 || height < 0 || cells > kMaxPixels || !pixels_.Reset(cells)) {
        pixels_.Release();
        width = 0;
        height = 0;
    }
    infoHeader_.biWidth = width;
    infoHeader_.biHeight = height;
}

void THandyBitmap::SetPaletteCount(std::int32_t count) {
    const std::int32_t entries = std::clamp(count, 0, std::min(maxColors_, kMaxPixels));
    const std::int32_t kept = std::min({entries, paletteCount_, palette_.Count()});
    OwnedArray<std::int32_t> fresh;
    if (!fresh.Reset(entries))
        return; // without memory the palette stays as it was
    if (kept > 0)
        std::memcpy(fresh.Data(), palette_.Data(), sizeof(std::int32_t) * kept);
    palette_ = std::move(fresh);
    paletteCount_ = entries;
}

bool THandyBitmap::Fail(const char* text) {
    errorText_ = text;
    return false;
}

} // namespace slanter
