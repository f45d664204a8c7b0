#include "shell/PictureSizeFields.h"

#include <cstdio>

#include "shell/PictureSizeChoice.h"

namespace slanter {

namespace {

// Digits alone; a side is never 0.
std::optional<std::int64_t> SideFromText(const std::string& text) {
    if (text.empty() || text.size() > 6)
        return std::nullopt;
    std::int32_t side = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9')
            return std::nullopt;
        side = side * 10 + (digit - '0');
    }
    if (side < 1 || side > kMostSizeSide)
        return std::nullopt;
    return side;
}

// At most two decimals, after a point or the comma of other locales.
std::optional<std::int64_t> PercentFromText(const std::string& text) {
    std::int64_t whole = 0;
    std::int64_t fraction = 0;
    int wholeDigits = 0;
    int fractionDigits = 0;
    bool point = false;
    for (const char c : text) {
        if ((c == '.' || c == ',') && !point) {
            point = true;
        } else if (c >= '0' && c <= '9' && !point && wholeDigits < 8) {
            whole = whole * 10 + (c - '0');
            ++wholeDigits;
        } else if (c >= '0' && c <= '9' && point && fractionDigits < 2) {
            fraction = fraction * 10 + (c - '0');
            ++fractionDigits;
        } else {
            return std::nullopt;
        }
    }
    if (wholeDigits + fractionDigits == 0)
        return std::nullopt;
    const std::int64_t hundredths = whole * 100 + (fractionDigits == 1 ? fraction * 10 : fraction);
    if (hundredths < 1 || hundredths > kMostPercentHundredths)
        return std::nullopt;
    return hundredths;
}

} // namespace

std::optional<std::int64_t> FieldValueFromText(SizeField field, const std::string& text) {
    return field == SizeField::Percent ? PercentFromText(text) : SideFromText(text);
}

std::string FieldText(SizeField field, std::int64_t value) {
    if (field != SizeField::Percent)
        return std::to_string(value);
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%02lld", static_cast<long long>(value / 100),
                  static_cast<long long>(value % 100));
    return text;
}

TPoint SizeOfField(TPoint original, SizeField field, std::int64_t value) {
    switch (field) {
    case SizeField::Width:
        return SizeForWidth(original, static_cast<std::int32_t>(value));
    case SizeField::Height:
        return SizeForHeight(original, static_cast<std::int32_t>(value));
    case SizeField::Percent:
        break;
    }
    return SizeForPercent(original, value);
}

std::int64_t FieldValue(TPoint original, SizeField field, TPoint size) {
    switch (field) {
    case SizeField::Width:
        return size.X;
    case SizeField::Height:
        return size.Y;
    case SizeField::Percent:
        break;
    }
    return PercentHundredths(original, size.X);
}

} // namespace slanter
