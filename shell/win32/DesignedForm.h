#pragma once

#include <span>
#include <string_view>

namespace slanter {

// One row of a designed form as forms/form_table.py writes it from the form's .ui file:
// a widget, menu or action with its Japanese caption and designed bounds, or (class
// "entry") one entry of the menu `parent`, "-" for a separator.
struct DesignedItem {
    std::string_view name;
    std::string_view className;
    std::string_view parent;
    std::string_view text;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

using DesignedForm = std::span<const DesignedItem>;

inline constexpr DesignedItem kNoDesignedItem{};

// The row named `name` (not a menu entry); an empty row when the form has none.
constexpr const DesignedItem& Designed(DesignedForm form, std::string_view name) {
    for (const DesignedItem& item : form)
        if (item.name == name && item.className != "entry")
            return item;
    return kNoDesignedItem;
}

} // namespace slanter
