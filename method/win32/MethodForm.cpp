#include "method/win32/MethodForm.h"

#include <commctrl.h>

#include <cstdint>
#include <string>

#include "conversion/win32/FinalForm.h"
#include "forms/FormTable.h"
#include "method/CaptionFit.h"
#include "method/MethodOptions.h"
#include "shell/TextUtilities.h"
#include "shell/win32/FormPlacement.h"
#include "shell/win32/MessageBox.h"
#include "shell/win32/WideText.h"
#include "shell/win32/WorkArea.h"

namespace slanter {

TMethodForm* MethodForm = nullptr;

namespace {

constexpr DesignedForm kForm = designed::kMethodForm;
constexpr const char* kSection = "MethodForm";
constexpr int kListRowHeight = 15;
// The designed font is 12 pixels high.
constexpr int kFontPixels = 12;
// Left of a group box's caption: the frame's start before it.
constexpr int kCaptionLead = 8;

BoxBounds Scaled(const DesignedItem& item, int dpi) {
    return {slanter::Scaled(item.x, dpi), slanter::Scaled(item.y, dpi),
            slanter::Scaled(item.width, dpi), slanter::Scaled(item.height, dpi)};
}

// How wide a text is in the font selected into `dc`.
int TextExtent(HDC dc, const std::string& text) {
    const std::wstring wide = WideText(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

} // namespace

TMethodForm::TMethodForm(ProgramState& state) : state_(state), presenter_(state, services_, view_) {
    FormCreate();
}

TMethodForm::~TMethodForm() = default;

void TMethodForm::FormCreate() {
    const DesignedItem& form = Designed(kForm, "MethodForm");
    WindowArgs args;
    args.title = std::string(form.text);
    args.left = slanter::Scaled(form.x);
    args.top = slanter::Scaled(form.y);
    args.clientWidth = slanter::Scaled(form.width);
    args.clientHeight = slanter::Scaled(form.height);
    args.style = WS_OVERLAPPEDWINDOW;
    Create(args);
    services_.SetOwner(Hwnd());

    const HFONT font = FontOf(slanter::Scaled(kFontPixels));
    CreateButtons(font);
    const BoxBounds panel = Scaled(Designed(kForm, "Panel1"), Dpi());
    const BoxBounds header = Scaled(Designed(kForm, "HeaderControl1"), Dpi());
    HeaderControl1.Create({Hwnd(), "", panel.left, panel.top, panel.width, header.height, 0, font},
                          // The designed sections, "角度|面積|..." in the form file.
                          SplitAt(Designed(kForm, "HeaderControl1").text, '|'));
    ListBox1.Create(
        {Hwnd(), "", panel.left, panel.top + header.height, panel.width,
         panel.height - header.height, WS_BORDER, font},
        slanter::Scaled(kListRowHeight), [this] { presenter_.SelectionChanged(); },
        [this] { presenter_.Preview(); });

    RunGuarded([this] { RestoreFormPlacement(Hwnd(), kSection); });
    presenter_.Start();
    for (int box = 0; box < kOptionButtonCount / 2; ++box)
        FitGroupBox(*boxes_[box], *options_[2 * box], *options_[2 * box + 1]);
}

CreateArgs TMethodForm::ArgsOf(std::string_view name, HFONT font, const BoxBounds& within) {
    const DesignedItem& item = Designed(kForm, name);
    const BoxBounds b = Scaled(item, Dpi());
    return {Hwnd(), item.text, within.left + b.left, within.top + b.top, b.width, b.height,
            0,      font};
}

void TMethodForm::CreateButtons(HFONT font) {
    for (int box = 0; box < kOptionButtonCount / 2; ++box) {
        const std::string boxName = std::string("GroupBox").append(std::to_string(box + 1));
        boxes_[box]->Create(ArgsOf(boxName, font, {}));
        named_.emplace_back(boxName, boxes_[box]);
        // The buttons lie on the form inside their boxes' bounds, as the system groups them.
        const BoxBounds within = Scaled(Designed(kForm, boxName), Dpi());
        for (int button = 2 * box + 1; button <= 2 * box + 2; ++button) {
            const std::string name = std::string("RadioButton").append(std::to_string(button));
            options_[button - 1]->CreateRadio(ArgsOf(name, font, within), button % 2 == 1,
                                              [this, button] { presenter_.CheckOption(button); });
            named_.emplace_back(name, options_[button - 1]);
        }
    }
    Button1.Create(ArgsOf("Button1", font, {}), [this] { presenter_.Preview(); });
    Button2.Create(ArgsOf("Button2", font, {}), [this] { presenter_.Convert(); });
    named_.emplace_back("Button1", &Button1);
    named_.emplace_back("Button2", &Button2);
}

// Stored at 96 dots per inch, as the designed lengths are.
int TMethodForm::TextWidth(HFONT font, const std::string& text) const {
    HDC dc = GetDC(Hwnd());
    const int width = [&] {
        const SelectedObject selected(dc, font);
        return TextExtent(dc, text);
    }();
    ReleaseDC(Hwnd(), dc);
    return width;
}

HFONT TMethodForm::FontOf(int pixels) {
    GdiObject<HFONT>& font = fonts_[pixels];
    if (font.Get() == nullptr) {
        const LOGFONTW description = ControlFontAt(pixels);
        font.Reset(CreateFontIndirectW(&description));
    }
    return font.Get();
}

void TMethodForm::FitGroupBox(GroupBox& box, CheckButton& first, CheckButton& second) {
    const RECT frame = box.Bounds();
    const std::array<CheckButton*, 2> buttons{&first, &second};
    OptionBox measured;
    measured.width = frame.right - frame.left;
    measured.captionMargins = kCaptionLead + kCaptionFrameTail;
    // The check mark and the gap before the text.
    measured.mark = GetSystemMetrics(SM_CXMENUCHECK) + 4;
    measured.caption = box.Text();
    for (std::size_t k = 0; k < buttons.size(); ++k) {
        const RECT bounds = buttons[k]->Bounds();
        measured.buttons[k] = {buttons[k]->Text(), bounds.left - frame.left,
                               bounds.right - bounds.left};
    }
    const int designedPixels = slanter::Scaled(kFontPixels);
    const FittedOptionBox fitted =
        FitOptionBox(measured, designedPixels, [this](const std::string& text, int pixels) {
            return TextWidth(FontOf(pixels), text);
        });
    const auto giveFont = [this, designedPixels](Control& control, int pixels) {
        if (pixels != designedPixels)
            SendMessageW(control.Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(pixels)),
                         TRUE);
    };
    giveFont(box, fitted.captionPixels);
    for (std::size_t k = 0; k < buttons.size(); ++k) {
        const RECT bounds = buttons[k]->Bounds();
        buttons[k]->SetBounds(bounds.left, bounds.top, fitted.buttonWidths[k],
                              bounds.bottom - bounds.top);
        giveFont(*buttons[k], fitted.buttonPixels[k]);
    }
}

void TMethodForm::OnClose() {
    presenter_.Closing();
    Hide();
}

void TMethodForm::OnSize(int, int) {
    if (ListBox1.Hwnd() == nullptr || IsIconic(Hwnd()))
        return;
    // Grown to its least size (larger on a scaled display), it may reach past the work
    // area's edge.
    if (presenter_.Resized())
        KeepOnWorkArea(Hwnd());
}

void TMethodForm::OnDpiChanged(int previous) {
    SendMessageW(ListBox1.Hwnd(), LB_SETITEMHEIGHT, 0, slanter::Scaled(kListRowHeight, Dpi()));
    for (int section = 0; section < kStoredColumnCount; ++section)
        HeaderControl1.SetSectionWidth(
            section, MulDiv(HeaderControl1.SectionWidth(section), Dpi(), previous));
    presenter_.Resized();
}

bool TMethodForm::OnKeyDown(WPARAM key) {
    // Preview is the default command: Enter anywhere in the window presses it.
    if ((key == VK_DOWN || key == VK_UP) && GetFocus() == ListBox1.Hwnd())
        return presenter_.ArrowKeyInList(key == VK_DOWN);
    return key == VK_RETURN && presenter_.Enter();
}

bool TMethodForm::OnNotify(const NMHDR& header, LRESULT&) {
    if (header.hwndFrom == HeaderControl1.Hwnd() &&
        (header.code == HDN_ITEMCHANGEDW || header.code == HDN_ITEMCHANGEDA ||
         header.code == HDN_TRACKW || header.code == HDN_TRACKA))
        ListBox1.Repaint();
    return false;
}

bool TMethodForm::OnDrawItem(DRAWITEMSTRUCT& item) {
    if (item.hwndItem != ListBox1.Hwnd())
        return false;
    ListBox1DrawItem(item);
    return true;
}

void TMethodForm::ListBox1DrawItem(DRAWITEMSTRUCT& item) const {
    const RECT rect = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    HDC dc = item.hDC;
    const COLORREF brush = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    const COLORREF ink = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    SetBkColor(dc, brush);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    // The list's own font, which follows the display's scale.
    const SelectedObject font(
        dc, reinterpret_cast<HFONT>(SendMessageW(ListBox1.Hwnd(), WM_GETFONT, 0, 0)));
    SectionWidths sections{};
    for (int section = 0; section < kListColumnCount; ++section)
        sections[section] = HeaderControl1.SectionWidth(section);
    const auto row =
        presenter_.RowToPaint(static_cast<std::int32_t>(item.itemID), sections,
                              [dc](const std::string& text) { return TextExtent(dc, text); });
    if (row) {
        SetTextColor(dc, ink);
        for (int column = 0; column < kListColumnCount; ++column) {
            const ColumnCell& at = row->cells[column];
            // The row's own left edge plays no part: the columns start at the header's.
            const RECT cell{at.left, rect.top, at.left + at.width, rect.bottom};
            const std::wstring text = WideText(row->texts[column]);
            ExtTextOutW(dc, cell.left + at.textLeft, rect.top, ETO_CLIPPED | ETO_OPAQUE, &cell,
                        text.c_str(), static_cast<UINT>(text.size()), nullptr);
        }
    }
    if ((item.itemState & ODS_FOCUS) != 0)
        DrawFocusRect(dc, &rect);
}

// The window as its presenter sees it.

template <typename Form>
void MethodViewOf<Form>::ShowChoices(const MethodChoices& choices) {
    for (int button = 1; button <= kOptionButtonCount; ++button)
        form_.options_[button - 1]->SetChecked(OptionChecked(choices, button));
}

template <typename Form>
void MethodViewOf<Form>::SetCaption(std::string_view item, const std::string& text) {
    constexpr std::string_view section = "HeaderControl1.";
    if (item == "MethodForm")
        form_.SetText(text);
    else if (item.starts_with(section))
        form_.HeaderControl1.SetSectionCaption(item.back() - '0', text);
    for (const auto& [name, control] : form_.named_)
        if (name == item)
            control->SetText(text);
}

template <typename Form>
int MethodViewOf<Form>::ColumnWidth(int column) const {
    return MulDiv(form_.HeaderControl1.SectionWidth(column), 96, form_.Dpi());
}

template <typename Form>
void MethodViewOf<Form>::SetColumnWidth(int column, int width) {
    form_.HeaderControl1.SetSectionWidth(column, slanter::Scaled(width, form_.Dpi()));
}

template <typename Form>
int MethodViewOf<Form>::ListTextWidth(const std::string& text) const {
    const auto font =
        reinterpret_cast<HFONT>(SendMessageW(form_.ListBox1.Hwnd(), WM_GETFONT, 0, 0));
    return MulDiv(form_.TextWidth(font, text), 96, form_.Dpi());
}

template <typename Form>
void MethodViewOf<Form>::ShowRows(const std::vector<std::string>& items) {
    form_.ListBox1.SetItems(items);
}

template <typename Form>
int MethodViewOf<Form>::SelectedRow() const {
    return form_.ListBox1.Selected();
}

template <typename Form>
void MethodViewOf<Form>::SelectRow(int row) {
    form_.ListBox1.Select(row);
}

template <typename Form>
void MethodViewOf<Form>::EnableCommands(bool enabled) {
    form_.Button1.SetEnabled(enabled);
    form_.Button2.SetEnabled(enabled);
}

template <typename Form>
void MethodViewOf<Form>::EnableInput(bool enabled) {
    EnableWindow(form_.Hwnd(), enabled ? TRUE : FALSE);
    // Back on the list, so that the arrow keys step on through the patterns.
    if (enabled)
        form_.ListBox1.SetFocus();
}

template <typename Form>
bool MethodViewOf<Form>::IsActive() const {
    return GetActiveWindow() == form_.Hwnd();
}

template <typename Form>
void MethodViewOf<Form>::Activate() {
    SetActiveWindow(form_.Hwnd());
}

template <typename Form>
Extent MethodViewOf<Form>::ClientArea() const {
    const SIZE client = form_.ClientSize();
    return {client.cx, client.cy};
}

template <typename Form>
BoxBounds MethodViewOf<Form>::ConvertButtonBounds() const {
    const RECT bounds = form_.Button2.Bounds();
    return {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
}

template <typename Form>
BoxBounds MethodViewOf<Form>::PanelBounds() const {
    return Scaled(Designed(kForm, "Panel1"), form_.Dpi());
}

template <typename Form>
void MethodViewOf<Form>::SetClientArea(Extent client) {
    form_.SetClientSize(client.width, client.height);
}

template <typename Form>
void MethodViewOf<Form>::LayOutPanel(Extent panel, int lastColumnWidth) {
    const BoxBounds at = PanelBounds();
    const RECT header = form_.HeaderControl1.Bounds();
    const int headerHeight = header.bottom - header.top;
    form_.HeaderControl1.SetBounds(at.left, at.top, panel.width, headerHeight);
    form_.ListBox1.SetBounds(at.left, at.top + headerHeight, panel.width,
                             panel.height - headerHeight);
    form_.HeaderControl1.SetSectionWidth(kListColumnCount - 1, lastColumnWidth);
}

template <typename Form>
ResultWindow& MethodViewOf<Form>::OpenResultWindow() {
    // A window of its own, as on Linux: an owned one would stay over the method window and
    // hide it when minimised.
    form_.results_.push_back(std::make_unique<TFinalForm>(form_.state_, nullptr));
    return form_.results_.back()->Window();
}

template <typename Form>
void MethodViewOf<Form>::ShowInFront() {
    form_.BringToFront();
    // The list is where the user goes on: the arrow keys step through the patterns, not
    // the options.
    form_.ListBox1.SetFocus();
}

template <typename Form>
void MethodViewOf<Form>::HideWindow() {
    form_.Hide();
}

template <typename Form>
void MethodViewOf<Form>::SavePlacement() {
    SaveFormPlacement(form_.Hwnd(), kSection);
}

template class MethodViewOf<TMethodForm>;

} // namespace slanter
