#include "method/PatternRow.h"

#include <algorithm>

#include "engine/PatternColumns.h"

namespace slanter {

namespace {

std::string RightAligned(const std::string& text, std::size_t width) {
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

} // namespace

RowTexts PatternRowTexts(const TSlanter& engine, std::int32_t index) {
    const PatternColumns shown = FormatPatternColumns(engine, index);
    // The slide's "%" follows its five places.
    return {RightAligned(shown.angle, 5), RightAligned(shown.area, 3), RightAligned(shown.slide, 6),
            RightAligned(shown.width, 4), RightAligned(shown.height, 4)};
}

std::string PatternItemText(const TSlanter& engine, std::int32_t index) {
    return RightAligned(FormatPatternColumns(engine, index).angle, 5);
}

namespace {

const std::string kEights = "8888888";
constexpr int kColumnGap = 4;

} // namespace

std::array<ColumnCell, kListColumnCount>
RowCells(const SectionWidths& sections, const RowTexts& texts, const TextWidth& textWidth) {
    std::array<ColumnCell, kListColumnCount> cells;
    int left = 0;
    for (int c = 0; c < kListColumnCount; ++c) {
        const int end = textWidth(kEights.substr(0, kColumnDigits[c]));
        cells[c] = {left, sections[c], end - textWidth(texts[c])};
        left += sections[c];
    }
    return cells;
}

int FittingColumnWidth(int column, int least, const TextWidth& textWidth) {
    return std::max(least, textWidth(kEights.substr(0, kColumnDigits[column])) + kColumnGap);
}

} // namespace slanter
