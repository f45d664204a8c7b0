#include "method/MethodOptions.h"

#include <algorithm>

namespace slanter {

bool FirstButtonChosen(const OptionSetting& setting, const std::string& stored) {
    return stored == setting.first;
}

std::string StoredOptionText(const OptionSetting& setting, bool firstChecked) {
    return firstChecked ? setting.first : setting.second;
}

std::string ColumnWidthName(int section) {
    return "Width(" + std::to_string(section) + ")";
}

int ColumnWidthFromStore(int stored) {
    return std::clamp(stored, 0, kWidestColumn);
}

} // namespace slanter
