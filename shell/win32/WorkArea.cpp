#include "shell/win32/WorkArea.h"

#include <algorithm>
#include <iterator>

#include "shell/General.h"
#include "shell/win32/GdiObjects.h"

namespace slanter {

namespace {

ScreenRect AreaOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (monitor == nullptr || !GetMonitorInfoW(monitor, &info))
        return {0, 0, 640, 480};
    const RECT& work = info.rcWork;
    return {work.left, work.top, work.right - work.left, work.bottom - work.top};
}

int ScreenDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int found = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return found > 0 ? found : 96;
    }();
    return dpi;
}

} // namespace

ScreenRect WorkAreaOf(HWND window) {
    return AreaOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

ScreenRect WorkAreaAt(POINT corner) {
    return AreaOf(MonitorFromPoint(corner, MONITOR_DEFAULTTOPRIMARY));
}

void KeepOnWorkArea(HWND window) {
    if (IsZoomed(window) || IsIconic(window))
        return;
    RECT frame{};
    GetWindowRect(window, &frame);
    const ScreenRect fitted =
        FitInside({frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top},
                  WorkAreaOf(window));
    SetWindowPos(window, nullptr, fitted.left, fitted.top, fitted.width, fitted.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

// Whether the face draws Japanese: a face may claim the Shift-JIS character set and still
// lack the glyphs (wine's own faces do), so a kana and a kanji are looked up.
bool DrawsJapanese(HDC screen, const LOGFONTW& face) {
    LOGFONTW description = face;
    description.lfHeight = -12;
    description.lfWidth = 0;
    const HFONT font = CreateFontIndirectW(&description);
    if (font == nullptr)
        return false;
    const HGDIOBJ previous = SelectObject(screen, font);
    WORD glyphs[2] = {};
    const bool drawn =
        GetGlyphIndicesW(screen, L"\u3042\u5909", 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS) == 2 &&
        glyphs[0] != 0xFFFF && glyphs[1] != 0xFFFF;
    SelectObject(screen, previous);
    DeleteObject(font);
    return drawn;
}

struct FaceSearch {
    HDC screen;
    LOGFONTW found;
};

int CALLBACK TakeFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM search) {
    // A scalable face for horizontal text ("@" faces are turned for vertical writing);
    // OpenType faces with PostScript outlines count, which are not TrueType.
    if (font->lfFaceName[0] == L'@' || (type & RASTER_FONTTYPE) != 0)
        return 1;
    auto& face = *reinterpret_cast<FaceSearch*>(search);
    if (!DrawsJapanese(face.screen, *font))
        return 1;
    face.found = *font;
    return 0;
}

// Whether the face has the Japanese glyphs; else the first face that has them.
void TakeJapaneseFace(LOGFONTW& font) {
    HDC screen = GetDC(nullptr);
    LOGFONTW wanted{};
    wanted.lfCharSet = SHIFTJIS_CHARSET;
    std::copy(std::begin(font.lfFaceName), std::end(font.lfFaceName), wanted.lfFaceName);
    FaceSearch search{screen, {}};
    if (EnumFontFamiliesExW(screen, &wanted, TakeFace, reinterpret_cast<LPARAM>(&search), 0) != 0) {
        wanted.lfFaceName[0] = L'\0';
        EnumFontFamiliesExW(screen, &wanted, TakeFace, reinterpret_cast<LPARAM>(&search), 0);
    }
    ReleaseDC(nullptr, screen);
    if (search.found.lfFaceName[0] != L'\0') {
        std::copy(std::begin(search.found.lfFaceName), std::end(search.found.lfFaceName),
                  font.lfFaceName);
        font.lfCharSet = SHIFTJIS_CHARSET;
    }
}

} // namespace

LOGFONTW ControlFontAt(int pixels) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    if (Japanese)
        TakeJapaneseFace(font);
    if (pixels > 0)
        font.lfHeight = -pixels;
    return font;
}

HFONT ControlFont() {
    // Program-wide, made once and kept for the run (the language is known before).
    static const GdiObject<HFONT> font = [] {
        const LOGFONTW description = ControlFontAt(0);
        return GdiObject<HFONT>(CreateFontIndirectW(&description));
    }();
    return font.Get();
}

int Scaled(int designed) {
    return Scaled(designed, ScreenDpi());
}

int Scaled(int designed, int dpi) {
    return MulDiv(designed, dpi, 96);
}

int WindowDpi(HWND window) {
    // Looked up: older systems have no per-monitor scale.
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const UINT dpi = dpiForWindow != nullptr && window != nullptr ? dpiForWindow(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

} // namespace slanter
