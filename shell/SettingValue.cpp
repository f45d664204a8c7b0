#include "shell/SettingValue.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace slanter {

namespace {

std::optional<int> HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return std::nullopt;
}

// Hexadecimal digits give a 32-bit pattern, so "$FFFFFFFF" is -1; more bits fail.
std::optional<std::uint32_t> HexDigits(const std::string& text, std::size_t from) {
    if (from >= text.size())
        return std::nullopt;
    std::uint64_t value = 0;
    for (std::size_t k = from; k < text.size(); ++k) {
        const auto digit = HexDigit(text[k]);
        if (!digit)
            return std::nullopt;
        value = value * 16 + static_cast<std::uint64_t>(*digit);
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

std::optional<std::int32_t> DecimalDigits(const std::string& text, std::size_t from,
                                          bool negative) {
    if (from >= text.size())
        return std::nullopt;
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t value = 0;
    for (std::size_t k = from; k < text.size(); ++k) {
        if (text[k] < '0' || text[k] > '9')
            return std::nullopt;
        value = value * 10 + (text[k] - '0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

// The standard integer conversion: optional sign, then decimal digits or "$" and hex.
std::optional<std::int32_t> StandardInteger(const std::string& text) {
    std::size_t k = 0;
    bool negative = false;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) {
        negative = text[k] == '-';
        ++k;
    }
    if (k < text.size() && text[k] == '$') {
        const auto bits = HexDigits(text, k + 1);
        if (!bits)
            return std::nullopt;
        const std::uint32_t signedBits = negative ? 0u - *bits : *bits;
        return static_cast<std::int32_t>(signedBits);
    }
    return DecimalDigits(text, k, negative);
}

} // namespace

std::int32_t SettingValue::Integer() const {
    const auto* value = std::get_if<std::int32_t>(&value_);
    return value ? *value : 0;
}

double SettingValue::Floating() const {
    const auto* value = std::get_if<double>(&value_);
    return value ? *value : 0.0;
}

std::string SettingValue::Text() const {
    const auto* value = std::get_if<std::string>(&value_);
    return value ? *value : std::string{};
}

bool SettingValue::Boolean() const {
    const auto* value = std::get_if<bool>(&value_);
    return value ? *value : false;
}

std::optional<std::string> StoredSettingText(const SettingValue& value) {
    switch (value.kind()) {
    case SettingValue::Kind::Integer:
        return std::to_string(value.Integer());
    case SettingValue::Kind::Floating:
        return FloatingSettingText(value.Floating());
    case SettingValue::Kind::Text:
        return value.Text();
    case SettingValue::Kind::Boolean:
        return std::string(value.Boolean() ? "1" : "0");
    case SettingValue::Kind::Empty:
        break;
    }
    return std::nullopt;
}

std::string FloatingSettingText(double value) {
    std::string text;
    if (!std::isfinite(value)) {
        text = std::isnan(value) ? "Nan" : (value < 0 ? "-Inf" : "+Inf");
    } else {
        // printf gives at least two exponent digits; the stored form has four.
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.14E", std::fabs(value));
        const std::string printed(buffer);
        const auto e = printed.find('E');
        const int exponent = std::atoi(printed.c_str() + e + 1);
        const std::string digits = std::to_string(std::abs(exponent));
        text += std::signbit(value) ? '-' : ' ';
        text.append(printed, 0, e);
        text += 'E';
        text += exponent < 0 ? '-' : '+';
        text.append(digits.size() < 4 ? 4 - digits.size() : 0, '0');
        text += digits;
    }
    if (text.size() < 23)
        text.insert(0, 23 - text.size(), ' ');
    return text;
}

std::optional<std::int32_t> StoredSettingInteger(const std::string& text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const auto bits = HexDigits(text, 2);
        return bits ? std::optional<std::int32_t>(static_cast<std::int32_t>(*bits)) : std::nullopt;
    }
    return StandardInteger(text);
}

SettingValue SettingFromStoredText(const SettingValue& defaultValue,
                                   const std::optional<std::string>& stored) {
    switch (defaultValue.kind()) {
    case SettingValue::Kind::Integer: {
        const auto number = stored ? StoredSettingInteger(*stored) : std::nullopt;
        return number ? SettingValue(*number) : defaultValue;
    }
    case SettingValue::Kind::Floating:
    case SettingValue::Kind::Text:
        return SettingValue(stored ? *stored : *StoredSettingText(defaultValue));
    case SettingValue::Kind::Boolean: {
        const auto number = stored ? StoredSettingInteger(*stored) : std::nullopt;
        return SettingValue(number ? *number != 0 : defaultValue.Boolean());
    }
    case SettingValue::Kind::Empty:
        break;
    }
    return defaultValue;
}

} // namespace slanter
