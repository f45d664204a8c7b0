#include "method/win32/MethodForm.h"

#include <commctrl.h>

#include <string>

#include "conversion/ResultWindow.h"
#include "conversion/win32/FinalForm.h"
#include "forms/FormTable.h"
#include "method/CaptionFit.h"
#include "method/MethodOptions.h"
#include "shell/win32/FormPlacement.h"
#include "shell/win32/MessageBox.h"
#include "shell/win32/WideText.h"
#include "shell/win32/WorkArea.h"

namespace slanter {

TMethodForm* MethodForm = nullptr;

// A result window as the presenter starts it, until the result window is one itself.
class FinalFormBridge final : public ResultWindow {
  public:
    explicit FinalFormBridge(TFinalForm& form) : form_(form) {}
    void Convert(std::int32_t number, bool smoothing) override {
        form_.ResultNumber = number;
        form_.Smoothing = smoothing;
        form_.Convert();
    }

  private:
    TFinalForm& form_;
};

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

BoxBounds BoundsOf(const Control& control) {
    const RECT bounds = control.Bounds();
    return {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
}

// The header's designed sections, "角度|面積|..." in the form file.
std::vector<std::string> Sections(std::string_view joined) {
    std::vector<std::string> sections;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = joined.find('|', start);
        sections.emplace_back(joined.substr(start, bar - start));
        if (bar == std::string_view::npos)
            return sections;
        start = bar + 1;
    }
}

// How wide a text is in the font selected into `dc`.
int TextExtent(HDC dc, const std::string& text) {
    const std::wstring wide = WideText(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

void CheckPair(CheckButton& first, CheckButton& second, bool firstChecked) {
    first.SetChecked(firstChecked);
    second.SetChecked(!firstChecked);
}

} // namespace

TMethodForm::TMethodForm(ProgramState& state) : state_(state), presenter_(*this, services_, state) {
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

    const LOGFONTW designedFont = ControlFontAt(slanter::Scaled(kFontPixels));
    font_.Reset(CreateFontIndirectW(&designedFont));
    const HFONT font = font_.Get();
    CreateButtons(font);
    const BoxBounds panel = Scaled(Designed(kForm, "Panel1"), Dpi());
    const BoxBounds header = Scaled(Designed(kForm, "HeaderControl1"), Dpi());
    HeaderControl1.Create({Hwnd(), "", panel.left, panel.top, panel.width, header.height, 0, font},
                          Sections(Designed(kForm, "HeaderControl1").text));
    ListBox1.Create(
        {Hwnd(), "", panel.left, panel.top + header.height, panel.width,
         panel.height - header.height, WS_BORDER, font},
        slanter::Scaled(kListRowHeight), [this] { presenter_.SelectionChanged(); },
        [this] { presenter_.Preview(); });

    RunGuarded([this] { RestoreFormPlacement(Hwnd(), kSection); });
    presenter_.Start();
    FitGroupBox(GroupBox1, RadioButton1, RadioButton2);
    FitGroupBox(GroupBox2, RadioButton3, RadioButton4);
    FitGroupBox(GroupBox3, RadioButton5, RadioButton6);
    FitGroupBox(GroupBox4, RadioButton7, RadioButton8);
}

void TMethodForm::CreateButtons(HFONT font) {
    const auto box = [&](GroupBox& group, const char* name) {
        const BoxBounds b = Scaled(Designed(kForm, name), Dpi());
        group.Create(
            {Hwnd(), Designed(kForm, name).text, b.left, b.top, b.width, b.height, 0, font});
    };
    // The buttons lie on the form inside their boxes' bounds, as the system groups them.
    const auto radio = [&](CheckButton& button, const char* name, const char* group, bool first,
                           std::function<void()> onClick) {
        const DesignedItem& item = Designed(kForm, name);
        const BoxBounds b = Scaled(item, Dpi());
        const BoxBounds g = Scaled(Designed(kForm, group), Dpi());
        button.CreateRadio(
            {Hwnd(), item.text, g.left + b.left, g.top + b.top, b.width, b.height, 0, font}, first,
            std::move(onClick));
    };
    MethodPresenter& p = presenter_;
    box(GroupBox1, "GroupBox1");
    radio(RadioButton1, "RadioButton1", "GroupBox1", true, [&p] { p.SetArrangement(true); });
    radio(RadioButton2, "RadioButton2", "GroupBox1", false, [&p] { p.SetArrangement(false); });
    box(GroupBox2, "GroupBox2");
    radio(RadioButton3, "RadioButton3", "GroupBox2", true, [&p] { p.SetTilt(true); });
    radio(RadioButton4, "RadioButton4", "GroupBox2", false, [&p] { p.SetTilt(false); });
    box(GroupBox3, "GroupBox3");
    radio(RadioButton5, "RadioButton5", "GroupBox3", true, [&p] { p.SetSmoothing(false); });
    radio(RadioButton6, "RadioButton6", "GroupBox3", false, [&p] { p.SetSmoothing(true); });
    box(GroupBox4, "GroupBox4");
    radio(RadioButton7, "RadioButton7", "GroupBox4", true, [&p] { p.SetOrder(true); });
    radio(RadioButton8, "RadioButton8", "GroupBox4", false, [&p] { p.SetOrder(false); });
    const auto button = [&](Button& control, const char* name, std::function<void()> onClick) {
        const BoxBounds b = Scaled(Designed(kForm, name), Dpi());
        control.Create(
            {Hwnd(), Designed(kForm, name).text, b.left, b.top, b.width, b.height, 0, font},
            std::move(onClick));
    };
    button(Button1, "Button1", [&p] { p.Preview(); });
    button(Button2, "Button2", [&p] { p.Convert(); });
}

Control* TMethodForm::Named(std::string_view name) {
    const std::pair<std::string_view, Control*> controls[] = {
        {"GroupBox1", &GroupBox1},       {"GroupBox2", &GroupBox2},
        {"GroupBox3", &GroupBox3},       {"GroupBox4", &GroupBox4},
        {"Button1", &Button1},           {"Button2", &Button2},
        {"RadioButton1", &RadioButton1}, {"RadioButton2", &RadioButton2},
        {"RadioButton3", &RadioButton3}, {"RadioButton4", &RadioButton4},
        {"RadioButton5", &RadioButton5}, {"RadioButton6", &RadioButton6},
        {"RadioButton7", &RadioButton7}, {"RadioButton8", &RadioButton8},
    };
    for (const auto& [controlName, control] : controls)
        if (controlName == name)
            return control;
    return nullptr;
}

void TMethodForm::ShowChoices(const MethodChoices& choices) {
    CheckPair(RadioButton1, RadioButton2, choices.horizontal);
    CheckPair(RadioButton3, RadioButton4, choices.rightUp);
    CheckPair(RadioButton5, RadioButton6, !choices.smoothing);
    CheckPair(RadioButton7, RadioButton8, choices.sortOnAngle);
}

void TMethodForm::SetCaption(std::string_view item, const std::string& text) {
    constexpr std::string_view section = "HeaderControl1.";
    if (item == "MethodForm")
        SetText(text);
    else if (item.starts_with(section))
        HeaderControl1.SetSectionCaption(item.back() - '0', text);
    else if (Control* control = Named(item))
        control->SetText(text);
}

// Stored at 96 dots per inch, as the designed lengths are.
int TMethodForm::ColumnWidth(int column) const {
    return MulDiv(HeaderControl1.SectionWidth(column), 96, Dpi());
}

void TMethodForm::SetColumnWidth(int column, int width) {
    HeaderControl1.SetSectionWidth(column, slanter::Scaled(width, Dpi()));
}

void TMethodForm::EnableCommands(bool enabled) {
    Button1.SetEnabled(enabled);
    Button2.SetEnabled(enabled);
}

void TMethodForm::EnableInput(bool enabled) {
    EnableWindow(Hwnd(), enabled ? TRUE : FALSE);
    // Back on the list, so that the arrow keys step on through the patterns.
    if (enabled)
        ListBox1.SetFocus();
}

Extent TMethodForm::ClientArea() const {
    const SIZE client = ClientSize();
    return {client.cx, client.cy};
}

BoxBounds TMethodForm::ConvertButtonBounds() const {
    return BoundsOf(Button2);
}

BoxBounds TMethodForm::PanelBounds() const {
    return Scaled(Designed(kForm, "Panel1"), Dpi());
}

void TMethodForm::LayOutPanel(Extent panel, int lastColumnWidth) {
    const BoxBounds at = PanelBounds();
    const RECT header = HeaderControl1.Bounds();
    const int headerHeight = header.bottom - header.top;
    HeaderControl1.SetBounds(at.left, at.top, panel.width, headerHeight);
    ListBox1.SetBounds(at.left, at.top + headerHeight, panel.width, panel.height - headerHeight);
    HeaderControl1.SetSectionWidth(kListColumnCount - 1, lastColumnWidth);
}

ResultWindow& TMethodForm::OpenResultWindow() {
    results_.push_back(std::make_unique<TFinalForm>(state_, Hwnd()));
    // Asked to convert at once, before another window is opened.
    bridge_ = std::make_unique<FinalFormBridge>(*results_.back());
    return *bridge_;
}

void TMethodForm::ShowInFront() {
    Wnd::BringToFront();
    // The list is where the user goes on: the arrow keys step through the patterns, not
    // the options.
    ListBox1.SetFocus();
}

void TMethodForm::SavePlacement() {
    SaveFormPlacement(Hwnd(), kSection);
}

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
    for (const auto& [size, font] : smallerFonts_)
        if (size == pixels)
            return font.Get();
    const LOGFONTW description = ControlFontAt(pixels);
    smallerFonts_.emplace_back(pixels, GdiObject<HFONT>(CreateFontIndirectW(&description)));
    return smallerFonts_.back().second.Get();
}

void TMethodForm::FitGroupBox(GroupBox& box, CheckButton& first, CheckButton& second) {
    const RECT frame = box.Bounds();
    const int designedPixels = slanter::Scaled(kFontPixels);
    const auto shrink = [this, designedPixels](Control& control, int room, int extra) {
        const std::string text = control.Text();
        const int pixels = FittedFontPixels(designedPixels, [&](int size) {
            return TextWidth(FontOf(size), text) + extra <= room;
        });
        if (pixels != designedPixels)
            SendMessageW(control.Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(pixels)),
                         TRUE);
    };
    shrink(box, frame.right - frame.left, kCaptionLead + kCaptionFrameTail);
    // The check mark and the gap before the text.
    const int mark = GetSystemMetrics(SM_CXMENUCHECK) + 4;
    for (CheckButton* button : {&first, &second}) {
        const RECT bounds = button->Bounds();
        // Up to the frame, which is a pixel wide.
        const int room = frame.right - 1 - bounds.left;
        const int needed = mark + TextWidth(font_.Get(), button->Text());
        const int width = FittedButtonWidth(needed, bounds.right - bounds.left, room);
        button->SetBounds(bounds.left, bounds.top, width, bounds.bottom - bounds.top);
        shrink(*button, width, mark);
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

} // namespace slanter
