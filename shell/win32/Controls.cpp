#include "shell/win32/Controls.h"

#include <commctrl.h>

#include <utility>

#include "shell/win32/WideText.h"
#include "shell/win32/Wnd.h"

namespace slanter {

Control::~Control() {
    if (hwnd_ != nullptr && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
}

void Control::Make(const wchar_t* className, const CreateArgs& args, DWORD style,
                   std::function<void(int code)> onCommand) {
    Wnd* parent = Wnd::FromHandle(args.parent);
    if (parent != nullptr)
        id_ = parent->NewControlCommand(std::move(onCommand));
    hwnd_ = CreateWindowExW(0, className, WideText(std::string(args.text)).c_str(),
                            WS_CHILD | WS_VISIBLE | style | args.style, args.left, args.top,
                            args.width, args.height, args.parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                            GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ != nullptr && args.font != nullptr)
        Send(WM_SETFONT, reinterpret_cast<WPARAM>(args.font), FALSE);
}

LRESULT Control::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageW(hwnd_, message, wParam, lParam);
}

void Control::SetText(std::string_view text) {
    SetWindowTextW(hwnd_, WideText(std::string(text)).c_str());
}

std::string Control::Text() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd_, text.data(), int(text.size()))));
    return Utf8Text(text);
}

void Control::SetBounds(int left, int top, int width, int height) {
    SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Control::Bounds() const {
    RECT bounds{};
    GetWindowRect(hwnd_, &bounds);
    MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

void Control::SetVisible(bool visible) {
    ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool Control::IsVisible() const {
    return IsWindowVisible(hwnd_) != FALSE;
}

void Control::SetEnabled(bool enabled) {
    EnableWindow(hwnd_, enabled);
}

bool Control::IsEnabled() const {
    return IsWindowEnabled(hwnd_) != FALSE;
}

void Control::SetFocus() {
    ::SetFocus(hwnd_);
}

void Button::Create(const CreateArgs& args, std::function<void()> onClick) {
    Make(L"BUTTON", args, WS_TABSTOP | BS_PUSHBUTTON, [onClick = std::move(onClick)](int code) {
        if (code == BN_CLICKED && onClick)
            onClick();
    });
}

void Button::Click() {
    if (IsEnabled())
        Send(BM_CLICK);
}

void CheckButton::CreateRadio(const CreateArgs& args, bool firstOfGroup,
                              std::function<void()> onClick) {
    Make(L"BUTTON", args, BS_AUTORADIOBUTTON | (firstOfGroup ? WS_GROUP | WS_TABSTOP : 0),
         [this, onClick = std::move(onClick)](int code) {
             if (code == BN_CLICKED && IsChecked() && onClick)
                 onClick();
         });
}

void CheckButton::CreateCheckBox(const CreateArgs& args, std::function<void()> onClick) {
    Make(L"BUTTON", args, BS_AUTOCHECKBOX | WS_TABSTOP, [onClick = std::move(onClick)](int code) {
        if (code == BN_CLICKED && onClick)
            onClick();
    });
}

bool CheckButton::IsChecked() const {
    return Send(BM_GETCHECK) == BST_CHECKED;
}

void CheckButton::SetChecked(bool checked) {
    Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CheckButton::Click() {
    Send(BM_CLICK);
}

void GroupBox::Create(const CreateArgs& args) {
    Make(L"BUTTON", args, BS_GROUPBOX);
}

void Label::Create(const CreateArgs& args) {
    Make(L"STATIC", args, SS_LEFT | SS_NOPREFIX);
}

void ProgressBar::Create(const CreateArgs& args) {
    Make(PROGRESS_CLASSW, args, 0);
    Send(PBM_SETRANGE32, 0, 100);
}

void ProgressBar::SetPosition(int percent) {
    Send(PBM_SETPOS, static_cast<WPARAM>(percent));
}

int ProgressBar::Position() const {
    return static_cast<int>(Send(PBM_GETPOS));
}

void OwnerDrawnListBox::Create(const CreateArgs& args, int rowHeight,
                               std::function<void()> onSelect,
                               std::function<void()> onDoubleClick) {
    onSelect_ = std::move(onSelect);
    Make(L"LISTBOX", args,
         WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
             LBS_NOINTEGRALHEIGHT,
         [this, onDoubleClick = std::move(onDoubleClick)](int code) {
             if (code == LBN_SELCHANGE && onSelect_)
                 onSelect_();
             else if (code == LBN_DBLCLK && onDoubleClick)
                 onDoubleClick();
         });
    Send(LB_SETITEMHEIGHT, 0, rowHeight);
    Send(WM_SETREDRAW, TRUE);
}

void OwnerDrawnListBox::SetItems(const std::vector<std::string>& texts) {
    Send(WM_SETREDRAW, FALSE);
    Send(LB_RESETCONTENT);
    for (const std::string& text : texts)
        Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(text).c_str()));
    Send(WM_SETREDRAW, TRUE);
    Repaint();
}

int OwnerDrawnListBox::Count() const {
    return static_cast<int>(Send(LB_GETCOUNT));
}

int OwnerDrawnListBox::Selected() const {
    const LRESULT index = Send(LB_GETCURSEL);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void OwnerDrawnListBox::Select(int index) {
    Send(LB_SETCURSEL, static_cast<WPARAM>(index));
    if (onSelect_)
        onSelect_();
}

void OwnerDrawnListBox::Repaint() {
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

void HeaderControl::Create(const CreateArgs& args, const std::vector<std::string>& captions) {
    Make(WC_HEADERW, args, HDS_HORZ | HDS_FULLDRAG);
    for (std::size_t section = 0; section < captions.size(); ++section) {
        std::wstring text = WideText(captions[section]);
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.pszText = text.data();
        item.cxy = 50;
        item.fmt = HDF_LEFT | HDF_STRING;
        Send(HDM_INSERTITEMW, section, reinterpret_cast<LPARAM>(&item));
    }
}

int HeaderControl::SectionWidth(int section) const {
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    Send(HDM_GETITEMW, static_cast<WPARAM>(section), reinterpret_cast<LPARAM>(&item));
    return item.cxy;
}

void HeaderControl::SetSectionWidth(int section, int width) {
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    item.cxy = width;
    Send(HDM_SETITEMW, static_cast<WPARAM>(section), reinterpret_cast<LPARAM>(&item));
}

void HeaderControl::SetSectionCaption(int section, std::string_view caption) {
    std::wstring text = WideText(std::string(caption));
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = text.data();
    Send(HDM_SETITEMW, static_cast<WPARAM>(section), reinterpret_cast<LPARAM>(&item));
}

std::string HeaderControl::SectionCaption(int section) const {
    wchar_t text[64] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    Send(HDM_GETITEMW, static_cast<WPARAM>(section), reinterpret_cast<LPARAM>(&item));
    return Utf8Text(text);
}

} // namespace slanter
