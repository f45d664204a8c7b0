#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "method/MethodLayout.h"

namespace slanter {

class ResultWindow;

// The four option pairs as the window's buttons show them.
struct MethodChoices {
    bool horizontal = true;  // rows, or columns
    bool rightUp = true;     // rising to the right (anti-clockwise), or to the left
    bool smoothing = false;  // the conversion and the preview smooth
    bool sortOnAngle = true; // the list ordered on the angle, or on the area
};

// The option buttons RadioButton1 to RadioButton8: the pairs in the order above, each
// pair's first button first.
inline constexpr int kOptionButtonCount = 8;

// Whether option button `button` (1 to 8) is checked for `choices`.
inline bool OptionChecked(const MethodChoices& choices, int button) {
    const bool firsts[] = {choices.horizontal, choices.rightUp, !choices.smoothing,
                           choices.sortOnAngle};
    return firsts[(button - 1) / 2] == (button % 2 == 1);
}

// The method window as its presenter sees it: the controls it shows and asks, the room it
// has. Each front end implements it over its toolkit.
class MethodView {
  public:
    // Checks the buttons of the four pairs; a platform that hears its own checking passes
    // the same choices back.
    virtual void ShowChoices(const MethodChoices& choices) = 0;
    // The designed form's item `item` (see EnglishCaption) takes `text`.
    virtual void SetCaption(std::string_view item, const std::string& text) = 0;

    // The widths of the list's columns in the designed form's pixels, as they are stored.
    virtual int ColumnWidth(int column) const = 0;
    virtual void SetColumnWidth(int column, int width) = 0;
    // How wide `text` is in the list's font, in the designed form's pixels.
    virtual int ListTextWidth(const std::string& text) const = 0;

    // Fills the list with these items, none selected.
    virtual void ShowRows(const std::vector<std::string>& items) = 0;
    // The selected row, or -1.
    virtual int SelectedRow() const = 0;
    // Selects `row` as the user's click would, in sight.
    virtual void SelectRow(int row) = 0;
    // Preview and Convert.
    virtual void EnableCommands(bool enabled) = 0;
    // Whether the window takes input; taking it again, it gives the keys to the list.
    virtual void EnableInput(bool enabled) = 0;
    // Whether the window has the keys, and giving them back to it.
    virtual bool IsActive() const = 0;
    virtual void Activate() = 0;

    // The client area, Convert's bounds and the list panel's in it, in the window's pixels.
    virtual Extent ClientArea() const = 0;
    virtual BoxBounds ConvertButtonBounds() const = 0;
    virtual BoxBounds PanelBounds() const = 0;
    virtual void SetClientArea(Extent client) = 0;
    // Gives the panel its size and the list's last column its width.
    virtual void LayOutPanel(Extent panel, int lastColumnWidth) = 0;

    // Makes a hidden result window that this window owns and frees with itself.
    virtual ResultWindow& OpenResultWindow() = 0;

    // Shows the window in front, the keys on the list.
    virtual void ShowInFront() = 0;
    virtual void HideWindow() = 0;
    // Stores where the window is and how large.
    virtual void SavePlacement() = 0;

  protected:
    ~MethodView() = default;
};

} // namespace slanter
