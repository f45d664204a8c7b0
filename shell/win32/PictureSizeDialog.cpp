#include "shell/win32/PictureSizeDialog.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "shell/PictureSizeChoice.h"
#include "shell/win32/WorkArea.h"

namespace slanter {

namespace {

// The dialog's designed geometry (pixels at 96 dots per inch).
constexpr int kMargin = 12;
constexpr int kLabelWidth = 110;
constexpr int kEditLeft = kMargin + kLabelWidth + 8;
constexpr int kEditWidth = 120;
constexpr int kRowHeight = 23;
constexpr int kRowStep = 30;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr int kClientWidth = kEditLeft + kEditWidth + 40 + kMargin;
constexpr int kFirstRow = 40;
constexpr int kButtonsTop = kFirstRow + 3 * kRowStep + 8;
constexpr int kClientHeight = kButtonsTop + kButtonHeight + kMargin;

PictureSizeAsker& CurrentAsker() {
    static PictureSizeAsker asker;
    return asker;
}

// A side typed in the field: digits alone, within the dialog's range.
std::optional<std::int32_t> SideFromText(const std::string& text) {
    if (text.empty() || text.size() > 6)
        return std::nullopt;
    std::int32_t side = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9')
            return std::nullopt;
        side = side * 10 + (digit - '0');
    }
    if (side < 1 || side > kMostSizeSide)
        return std::nullopt;
    return side;
}

BOOL CALLBACK AddEnabledWindow(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && IsWindowEnabled(window))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

CreateArgs At(HWND parent, int left, int top, int width, int height, std::string_view text = {},
              DWORD style = 0) {
    return {parent,        text,           Scaled(left), Scaled(top),
            Scaled(width), Scaled(height), style,        ControlFont()};
}

} // namespace

std::string PercentText(std::int64_t hundredths) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%02lld", static_cast<long long>(hundredths / 100),
                  static_cast<long long>(hundredths % 100));
    return text;
}

std::optional<std::int64_t> PercentFromText(const std::string& text) {
    std::int64_t whole = 0;
    std::int64_t fraction = 0;
    int wholeDigits = 0;
    int fractionDigits = 0;
    bool point = false;
    for (const char c : text) {
        if ((c == '.' || c == ',') && !point) {
            point = true;
        } else if (c >= '0' && c <= '9' && !point && wholeDigits < 8) {
            whole = whole * 10 + (c - '0');
            ++wholeDigits;
        } else if (c >= '0' && c <= '9' && point && fractionDigits < 2) {
            fraction = fraction * 10 + (c - '0');
            ++fractionDigits;
        } else {
            return std::nullopt;
        }
    }
    if (wholeDigits + fractionDigits == 0)
        return std::nullopt;
    const std::int64_t hundredths = whole * 100 + (fractionDigits == 1 ? fraction * 10 : fraction);
    if (hundredths < 1 || hundredths > kMostPercentHundredths)
        return std::nullopt;
    return hundredths;
}

void TPictureSizeDialog::KeyLabel::Create(const CreateArgs& args) {
    Make(L"STATIC", args, SS_LEFT);
}

bool TPictureSizeDialog::Create(HWND owner, bool japanese, TPoint original, TPoint current) {
    original_ = original;
    const PictureSizeTexts texts = SizeDialogTexts(japanese, original);
    WindowArgs args;
    args.title = texts.caption;
    args.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    args.exStyle = WS_EX_DLGMODALFRAME;
    args.owner = owner;
    args.clientWidth = Scaled(kClientWidth);
    args.clientHeight = Scaled(kClientHeight);
    // Over the middle of its owner, as the system's dialogs open.
    RECT ownerFrame{};
    if (owner != nullptr && GetWindowRect(owner, &ownerFrame)) {
        args.left = (ownerFrame.left + ownerFrame.right - args.clientWidth) / 2;
        args.top = (ownerFrame.top + ownerFrame.bottom - args.clientHeight) / 2;
    } else {
        args.left = args.top = 100;
    }
    if (!Wnd::Create(args))
        return false;
    KeepOnWorkArea(Hwnd());
    const HWND self = Hwnd();
    const int textWidth = kClientWidth - 2 * kMargin;
    originalLabel_.Create(At(self, kMargin, kMargin, textWidth, 20, texts.original));
    // Each label before its field: the label's access key moves to the field.
    const auto row = [&](KeyLabel& label, EditBox& edit, int index, const std::string& caption,
                         DWORD style) {
        const int top = kFirstRow + index * kRowStep;
        label.Create(At(self, kMargin, top + 3, kLabelWidth, 20, caption));
        edit.Create(At(self, kEditLeft, top, kEditWidth, kRowHeight, {}, style),
                    [this, &edit] { Edited(edit); });
    };
    row(widthLabel_, WidthEdit, 0, texts.width, ES_NUMBER);
    row(heightLabel_, HeightEdit, 1, texts.height, ES_NUMBER);
    row(percentLabel_, PercentEdit, 2, texts.percent, 0);
    WidthEdit.AddArrows(1, kMostSizeSide);
    HeightEdit.AddArrows(1, kMostSizeSide);
    const int okLeft = kClientWidth - kMargin - 2 * kButtonWidth - 8;
    OkButton.Create(
        At(self, okLeft, kButtonsTop, kButtonWidth, kButtonHeight, texts.ok, BS_DEFPUSHBUTTON),
        [this] { Accept(); });
    CancelButton.Create(
        At(self, okLeft + kButtonWidth + 8, kButtonsTop, kButtonWidth, kButtonHeight, texts.cancel),
        [this] { End(std::nullopt); });
    ShowSize(current, nullptr);
    return true;
}

void TPictureSizeDialog::ShowSize(TPoint size, const Control* edited) {
    // The field being typed in keeps what the user typed.
    following_ = true;
    if (edited != &WidthEdit)
        WidthEdit.SetText(std::to_string(size.X));
    if (edited != &HeightEdit)
        HeightEdit.SetText(std::to_string(size.Y));
    if (edited != &PercentEdit)
        PercentEdit.SetText(PercentText(PercentHundredths(original_, size.X)));
    following_ = false;
}

void TPictureSizeDialog::Edited(const EditBox& edit) {
    // The values given to the other fields do not edit back; a text that is no size yet
    // (the user is still typing) leaves them as they are.
    if (following_)
        return;
    const std::string text = edit.Text();
    if (&edit == &PercentEdit) {
        if (const auto hundredths = PercentFromText(text))
            ShowSize(SizeForPercent(original_, *hundredths), &edit);
    } else if (const auto side = SideFromText(text)) {
        ShowSize(&edit == &WidthEdit ? SizeForWidth(original_, *side)
                                     : SizeForHeight(original_, *side),
                 &edit);
    }
}

std::optional<TPoint> TPictureSizeDialog::ChosenSize() const {
    const auto width = SideFromText(WidthEdit.Text());
    const auto height = SideFromText(HeightEdit.Text());
    if (!width || !height)
        return std::nullopt;
    return TPoint{*width, *height};
}

void TPictureSizeDialog::Accept() {
    const auto size = ChosenSize();
    if (!size) {
        // The side that holds no size takes the focus for the user to mend it.
        MessageBeep(MB_ICONWARNING);
        EditBox& wrong = SideFromText(WidthEdit.Text()) ? HeightEdit : WidthEdit;
        wrong.SetFocus();
        wrong.SelectAll();
        return;
    }
    End(size);
}

void TPictureSizeDialog::End(std::optional<TPoint> size) {
    chosen_ = size;
    ended_ = true;
}

void TPictureSizeDialog::OnClose() {
    End(std::nullopt);
}

bool TPictureSizeDialog::OnKeyDown(WPARAM key) {
    if (key == VK_RETURN) {
        Accept();
        return true;
    }
    if (key == VK_ESCAPE) {
        End(std::nullopt);
        return true;
    }
    return false;
}

std::optional<TPoint> TPictureSizeDialog::RunModal() {
    // As modal as the Linux program's dialog: no window of the program takes input (no
    // conversion starts from the method window) while the size is chosen.
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), &AddEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    std::erase(disabled, Hwnd());
    for (const HWND window : disabled)
        EnableWindow(window, FALSE);
    const HWND owner = GetWindow(Hwnd(), GW_OWNER);
    BringToFront();
    // Above the method and preview windows too, which the owner does not own: a window
    // manager stacks an owned window just over its owner.
    for (const HWND order : {HWND_TOPMOST, HWND_NOTOPMOST})
        SetWindowPos(Hwnd(), order, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    WidthEdit.SetFocus();
    WidthEdit.SelectAll();
    MSG message;
    while (!ended_) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: the quit is left for the main loop.
            if (got == 0)
                PostQuitMessage(static_cast<int>(message.wParam));
            chosen_.reset();
            break;
        }
        // Enter and Escape go to the dialog's keys; Tab and the access keys move the focus.
        const bool ownKey = message.message == WM_KEYDOWN &&
                            (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE);
        if (ownKey || !IsDialogMessageW(Hwnd(), &message))
            DispatchOne(message);
    }
    // The windows are enabled before the dialog goes, so that the owner, not another
    // program, becomes the active window.
    for (const HWND window : disabled)
        EnableWindow(window, TRUE);
    if (owner != nullptr)
        SetActiveWindow(owner);
    Hide();
    return chosen_;
}

std::optional<TPoint> AskPictureSize(HWND owner, bool japanese, TPoint original, TPoint current) {
    if (const PictureSizeAsker& asker = CurrentAsker())
        return asker(original, current);
    TPictureSizeDialog dialog;
    if (!dialog.Create(owner, japanese, original, current))
        return std::nullopt;
    return dialog.RunModal();
}

PictureSizeAsker SetPictureSizeAsker(PictureSizeAsker asker) {
    return std::exchange(CurrentAsker(), std::move(asker));
}

} // namespace slanter
