#include "method/win32/MethodForm.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "conversion/win32/FinalForm.h"
#include "engine/Slanter.h"
#include "forms/FormTable.h"
#include "method/CaptionFit.h"
#include "method/MethodLayout.h"
#include "method/MethodOptions.h"
#include "preview/win32/PreviewForm.h"
#include "shell/EnglishCaptions.h"
#include "shell/General.h"
#include "shell/ProgramState.h"
#include "shell/SettingsStore.h"
#include "shell/win32/FormPlacement.h"
#include "shell/win32/MessageBox.h"
#include "shell/win32/WideText.h"
#include "shell/win32/WorkArea.h"

namespace slanter {

TMethodForm* MethodForm = nullptr;

namespace {

// The English caption of this form's item `item`.
std::string English(std::string_view item) {
    return EnglishCaption(CaptionForm::Method, item);
}

constexpr DesignedForm kForm = designed::kMethodForm;
constexpr const char* kSection = "MethodForm";
constexpr int kListRowHeight = 15;
// The designed font is 12 pixels high.
constexpr int kFontPixels = 12;
// The size rules take at most these steps: the width, the height, the panel.
constexpr int kResizeSteps = 3;
// Left of a group box's caption: the frame's start before it.
constexpr int kCaptionLead = 8;

// The window takes no input while a preview is drawn or a conversion runs, so that no
// second one can be started from it; it takes input again however the command ends, the
// focus back on the list so the arrow keys step on through the patterns.
class DisabledWhile {
  public:
    DisabledWhile(HWND window, Control& focusAfter) : window_(window), focusAfter_(focusAfter) {
        EnableWindow(window_, FALSE);
    }
    ~DisabledWhile() {
        EnableWindow(window_, TRUE);
        focusAfter_.SetFocus();
    }
    DisabledWhile(const DisabledWhile&) = delete;
    DisabledWhile& operator=(const DisabledWhile&) = delete;

  private:
    HWND window_;
    Control& focusAfter_;
};

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

} // namespace

TMethodForm::TMethodForm(ProgramState& state) : state_(state) {
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

    const LOGFONTW designedFont = ControlFontAt(slanter::Scaled(kFontPixels));
    font_.Reset(CreateFontIndirectW(&designedFont));
    const HFONT font = font_.Get();

    const auto box = [&](GroupBox& group, const char* name) {
        const BoxBounds b = Scaled(Designed(kForm, name), Dpi());
        group.Create(
            {Hwnd(), Designed(kForm, name).text, b.left, b.top, b.width, b.height, 0, font});
    };
    // The buttons lie on the form inside their boxes' bounds, as the system groups them.
    const auto radio = [&](CheckButton& button, const char* name, const char* group, bool first) {
        const DesignedItem& item = Designed(kForm, name);
        const BoxBounds b = Scaled(item, Dpi());
        const BoxBounds g = Scaled(Designed(kForm, group), Dpi());
        const CheckButton* sender = &button;
        button.CreateRadio(
            {Hwnd(), item.text, g.left + b.left, g.top + b.top, b.width, b.height, 0, font}, first,
            [this, sender] { RunGuarded([this, sender] { RadioButtonClick(sender); }); });
    };
    box(GroupBox1, "GroupBox1");
    radio(RadioButton1, "RadioButton1", "GroupBox1", true);
    radio(RadioButton2, "RadioButton2", "GroupBox1", false);
    box(GroupBox2, "GroupBox2");
    radio(RadioButton3, "RadioButton3", "GroupBox2", true);
    radio(RadioButton4, "RadioButton4", "GroupBox2", false);
    box(GroupBox3, "GroupBox3");
    radio(RadioButton5, "RadioButton5", "GroupBox3", true);
    radio(RadioButton6, "RadioButton6", "GroupBox3", false);
    box(GroupBox4, "GroupBox4");
    radio(RadioButton7, "RadioButton7", "GroupBox4", true);
    radio(RadioButton8, "RadioButton8", "GroupBox4", false);
    const auto button = [&](Button& control, const char* name, std::function<void()> onClick) {
        const BoxBounds b = Scaled(Designed(kForm, name), Dpi());
        control.Create(
            {Hwnd(), Designed(kForm, name).text, b.left, b.top, b.width, b.height, 0, font},
            std::move(onClick));
    };
    button(Button1, "Button1", [this] { RunGuarded([this] { Button1Click(); }); });
    button(Button2, "Button2", [this] { RunGuarded([this] { Button2Click(); }); });
    const BoxBounds panel = Scaled(Designed(kForm, "Panel1"), Dpi());
    const BoxBounds header = Scaled(Designed(kForm, "HeaderControl1"), Dpi());
    HeaderControl1.Create({Hwnd(), "", panel.left, panel.top, panel.width, header.height, 0, font},
                          Sections(Designed(kForm, "HeaderControl1").text));
    ListBox1.Create(
        {Hwnd(), "", panel.left, panel.top + header.height, panel.width,
         panel.height - header.height, WS_BORDER, font},
        slanter::Scaled(kListRowHeight), [this] { ListBox1Click(); },
        [this] { RunGuarded([this] { ListBox1DblClick(); }); });

    RunGuarded([this] { RestoreFormPlacement(Hwnd(), kSection); });
    RunGuarded([this] {
        ReadOptions();
        for (int section = 0; section < kStoredColumnCount; ++section) {
            const int stored =
                ReadSetting(kSection, ColumnWidthName(section), kDefaultColumnWidth).Integer();
            // Stored at 96 dots per inch, as the designed lengths are.
            HeaderControl1.SetSectionWidth(section,
                                           slanter::Scaled(ColumnWidthFromStore(stored), Dpi()));
        }
    });
    ResultCount_ = 0;
    if (!Japanese)
        SetEnglishCaptions();
    FitGroupBox(GroupBox1, RadioButton1, RadioButton2);
    FitGroupBox(GroupBox2, RadioButton3, RadioButton4);
    FitGroupBox(GroupBox3, RadioButton5, RadioButton6);
    FitGroupBox(GroupBox4, RadioButton7, RadioButton8);
    for (int step = 0; step < kResizeSteps; ++step) {
        if (FormResize())
            break;
    }
    Button1.SetEnabled(false);
    Button2.SetEnabled(false);
}

void TMethodForm::ReadOptions() {
    const auto firstChosen = [](const OptionSetting& setting) {
        return FirstButtonChosen(setting,
                                 ReadSetting(kSection, setting.name, setting.first).Text());
    };
    // Checking a button runs its handler, as the user's click would: the engine hears the
    // stored options.
    const auto check = [this](CheckButton& first, CheckButton& second, bool firstChecked) {
        first.SetChecked(firstChecked);
        second.SetChecked(!firstChecked);
        RadioButtonClick(firstChecked ? &first : &second);
    };
    check(RadioButton1, RadioButton2, firstChosen(kRowSetting));
    check(RadioButton3, RadioButton4, firstChosen(kRotationSetting));
    check(RadioButton5, RadioButton6, firstChosen(kSmoothingSetting));
    check(RadioButton7, RadioButton8, firstChosen(kSortSetting));
}

void TMethodForm::SetEnglishCaptions() {
    SetText(English("MethodForm"));
    GroupBox1.SetText(English("GroupBox1"));
    GroupBox2.SetText(English("GroupBox2"));
    GroupBox3.SetText(English("GroupBox3"));
    GroupBox4.SetText(English("GroupBox4"));
    Button1.SetText(English("Button1"));
    Button2.SetText(English("Button2"));
    HeaderControl1.SetSectionCaption(0, English("HeaderControl1.0"));
    HeaderControl1.SetSectionCaption(1, English("HeaderControl1.1"));
    HeaderControl1.SetSectionCaption(2, English("HeaderControl1.2"));
    HeaderControl1.SetSectionCaption(3, English("HeaderControl1.3"));
    HeaderControl1.SetSectionCaption(4, English("HeaderControl1.4"));
    RadioButton1.SetText(English("RadioButton1"));
    RadioButton2.SetText(English("RadioButton2"));
    RadioButton3.SetText(English("RadioButton3"));
    RadioButton4.SetText(English("RadioButton4"));
    RadioButton5.SetText(English("RadioButton5"));
    RadioButton6.SetText(English("RadioButton6"));
    RadioButton7.SetText(English("RadioButton7"));
    RadioButton8.SetText(English("RadioButton8"));
}

int TMethodForm::TextWidth(HFONT font, const std::string& text) const {
    HDC dc = GetDC(Hwnd());
    const SelectedObject selected(dc, font);
    const std::wstring wide = WideText(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    ReleaseDC(Hwnd(), dc);
    return size.cx;
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
    FormClose();
    Hide();
}

void TMethodForm::FormClose() {
    // The preview window goes first, then this window saves its own settings.
    if (PreviewForm != nullptr)
        PreviewForm->Close();
    RunGuarded([this] {
        SaveFormPlacement(Hwnd(), kSection);
        WriteSetting(kSection, kRowSetting.name,
                     StoredOptionText(kRowSetting, RadioButton1.IsChecked()));
        WriteSetting(kSection, kRotationSetting.name,
                     StoredOptionText(kRotationSetting, RadioButton3.IsChecked()));
        WriteSetting(kSection, kSmoothingSetting.name,
                     StoredOptionText(kSmoothingSetting, RadioButton5.IsChecked()));
        WriteSetting(kSection, kSortSetting.name,
                     StoredOptionText(kSortSetting, RadioButton7.IsChecked()));
        for (int column = 0; column < kStoredColumnCount; ++column)
            WriteSetting(kSection, ColumnWidthName(column),
                         MulDiv(HeaderControl1.SectionWidth(column), 96, Dpi()));
    });
}

void TMethodForm::OnSize(int, int) {
    // Each resize takes one step; a step that resizes brings the next.
    if (ListBox1.Hwnd() != nullptr && resizeDepth_ < kResizeSteps) {
        ++resizeDepth_;
        const bool laidOut = FormResize();
        --resizeDepth_;
        if (!laidOut && resizeDepth_ == 0) {
            // Grown to its least size (larger on a scaled display), it may reach past the
            // work area's edge; the move back starts no further steps.
            resizeDepth_ = kResizeSteps;
            KeepOnWorkArea(Hwnd());
            resizeDepth_ = 0;
        }
    }
}

bool TMethodForm::FormResize() {
    if (IsIconic(Hwnd()))
        return true;
    const SIZE client = ClientSize();
    const BoxBounds panel = Scaled(Designed(kForm, "Panel1"), Dpi());
    const ResizeStep step =
        NextResizeStep({client.cx, client.cy}, BoundsOf(Button2), panel.left, panel.top);
    switch (step.kind) {
    case ResizeStep::Kind::GrowWidth:
    case ResizeStep::Kind::GrowHeight:
        SetClientSize(step.client.width, step.client.height);
        return false;
    case ResizeStep::Kind::LayOut:
        break;
    }
    const RECT header = HeaderControl1.Bounds();
    const int headerHeight = header.bottom - header.top;
    HeaderControl1.SetBounds(panel.left, panel.top, step.panel.width, headerHeight);
    ListBox1.SetBounds(panel.left, panel.top + headerHeight, step.panel.width,
                       step.panel.height - headerHeight);
    HeaderControl1.SetSectionWidth(kListColumnCount - 1, step.lastColumnWidth);
    return true;
}

void TMethodForm::OnDpiChanged(int previous) {
    SendMessageW(ListBox1.Hwnd(), LB_SETITEMHEIGHT, 0, slanter::Scaled(kListRowHeight, Dpi()));
    for (int section = 0; section < kStoredColumnCount; ++section)
        HeaderControl1.SetSectionWidth(
            section, MulDiv(HeaderControl1.SectionWidth(section), Dpi(), previous));
    FormResize();
}

bool TMethodForm::OnKeyDown(WPARAM key) {
    // Preview is the default command: Enter anywhere in the window presses it.
    if (key == VK_RETURN && Button1.IsEnabled()) {
        Button1.Click();
        return true;
    }
    return false;
}

void TMethodForm::RadioButtonClick(const CheckButton* sender) {
    TSlanter& engine = state_.PatternEngine;
    // A new tilt changes no pattern of the list; the next command uses it.
    if (sender == &RadioButton3) {
        engine.SetRightUp(true);
        return;
    }
    if (sender == &RadioButton4) {
        engine.SetRightUp(false);
        return;
    }
    if (sender == &RadioButton1)
        engine.SetHorizontal(true);
    else if (sender == &RadioButton2)
        engine.SetHorizontal(false);
    else if (sender == &RadioButton7)
        engine.SetSortOnAngle(true);
    else if (sender == &RadioButton8)
        engine.SetSortOnAngle(false);
    else
        return;
    RefreshList();
}

void TMethodForm::RefreshList() {
    std::vector<std::string> items;
    const std::int32_t count = state_.PatternEngine.PatternCount();
    for (std::int32_t index = 0; index < count; ++index)
        items.push_back(PatternItemText(state_.PatternEngine, index));
    ListBox1.SetItems(items);
    // Even an empty list offers no command: the engine's selection may belong to a table
    // that is gone.
    Button1.SetEnabled(false);
    Button2.SetEnabled(false);
    if (count > 0 && PreviewForm != nullptr)
        PreviewForm->Hide();
}

void TMethodForm::ListBox1Click() {
    const bool chosen = ListBox1.Selected() >= 0;
    Button1.SetEnabled(chosen);
    Button2.SetEnabled(chosen);
    // An open preview follows the selection, so that stepping down the list shows each
    // pattern's wallpaper at once.
    if (chosen && PreviewForm != nullptr && PreviewForm->IsVisible())
        RunGuarded([this] { ShowPreview(); });
}

void TMethodForm::ListBox1DblClick() {
    if (ListBox1.Selected() >= 0)
        ShowPreview();
}

void TMethodForm::Button1Click() {
    ShowPreview();
}

void TMethodForm::Button2Click() {
    StartConversion();
}

void TMethodForm::ShowPreview() {
    if (PreviewForm == nullptr)
        return;
    const DisabledWhile disabled(Hwnd(), ListBox1);
    state_.PatternEngine.SetPatternIndex(ListBox1.Selected());
    PreviewForm->Smoothing = RadioButton6.IsChecked();
    PreviewForm->DrawPreview();
}

void TMethodForm::StartConversion() {
    const DisabledWhile disabled(Hwnd(), ListBox1);
    state_.PatternEngine.SetPatternIndex(ListBox1.Selected());
    results_.push_back(std::make_unique<TFinalForm>(state_, Hwnd()));
    TFinalForm& result = *results_.back();
    ++ResultCount_;
    result.ResultNumber = ResultCount_;
    result.Smoothing = RadioButton6.IsChecked();
    result.Convert();
}

bool TMethodForm::OnNotify(const NMHDR& header, LRESULT&) {
    if (header.hwndFrom == HeaderControl1.Hwnd() &&
        (header.code == HDN_ITEMCHANGEDW || header.code == HDN_ITEMCHANGEDA ||
         header.code == HDN_TRACKW || header.code == HDN_TRACKA))
        ListBox1.Repaint();
    return false;
}

SectionWidths TMethodForm::ColumnWidths() const {
    SectionWidths widths{};
    for (int section = 0; section < kListColumnCount; ++section)
        widths[section] = HeaderControl1.SectionWidth(section);
    return widths;
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
    const auto index = static_cast<std::int32_t>(item.itemID);
    if (index >= 0 && index < state_.PatternEngine.PatternCount()) {
        // The list's own font, which follows the display's scale.
        const SelectedObject font(
            dc, reinterpret_cast<HFONT>(SendMessageW(ListBox1.Hwnd(), WM_GETFONT, 0, 0)));
        const RowTexts texts = PatternRowTexts(state_.PatternEngine, index);
        const auto cells = RowCells(ColumnWidths(), texts, [dc](const std::string& text) {
            const std::wstring wide = WideText(text);
            SIZE size{};
            GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
            return static_cast<int>(size.cx);
        });
        SetTextColor(dc, ink);
        for (int column = 0; column < kListColumnCount; ++column) {
            // The row's own left edge plays no part: the columns start at the header's.
            const RECT cell{cells[column].left, rect.top, cells[column].left + cells[column].width,
                            rect.bottom};
            const std::wstring text = WideText(texts[column]);
            ExtTextOutW(dc, cell.left + cells[column].textLeft, rect.top, ETO_CLIPPED | ETO_OPAQUE,
                        &cell, text.c_str(), static_cast<UINT>(text.size()), nullptr);
        }
    }
    if ((item.itemState & ODS_FOCUS) != 0)
        DrawFocusRect(dc, &rect);
}

} // namespace slanter
