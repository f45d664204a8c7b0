#include "shell/win32/PictureSizeDialog.h"

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
    const auto row = [&](KeyLabel& label, EditBox& edit, SizeField field,
                         const std::string& caption, DWORD style) {
        const int top = kFirstRow + static_cast<int>(field) * kRowStep;
        label.Create(At(self, kMargin, top + 3, kLabelWidth, 20, caption));
        edit.Create(At(self, kEditLeft, top, kEditWidth, kRowHeight, {}, style),
                    [this, field, &edit] { Edited(field, edit); });
    };
    row(widthLabel_, WidthEdit, SizeField::Width, texts.width, ES_NUMBER);
    row(heightLabel_, HeightEdit, SizeField::Height, texts.height, ES_NUMBER);
    row(percentLabel_, PercentEdit, SizeField::Percent, texts.percent, 0);
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
    for (const auto& [field, edit] : {std::pair{SizeField::Width, &WidthEdit},
                                      {SizeField::Height, &HeightEdit},
                                      {SizeField::Percent, &PercentEdit}})
        if (edit != edited)
            edit->SetText(FieldText(field, FieldValue(original_, field, size)));
    following_ = false;
}

void TPictureSizeDialog::Edited(SizeField field, const EditBox& edit) {
    // The values given to the other fields do not edit back; a text that is no size yet
    // (the user is still typing) leaves them as they are.
    if (following_)
        return;
    if (const auto value = FieldValueFromText(field, edit.Text()))
        ShowSize(SizeOfField(original_, field, *value), &edit);
}

std::optional<TPoint> TPictureSizeDialog::ChosenSize() const {
    const auto width = FieldValueFromText(SizeField::Width, WidthEdit.Text());
    const auto height = FieldValueFromText(SizeField::Height, HeightEdit.Text());
    if (!width || !height)
        return std::nullopt;
    return TPoint{static_cast<std::int32_t>(*width), static_cast<std::int32_t>(*height)};
}

void TPictureSizeDialog::Accept() {
    const auto size = ChosenSize();
    if (!size) {
        // The side that holds no size takes the focus for the user to mend it.
        MessageBeep(MB_ICONWARNING);
        EditBox& wrong =
            FieldValueFromText(SizeField::Width, WidthEdit.Text()) ? HeightEdit : WidthEdit;
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

std::optional<TPoint> RunPictureSizeDialog(HWND owner, bool japanese, TPoint original,
                                           TPoint current) {
    TPictureSizeDialog dialog;
    if (!dialog.Create(owner, japanese, original, current))
        return std::nullopt;
    return dialog.RunModal();
}

} // namespace slanter
