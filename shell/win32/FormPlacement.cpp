#include "shell/win32/FormPlacement.h"

#include "shell/PlacementFit.h"
#include "shell/StoredPlacement.h"

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
    const WindowShow show = IsIconic(form)   ? WindowShow::Minimized
                            : IsZoomed(form) ? WindowShow::Maximized
                                             : WindowShow::Normal;
    WritePlacement(
        section,
        {{normal.left, normal.top, normal.right - normal.left, normal.bottom - normal.top}, show},
        IsSizeableFrame(form));
}

void RestoreFormPlacement(HWND form, const std::string& section, SIZE least) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(form, &placement))
        return;
    const RECT normal = placement.rcNormalPosition;
    const StoredPlacement stored = ReadPlacement(
        section, {normal.left, normal.top, normal.right - normal.left, normal.bottom - normal.top},
        IsSizeableFrame(form));
    const PlacementRect& wanted = stored.normal;
    const RECT area =
        WorkspaceArea({static_cast<LONG>(wanted.left), static_cast<LONG>(wanted.top)});
    const PlacementRect fitted =
        FitPlacement(wanted, {area.left, area.top, area.right - area.left, area.bottom - area.top},
                     least.cx, least.cy);
    placement.rcNormalPosition = {static_cast<LONG>(fitted.left), static_cast<LONG>(fitted.top),
                                  static_cast<LONG>(fitted.left + fitted.width),
                                  static_cast<LONG>(fitted.top + fitted.height)};
    placement.flags = 0;
    // A hidden window keeps its state for when it is shown.
    const bool visible = IsWindowVisible(form) != FALSE;
    placement.showCmd =
        stored.show == WindowShow::Minimized   ? (visible ? SW_SHOWMINNOACTIVE : SW_MINIMIZE)
        : stored.show == WindowShow::Maximized ? SW_SHOWMAXIMIZED
                                               : (visible ? SW_SHOWNOACTIVATE : SW_HIDE);
    SetWindowPlacement(form, &placement);
    if (!visible && stored.show != WindowShow::Normal)
        ShowWindow(form, SW_HIDE);
}

} // namespace slanter
