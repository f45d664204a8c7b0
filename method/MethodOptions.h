#pragma once

#include <array>
#include <string>

namespace slanter {

// The method window's four option pairs as the settings store keeps them: one text value
// each under the window's section, naming the first or the second button of the pair.
struct OptionSetting {
    const char* name;   // the value name
    const char* first;  // stored when the pair's first button is checked (the default)
    const char* second; // stored when its second button is checked
};

// In the order the window reads them. The spellings are the stored ones ("Clockwize").
inline constexpr OptionSetting kRowSetting{"Row", "Horizontal", "Vertical"};
inline constexpr OptionSetting kRotationSetting{"Rotation", "Anti-Clockwize", "Clockwize"};
inline constexpr OptionSetting kSmoothingSetting{"Smoothing", "OFF", "ON"};
inline constexpr OptionSetting kSortSetting{"Sort", "Angle", "Area"};
inline constexpr std::array<OptionSetting, 4> kOptionSettings{kRowSetting, kRotationSetting,
                                                              kSmoothingSetting, kSortSetting};

// Whether a stored text checks the pair's first button: only its own text does, so any
// other text, however near, checks the second.
bool FirstButtonChosen(const OptionSetting& setting, const std::string& stored);

// The text stored for the pair.
std::string StoredOptionText(const OptionSetting& setting, bool firstChecked);

// The list's first four columns keep their widths in the store; the fifth follows the
// window and is never stored.
inline constexpr int kStoredColumnCount = 4;
inline constexpr int kDefaultColumnWidth = 50;
// The widest a column may be made, as the header allows.
inline constexpr int kWidestColumn = 10000;

// "Width(0)" to "Width(3)".
std::string ColumnWidthName(int section);

// A stored width as the header takes it: below 0 as 0, above the widest as the widest.
int ColumnWidthFromStore(int stored);

} // namespace slanter
