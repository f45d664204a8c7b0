#include "shell/win32/WorkArea.h"

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
    const ScreenRect fitted = FitInside(
        {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top},
        WorkAreaOf(window));
    SetWindowPos(window, nullptr, fitted.left, fitted.top, fitted.width, fitted.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT ControlFont() {
    // Program-wide, made once and kept for the run.
    static const GdiObject<HFONT> font = [] {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        return GdiObject<HFONT>(CreateFontIndirectW(&metrics.lfMessageFont));
    }();
    return font.Get();
}

int Scaled(int designed) {
    return MulDiv(designed, ScreenDpi(), 96);
}

} // namespace slanter
