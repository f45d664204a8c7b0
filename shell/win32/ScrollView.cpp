#include "shell/win32/ScrollView.h"

#include <algorithm>
#include <utility>

#include "shell/ScrollRoom.h"

namespace slanter {

namespace {

constexpr int kLineStep = 16;

} // namespace

bool ScrollView::Create(HWND parent, Painter painter) {
    painter_ = std::move(painter);
    return CreateChild(parent, WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                       0);
}

void ScrollView::SetCanvasSize(int width, int height) {
    canvas_ = {width, height};
    UpdateBars();
    Repaint();
}

void ScrollView::UpdateBars() {
    // Showing or hiding a bar resizes the client area and so calls here again: what those
    // calls would decide is decided once, from the whole view, which the bars do not change.
    if (updatingBars_)
        return;
    updatingBars_ = true;
    RECT whole{};
    GetWindowRect(Hwnd(), &whole);
    const TPoint canvas{canvas_.cx, canvas_.cy};
    const TPoint client =
        ScrolledRoom(canvas, {whole.right - whole.left, whole.bottom - whole.top},
                     {GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)});
    const slanter::ScrollPosition last = LastScroll(canvas, client);
    position_ = {std::clamp<LONG>(position_.x, 0, last.x),
                 std::clamp<LONG>(position_.y, 0, last.y)};
    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    info.nMax = std::max<LONG>(0, canvas_.cx - 1);
    info.nPage = static_cast<UINT>(client.X);
    info.nPos = position_.x;
    SetScrollInfo(Hwnd(), SB_HORZ, &info, TRUE);
    info.nMax = std::max<LONG>(0, canvas_.cy - 1);
    info.nPage = static_cast<UINT>(client.Y);
    info.nPos = position_.y;
    SetScrollInfo(Hwnd(), SB_VERT, &info, TRUE);
    updatingBars_ = false;
}

void ScrollView::ScrollTo(int x, int y) {
    position_ = {x, y};
    UpdateBars();
    Repaint();
}

void ScrollView::Repaint() {
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

void ScrollView::OnPaint(HDC dc, const RECT& dirty) {
    const SIZE client = ClientSize();
    RECT all{0, 0, client.cx, client.cy};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    if (!painter_)
        return;
    SetViewportOrgEx(dc, -position_.x, -position_.y, nullptr);
    RECT canvasDirty = dirty;
    OffsetRect(&canvasDirty, position_.x, position_.y);
    RECT canvas{0, 0, canvas_.cx, canvas_.cy};
    RECT shown{};
    if (IntersectRect(&shown, &canvasDirty, &canvas))
        painter_(dc, shown);
}

void ScrollView::OnSize(int, int) {
    UpdateBars();
}

void ScrollView::OnScroll(int bar, int code) {
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(Hwnd(), bar, &info);
    int position = info.nPos;
    switch (code) {
    case SB_LINELEFT:
        position -= kLineStep;
        break;
    case SB_LINERIGHT:
        position += kLineStep;
        break;
    case SB_PAGELEFT:
        position -= static_cast<int>(info.nPage);
        break;
    case SB_PAGERIGHT:
        position += static_cast<int>(info.nPage);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
    default:
        return;
    }
    if (bar == SB_HORZ)
        ScrollTo(position, position_.y);
    else
        ScrollTo(position_.x, position);
}

bool ScrollView::TakeScrollKey(WPARAM key, bool control) {
    switch (key) {
    case VK_LEFT:
        OnScroll(SB_HORZ, SB_LINELEFT);
        return true;
    case VK_RIGHT:
        OnScroll(SB_HORZ, SB_LINERIGHT);
        return true;
    case VK_UP:
        OnScroll(SB_VERT, SB_LINEUP);
        return true;
    case VK_DOWN:
        OnScroll(SB_VERT, SB_LINEDOWN);
        return true;
    case VK_PRIOR:
        OnScroll(SB_VERT, SB_PAGEUP);
        return true;
    case VK_NEXT:
        OnScroll(SB_VERT, SB_PAGEDOWN);
        return true;
    case VK_HOME:
    case VK_END: {
        const bool home = key == VK_HOME;
        const ViewKey viewKey = control ? (home ? ViewKey::ControlHome : ViewKey::ControlEnd)
                                        : (home ? ViewKey::Home : ViewKey::End);
        const SIZE client = ClientSize();
        const slanter::ScrollPosition to =
            ViewKeyTarget(viewKey, {position_.x, position_.y},
                          LastScroll({canvas_.cx, canvas_.cy}, {client.cx, client.cy}));
        ScrollTo(to.x, to.y);
        return true;
    }
    default:
        return false;
    }
}

void ScrollView::OnMouseWheel(int delta) {
    ScrollTo(position_.x, position_.y - delta * kLineStep * 3 / WHEEL_DELTA);
}

} // namespace slanter
