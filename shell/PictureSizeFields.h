#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/Point.h"

namespace slanter {

// The Picture > Size dialog's three fields as the user types in them: whichever is edited,
// the other two follow it by the rules of PictureSizeChoice.h.
enum class SizeField { Width, Height, Percent };

// What a field holds: a side in pixels, or the percentage in hundredths.
// None for a text that is no such value yet (empty, other characters, out of range).
std::optional<std::int64_t> FieldValueFromText(SizeField field, const std::string& text);
// The text of a value, as the field shows it ("1920", "33.33").
std::string FieldText(SizeField field, std::int64_t value);

// The size the field stands for at `value`, the other side following `original`.
TPoint SizeOfField(TPoint original, SizeField field, std::int64_t value);
// The field's value for `size`.
std::int64_t FieldValue(TPoint original, SizeField field, TPoint size);

} // namespace slanter
