#include "shell/win32/FormPlacement.h"

#include "shell/PlacementFit.h"
#include "shell/SettingsStore.h"

namespace slanter {

namespace {

bool IsSizeableFrame(HWND form) {
    return (GetWindowLongW(form, GWL_STYLE) & WS_THICKFRAME) != 0;
}

// The work area in the coordinates of placement records, which count from the work
// area's own corner of the primary monitor where task bars stand left or on top.
RECT WorkspaceArea(POINT corner) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromPoint(corner, MONITOR_DEFAULTTOPRIMARY), &info);
    MONITORINFO primary{};
    primary.cbSize = sizeof(primary);
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary);
    RECT area = info.rcWork;
    OffsetRect(&area, primary.rcMonitor.left - primary.rcWork.left,
               primary.rcMonitor.top - primary.rcWork.top);
    return area;
}

} // namespace

void SaveFormPlacement(HWND form, const std::string& section) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(form, &placement))
        return;
    const RECT& normal = placement.rcNormalPosition;
    if (IsSizeableFrame(form)) {
        WriteSetting(section, "Width", static_cast<std::int32_t>(normal.right - normal.left));
        WriteSetting(section, "Height", static_cast<std::int32_t>(normal.bottom - normal.top));
    }
    WriteSetting(section, "Left", static_cast<std::int32_t>(normal.left));
    WriteSetting(section, "Top", static_cast<std::int32_t>(normal.top));
    const char* state = IsIconic(form) ? "Minimized" : IsZoomed(form) ? "Maximized" : "Normal";
    WriteSetting(section, "State", state);
}

void RestoreFormPlacement(HWND form, const std::string& section, SIZE least) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(form, &placement))
        return;
    const RECT normal = placement.rcNormalPosition;
    const std::int32_t left = ReadSetting(section, "Left", std::int32_t{normal.left}).Integer();
    const std::int32_t top = ReadSetting(section, "Top", std::int32_t{normal.top}).Integer();
    std::int32_t width = normal.right - normal.left;
    std::int32_t height = normal.bottom - normal.top;
    if (IsSizeableFrame(form)) {
        width = ReadSetting(section, "Width", width).Integer();
        height = ReadSetting(section, "Height", height).Integer();
    }
    const std::string state = ReadSetting(section, "State", "Normal").Text();

    const RECT area = WorkspaceArea({left, top});
    const PlacementRect fitted = FitPlacement(
        {left, top, width, height},
        {area.left, area.top, area.right - area.left, area.bottom - area.top}, least.cx, least.cy);
    placement.rcNormalPosition = {static_cast<LONG>(fitted.left), static_cast<LONG>(fitted.top),
                                  static_cast<LONG>(fitted.left + fitted.width),
                                  static_cast<LONG>(fitted.top + fitted.height)};
    placement.flags = 0;
    // A hidden window keeps its state for when it is shown.
    const bool visible = IsWindowVisible(form) != FALSE;
    placement.showCmd = state == "Minimized"   ? (visible ? SW_SHOWMINNOACTIVE : SW_MINIMIZE)
                        : state == "Maximized" ? SW_SHOWMAXIMIZED
                                               : (visible ? SW_SHOWNOACTIVATE : SW_HIDE);
    SetWindowPlacement(form, &placement);
    if (!visible && state != "Normal")
        ShowWindow(form, SW_HIDE);
}

} // namespace slanter
