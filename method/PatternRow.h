#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace slanter {

class TSlanter;

// One row of the method window's pattern list: five columns (angle, area, slide, width,
// height) under the header's five sections. Each text ends where n digit eights would end
// from its column's left edge, whatever the font and the column's width, so a column's
// texts line up on the right; a text wider than its column is cut at the column's edges.

inline constexpr int kListColumnCount = 5;
using RowTexts = std::array<std::string, kListColumnCount>;
using SectionWidths = std::array<int, kListColumnCount>;

// n of each column.
inline constexpr std::array<int, kListColumnCount> kColumnDigits{6, 4, 7, 5, 5};

// The pattern's texts, right-aligned with spaces: the angle to 5 characters, the area to
// 3, the slide to 5 and a "%", the width and the height to 4.
RowTexts PatternRowTexts(const TSlanter& engine, std::int32_t index);

// The list item's own text: the angle right-aligned to 5 characters.
std::string PatternItemText(const TSlanter& engine, std::int32_t index);

struct ColumnCell {
    int left = 0;     // the column's left edge: the widths of the sections before it
    int width = 0;    // its section's width; nothing is drawn beyond it
    int textLeft = 0; // where the text starts, from `left`; below 0 when it is cut
};

// How wide a text is in the list's font.
using TextWidth = std::function<int(const std::string&)>;

std::array<ColumnCell, kListColumnCount>
RowCells(const SectionWidths& sections, const RowTexts& texts, const TextWidth& textWidth);

// A column's width before the user sets one: `least`, or wider where its n eights and a
// gap before the next column need it, so that no text is cut.
int FittingColumnWidth(int column, int least, const TextWidth& textWidth);

} // namespace slanter
