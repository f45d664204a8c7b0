#include "support/MemorySettings.h"

#include "shell/General.h"
#include "shell/SettingsStore.h"

namespace slanter {

namespace testing {

std::map<std::string, std::string>& StoredSettings() {
    static std::map<std::string, std::string> settings;
    return settings;
}

} // namespace testing

void WriteSetting(const std::string& section, const std::string& name, const SettingValue& value) {
    if (!SettingsWritable)
        return;
    if (const auto text = StoredSettingText(value))
        testing::StoredSettings()[section + "/" + name] = *text;
}

SettingValue ReadSetting(const std::string& section, const std::string& name,
                         const SettingValue& defaultValue) {
    const auto& settings = testing::StoredSettings();
    const auto found = settings.find(section + "/" + name);
    if (found == settings.end())
        return SettingFromStoredText(defaultValue, std::nullopt);
    return SettingFromStoredText(defaultValue, found->second);
}

void EraseSettings() {
    testing::StoredSettings().clear();
}

} // namespace slanter
