#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "method/MethodView.h"
#include "method/MethodWindow.h"
#include "method/PatternRow.h"

namespace slanter {

class PlatformServices;
class PreviewWindow;
struct ProgramState;

// What the method window's row of a pattern paints: its texts and where each goes.
struct PaintedRow {
    RowTexts texts;
    std::array<ColumnCell, kListColumnCount> cells;
};

// The method window's flow: the options the engine hears and the store keeps, the pattern
// list, and the preview and the conversions of its selected pattern.
class MethodPresenter : public MethodWindow {
  public:
    MethodPresenter(ProgramState& state, PlatformServices& services, MethodView& view);

    void SetPreviewWindow(PreviewWindow* preview) { preview_ = preview; }

    // The window's creation: the stored options reach the buttons and the engine, the
    // stored widths the columns; both commands wait for a selected pattern.
    void Start();
    // The window closes: the preview window first, then the options and column widths are
    // stored; the platform hides the window.
    void Closing();

    // The option buttons. A new arrangement or order refills the list; a new tilt changes
    // no pattern of it, the next command uses it; smoothing is the commands' own.
    void SetArrangement(bool horizontal);
    void SetTilt(bool rightUp);
    void SetSmoothing(bool smoothing);
    void SetOrder(bool sortOnAngle);
    // Option button `button` (1 to 8, see OptionChecked) was checked: its pair's meaning.
    void CheckOption(int button);

    // The list's selection changed.
    void SelectionChanged();
    // Down (or Up, `down` false) in the list. Answers whether it took the key: in a list
    // without a selection it selects the first row (or the last), where a list's own
    // step would pass over the row it starts on.
    bool ArrowKeyInList(bool down);
    // Button1, a double click, Enter: the selected pattern in the preview window.
    void Preview();
    // Enter: the default command, while it is offered. Answers whether it took the key.
    bool Enter();
    // Button2: the selected pattern converted in a new result window.
    void Convert();

    // The client area changed size: it is kept to its least size and the panel follows it.
    // Answers whether the window was made larger.
    bool Resized();

    // What the row of pattern `index` shows under sections of these widths; nothing for a
    // row the engine has no pattern for.
    std::optional<PaintedRow> RowToPaint(std::int32_t index, const SectionWidths& sections,
                                         const TextWidth& textWidth) const;

    // The conversions started from this window so far.
    std::int32_t ResultCount() const { return resultCount_; }
    const MethodChoices& Choices() const { return choices_; }

    // MethodWindow
    void RefreshList() override;
    void BringToFront() override;
    void Close() override;

  private:
    void ReadStoredSettings();
    void WriteSettings();
    void ShowPreview();
    void OfferCommands(bool offered);

    ProgramState& state_;
    PlatformServices& services_;
    MethodView& view_;
    PreviewWindow* preview_ = nullptr;
    MethodChoices choices_;
    bool commandsOffered_ = false;
    bool resizing_ = false;
    std::int32_t resultCount_ = 0;
};

} // namespace slanter
