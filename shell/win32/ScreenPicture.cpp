#include "shell/win32/ScreenPicture.h"

#include <cstring>

#include "bitmap/DisplayRows.h"
#include "bitmap/HandyBitmap.h"
#include "shell/win32/GdiObjects.h"

namespace slanter {

namespace {

// A colour value of the record (red low) as GDI's (blue low).
std::uint32_t ScreenColour(std::int32_t value) {
    return static_cast<std::uint32_t>(THandyBitmap::SwapRedBlue(value));
}

} // namespace

ScreenPicture::ScreenPicture(const THandyBitmap& bitmap) {
    const std::int32_t width = bitmap.biWidth();
    const std::int32_t height = bitmap.biHeight();
    if (width <= 0 || height <= 0 || bitmap.CellRow(height - 1) == nullptr)
        return;
    width_ = width;
    height_ = height;
    indexed_ = bitmap.PaletteCount() > 0 && bitmap.PaletteCount() <= 256;
    for (std::int32_t k = 0; indexed_ && k < bitmap.PaletteCount(); ++k) {
        const auto colour = ScreenColour(bitmap.GetPaletteColor(k));
        palette_.push_back({static_cast<BYTE>(colour), static_cast<BYTE>(colour >> 8),
                            static_cast<BYTE>(colour >> 16), 0});
    }
    const std::size_t cells = static_cast<std::size_t>(width) * height;
    if (indexed_)
        indices_.assign(cells, 0);
    else
        colours_.assign(cells, 0);
    for (std::int32_t y = 0; y < height; ++y) {
        if (indexed_)
            DisplayIndices(bitmap, y, &indices_[static_cast<std::size_t>(y) * width]);
        else
            DisplayColours(bitmap, y, &colours_[static_cast<std::size_t>(y) * width]);
    }
    // GDI's colours carry no opacity.
    for (std::uint32_t& colour : colours_)
        colour &= 0xFFFFFF;
}

ScreenPicture::ScreenPicture(std::int32_t width, std::int32_t height,
                             const std::vector<std::uint32_t>& colours) {
    if (width <= 0 || height <= 0 || colours.size() < static_cast<std::size_t>(width) * height)
        return;
    width_ = width;
    height_ = height;
    colours_.reserve(colours.size());
    for (const std::uint32_t colour : colours)
        colours_.push_back(ScreenColour(static_cast<std::int32_t>(colour)));
}

BITMAPINFO* ScreenPicture::Info() const {
    info_.assign(sizeof(BITMAPINFOHEADER) + palette_.size() * sizeof(RGBQUAD), 0);
    auto* info = reinterpret_cast<BITMAPINFO*>(info_.data());
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = width_;
    info->bmiHeader.biHeight = -height_; // top row first
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = indexed_ ? 8 : 32;
    info->bmiHeader.biCompression = BI_RGB;
    info->bmiHeader.biClrUsed = static_cast<DWORD>(palette_.size());
    if (!palette_.empty())
        std::memcpy(info->bmiColors, palette_.data(), palette_.size() * sizeof(RGBQUAD));
    return info;
}

COLORREF ScreenPicture::ColorAt(std::int32_t x, std::int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    std::uint32_t colour = 0;
    if (indexed_) {
        const std::uint8_t index = indices_[static_cast<std::size_t>(y) * width_ + x];
        if (index >= palette_.size())
            return RGB(0, 0, 0);
        const RGBQUAD& entry = palette_[index];
        return RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
    }
    colour = colours_[static_cast<std::size_t>(y) * width_ + x];
    return RGB(colour >> 16 & 0xFF, colour >> 8 & 0xFF, colour & 0xFF);
}

void ScreenPicture::Draw(HDC dc, POINT at, const RECT& part) const {
    const int width = part.right - part.left;
    const int height = part.bottom - part.top;
    if (IsEmpty() || width <= 0 || height <= 0)
        return;
    // Through a section of the part's size: its rows count from the top whatever the
    // system makes of a top-down picture's source rows.
    BITMAPINFO* info = Info();
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = -height;
    void* bits = nullptr;
    GdiObject<HBITMAP> section(CreateDIBSection(dc, info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (section.Get() == nullptr || bits == nullptr)
        return;
    const std::size_t cell = indexed_ ? 1 : 4;
    const std::size_t sectionStride = (static_cast<std::size_t>(width) * cell + 3) / 4 * 4;
    const auto* source = indexed_ ? static_cast<const std::uint8_t*>(indices_.data())
                                  : reinterpret_cast<const std::uint8_t*>(colours_.data());
    for (int y = 0; y < height; ++y)
        std::memcpy(static_cast<std::uint8_t*>(bits) + y * sectionStride,
                    source + (static_cast<std::size_t>(part.top + y) * width_ + part.left) * cell,
                    static_cast<std::size_t>(width) * cell);
    MemoryDc memory(dc);
    const SelectedObject selected(memory.Get(), section.Get());
    BitBlt(dc, at.x, at.y, width, height, memory.Get(), 0, 0, SRCCOPY);
}

ScreenPicture ScreenPicture::Blank(std::int32_t width, std::int32_t height) const {
    ScreenPicture blank;
    if (width <= 0 || height <= 0)
        return blank;
    blank.width_ = width;
    blank.height_ = height;
    blank.indexed_ = indexed_;
    blank.palette_ = palette_;
    if (indexed_)
        blank.indices_.assign(static_cast<std::size_t>(width) * height, 0);
    else
        blank.colours_.assign(static_cast<std::size_t>(width) * height, 0);
    return blank;
}

} // namespace slanter
