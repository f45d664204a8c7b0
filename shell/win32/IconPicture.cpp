#include "shell/win32/IconPicture.h"

#include <windows.h>

#include "bitmap/HandyBitmap.h"
#include "shell/win32/GdiObjects.h"
#include "shell/win32/WideText.h"

namespace slanter {

int StandardIconSize() {
    return GetSystemMetrics(SM_CXICON);
}

bool DecodeIconFile(const std::string& fileName, int size, bool onWhite, THandyBitmap& picture) {
    HICON icon = static_cast<HICON>(
        LoadImageW(nullptr, WideText(fileName).c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
    if (icon == nullptr)
        return false;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    GdiObject<HBITMAP> section(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bool drawn = false;
    if (section.Get() != nullptr) {
        MemoryDc memory(screen);
        const SelectedObject selected(memory.Get(), section.Get());
        PatBlt(memory.Get(), 0, 0, size, size, onWhite ? WHITENESS : BLACKNESS);
        drawn = DrawIconEx(memory.Get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL) != FALSE;
        GdiFlush();
    }
    ReleaseDC(nullptr, screen);
    DestroyIcon(icon);
    if (!drawn)
        return false;
    picture.SetPaletteCount(0);
    picture.NewImage(size, size, 24);
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            picture.SetPixelColor(x, size - 1 - y,
                                  THandyBitmap::SwapRedBlue(static_cast<std::int32_t>(
                                      pixels[static_cast<std::size_t>(y) * size + x])));
    return picture.biWidth() == size;
}

} // namespace slanter
