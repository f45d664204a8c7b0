#include "support/MemorySettings.h"

#include "shell/SettingsStore.h"

namespace slanter {

namespace testing {

std::map<std::string, std::string>& StoredSettings() {
    static std::map<std::string, std::string> stored;
    return stored;
}

} // namespace testing

std::optional<std::string> ReadStoredText(const std::string& section, const std::string& name) {
    const auto& stored = testing::StoredSettings();
    const auto found = stored.find(section + "/" + name);
    if (found == stored.end())
        return std::nullopt;
    return found->second;
}

void WriteStoredText(const std::string& section, const std::string& name, const std::string& text) {
    testing::StoredSettings()[section + "/" + name] = text;
}

void EraseSettings() {
    testing::StoredSettings().clear();
}

} // namespace slanter
