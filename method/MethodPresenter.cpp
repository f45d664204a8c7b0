#include "method/MethodPresenter.h"

#include <string>
#include <string_view>

#include "conversion/ResultWindow.h"
#include "method/MethodOptions.h"
#include "preview/PreviewWindow.h"
#include "shell/EnglishCaptions.h"
#include "shell/General.h"
#include "shell/GuardedCommand.h"
#include "shell/ProgramState.h"
#include "shell/SettingsStore.h"

namespace slanter {

namespace {

constexpr const char* kSection = "MethodForm";
// The size rules take at most these steps: the width, the height, the panel.
constexpr int kResizeSteps = 3;

// The items an English run gives their English captions.
constexpr std::string_view kCaptionedItems[] = {
    "MethodForm",       "GroupBox1",        "GroupBox2",        "GroupBox3",
    "GroupBox4",        "Button1",          "Button2",          "HeaderControl1.0",
    "HeaderControl1.1", "HeaderControl1.2", "HeaderControl1.3", "HeaderControl1.4",
    "RadioButton1",     "RadioButton2",     "RadioButton3",     "RadioButton4",
    "RadioButton5",     "RadioButton6",     "RadioButton7",     "RadioButton8",
};

// The window takes no input while a preview is drawn or a conversion runs, so that no
// second one can be started from it; it takes input again however the command ends.
class InputDisabled {
  public:
    explicit InputDisabled(MethodView& view) : view_(view) { view_.EnableInput(false); }
    ~InputDisabled() { view_.EnableInput(true); }
    InputDisabled(const InputDisabled&) = delete;
    InputDisabled& operator=(const InputDisabled&) = delete;

  private:
    MethodView& view_;
};

bool FirstStored(const OptionSetting& setting) {
    return FirstButtonChosen(setting, ReadSetting(kSection, setting.name, setting.first).Text());
}

} // namespace

MethodPresenter::MethodPresenter(ProgramState& state, PlatformServices& services, MethodView& view)
    : state_(state), services_(services), view_(view) {}

void MethodPresenter::Start() {
    RunCommand(services_, [this] { ReadStoredSettings(); });
    resultCount_ = 0;
    if (!Japanese) {
        for (const std::string_view item : kCaptionedItems)
            view_.SetCaption(item, EnglishCaption(CaptionForm::Method, item));
    }
    // A hidden window hears of its size only when it shows; the panel is laid out now.
    Resized();
    OfferCommands(false);
}

void MethodPresenter::ReadStoredSettings() {
    TSlanter& engine = state_.PatternEngine;
    // Each as it is read, so that a value the store cannot read leaves the ones before it.
    choices_.horizontal = FirstStored(kRowSetting);
    engine.SetHorizontal(choices_.horizontal);
    view_.ShowChoices(choices_);
    choices_.rightUp = FirstStored(kRotationSetting);
    engine.SetRightUp(choices_.rightUp);
    view_.ShowChoices(choices_);
    choices_.smoothing = !FirstStored(kSmoothingSetting);
    view_.ShowChoices(choices_);
    choices_.sortOnAngle = FirstStored(kSortSetting);
    engine.SetSortOnAngle(choices_.sortOnAngle);
    view_.ShowChoices(choices_);
    const TextWidth textWidth = [this](const std::string& text) {
        return view_.ListTextWidth(text);
    };
    for (int column = 0; column < kStoredColumnCount; ++column) {
        const int fitting = FittingColumnWidth(column, kDefaultColumnWidth, textWidth);
        const int stored = ReadSetting(kSection, ColumnWidthName(column), fitting).Integer();
        view_.SetColumnWidth(column, ColumnWidthFromStore(stored));
    }
}

void MethodPresenter::Closing() {
    if (preview_ != nullptr)
        preview_->Close();
    RunCommand(services_, [this] {
        view_.SavePlacement();
        WriteSettings();
    });
}

void MethodPresenter::WriteSettings() {
    WriteSetting(kSection, kRowSetting.name, StoredOptionText(kRowSetting, choices_.horizontal));
    WriteSetting(kSection, kRotationSetting.name,
                 StoredOptionText(kRotationSetting, choices_.rightUp));
    WriteSetting(kSection, kSmoothingSetting.name,
                 StoredOptionText(kSmoothingSetting, !choices_.smoothing));
    WriteSetting(kSection, kSortSetting.name, StoredOptionText(kSortSetting, choices_.sortOnAngle));
    for (int column = 0; column < kStoredColumnCount; ++column)
        WriteSetting(kSection, ColumnWidthName(column), view_.ColumnWidth(column));
}

void MethodPresenter::Close() {
    Closing();
    view_.HideWindow();
}

void MethodPresenter::BringToFront() {
    view_.ShowInFront();
}

// A button checked anew is the only change: one checked again, or checked by the window's
// own ShowChoices, changes nothing.
void MethodPresenter::SetArrangement(bool horizontal) {
    if (choices_.horizontal == horizontal)
        return;
    choices_.horizontal = horizontal;
    state_.PatternEngine.SetHorizontal(horizontal);
    RefreshList();
}

void MethodPresenter::SetTilt(bool rightUp) {
    choices_.rightUp = rightUp;
    state_.PatternEngine.SetRightUp(rightUp);
}

void MethodPresenter::SetSmoothing(bool smoothing) {
    choices_.smoothing = smoothing;
}

void MethodPresenter::SetOrder(bool sortOnAngle) {
    if (choices_.sortOnAngle == sortOnAngle)
        return;
    choices_.sortOnAngle = sortOnAngle;
    state_.PatternEngine.SetSortOnAngle(sortOnAngle);
    RefreshList();
}

void MethodPresenter::CheckOption(int button) {
    const bool first = button % 2 == 1;
    switch ((button - 1) / 2) {
    case 0:
        return SetArrangement(first);
    case 1:
        return SetTilt(first);
    case 2:
        return SetSmoothing(!first);
    case 3:
        return SetOrder(first);
    }
}

bool MethodPresenter::ArrowKeyInList(bool down) {
    const std::int32_t count = state_.PatternEngine.PatternCount();
    if (count == 0 || view_.SelectedRow() >= 0)
        return false;
    view_.SelectRow(down ? 0 : count - 1);
    return true;
}

void MethodPresenter::RefreshList() {
    const TSlanter& engine = state_.PatternEngine;
    std::vector<std::string> items;
    for (std::int32_t index = 0; index < engine.PatternCount(); ++index)
        items.push_back(PatternItemText(engine, index));
    view_.ShowRows(items);
    // Even an empty list offers no command: the engine's selection may belong to a table
    // that is gone.
    OfferCommands(false);
    // A preview of a pattern of the old table goes; an empty table leaves it.
    if (!items.empty() && preview_ != nullptr)
        preview_->Hide();
}

void MethodPresenter::OfferCommands(bool offered) {
    commandsOffered_ = offered;
    view_.EnableCommands(offered);
}

void MethodPresenter::SelectionChanged() {
    // Offered only for a selected pattern, so that no command runs on a selection the
    // user took back.
    const bool chosen = view_.SelectedRow() >= 0;
    OfferCommands(chosen);
    // An open preview follows the selection, so that stepping down the list shows each
    // pattern's wallpaper at once.
    if (chosen && preview_ != nullptr && preview_->IsVisible())
        Preview();
}

void MethodPresenter::Preview() {
    RunCommand(services_, [this] { ShowPreview(); });
}

void MethodPresenter::ShowPreview() {
    if (preview_ == nullptr)
        return;
    // The user goes on in the list, watching the preview: a preview shown anew must not
    // take the keys.
    const bool active = view_.IsActive();
    {
        const InputDisabled disabled(view_);
        state_.PatternEngine.SetPatternIndex(view_.SelectedRow());
        preview_->DrawPreview(choices_.smoothing);
    }
    // Asked for even when still active: a platform may activate a shown window later.
    if (active)
        view_.Activate();
}

bool MethodPresenter::Enter() {
    if (!commandsOffered_)
        return false;
    Preview();
    return true;
}

void MethodPresenter::Convert() {
    RunCommand(services_, [this] {
        const InputDisabled disabled(view_);
        state_.PatternEngine.SetPatternIndex(view_.SelectedRow());
        ResultWindow& result = view_.OpenResultWindow();
        result.Convert(++resultCount_, choices_.smoothing);
    });
}

bool MethodPresenter::Resized() {
    // A size set here brings the platform's own notice of it, which the steps below
    // already take.
    if (resizing_)
        return false;
    resizing_ = true;
    bool grown = false;
    const BoxBounds panel = view_.PanelBounds();
    for (int step = 0; step < kResizeSteps; ++step) {
        const ResizeStep next =
            NextResizeStep(view_.ClientArea(), view_.ConvertButtonBounds(), panel.left, panel.top);
        if (next.kind == ResizeStep::Kind::LayOut) {
            view_.LayOutPanel(next.panel, next.lastColumnWidth);
            break;
        }
        view_.SetClientArea(next.client);
        grown = true;
    }
    resizing_ = false;
    return grown;
}

std::optional<PaintedRow> MethodPresenter::RowToPaint(std::int32_t index,
                                                      const SectionWidths& sections,
                                                      const TextWidth& textWidth) const {
    const TSlanter& engine = state_.PatternEngine;
    if (index < 0 || index >= engine.PatternCount())
        return std::nullopt;
    PaintedRow row;
    row.texts = PatternRowTexts(engine, index);
    row.cells = RowCells(sections, row.texts, textWidth);
    return row;
}

} // namespace slanter
