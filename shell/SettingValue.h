#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace slanter {

// One value of the settings store, tagged with its kind. Every kind is stored as text;
// the kind of a read's default decides how that text is read back.
class SettingValue {
  public:
    enum class Kind { Empty, Integer, Floating, Text, Boolean };

    SettingValue() = default;
    SettingValue(std::int32_t value) : value_(value) {}
    SettingValue(double value) : value_(value) {}
    SettingValue(std::string value) : value_(std::move(value)) {}
    SettingValue(const char* value) : value_(std::string(value)) {}
    SettingValue(bool value) : value_(value) {}

    Kind kind() const { return static_cast<Kind>(value_.index()); }

    // The value of its own kind; 0, 0.0, empty or false when the kind is another.
    std::int32_t Integer() const;
    double Floating() const;
    std::string Text() const;
    bool Boolean() const;

    friend bool operator==(const SettingValue&, const SettingValue&) = default;

  private:
    // Ordered as Kind.
    std::variant<std::monostate, std::int32_t, double, std::string, bool> value_;
};

// The text a value is stored as; nothing for an empty value, which is never written.
std::optional<std::string> StoredSettingText(const SettingValue& value);

// A floating value as stored: width 23, scientific, e.g. " 1.50000000000000E+0000".
std::string FloatingSettingText(double value);

// A stored integer: "0x"/"0X" and hexadecimal digits when longer than two characters,
// otherwise an optional sign and decimal digits or "$" and hexadecimal digits. Nothing
// for a text that does not convert to a 32-bit integer.
std::optional<std::int32_t> StoredSettingInteger(const std::string& text);

// The result of a read: `stored` is the stored text, nothing when the section or the
// value is missing. Floating and text defaults give a text result.
SettingValue SettingFromStoredText(const SettingValue& defaultValue,
                                   const std::optional<std::string>& stored);

} // namespace slanter
