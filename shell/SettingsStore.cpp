// The rules of the settings store that do not depend on where the store is.
#include "shell/SettingsStore.h"

#include "shell/General.h"
#include "shell/MainTexts.h"

namespace slanter {

void WriteSetting(const std::string& section, const std::string& name, const SettingValue& value) {
    if (!SettingsWritable)
        return;
    if (const auto text = StoredSettingText(value))
        WriteStoredText(section, name, *text);
}

SettingValue ReadSetting(const std::string& section, const std::string& name,
                         const SettingValue& defaultValue) {
    if (defaultValue.kind() == SettingValue::Kind::Empty)
        return defaultValue;
    return SettingFromStoredText(defaultValue, ReadStoredText(section, name));
}

void WriteApplicationInfo() {
    WriteSetting("Application", "Title", Title);
    WriteSetting("Application", "Path", WorkFolder);
    WriteSetting("Application", "ExeName", ProgramName);
    WriteSetting("Application", "MajorVersion", MajorVersion);
    WriteSetting("Application", "MinorVersion", MinorVersion);
    WriteSetting("Application", "Revision", Revision);
}

// A store that cannot be written must not stop opening, converting or saving.
std::string SettingsNoLongerKept(const std::string& storeName) {
    SettingsWritable = false;
    return SettingsNotKeptText(Japanese, storeName);
}

} // namespace slanter
