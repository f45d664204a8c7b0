#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "shell/SettingValue.h"

namespace slanter {

// The per-user store of the settings (a settings file on Linux, the registry on Windows):
// one key for the program under the company's key ("TAMRI Lab"), one section per subject,
// every value held as text. There is no cache: each call opens the store, and every write
// has reached it before the call returns.

inline constexpr const char* kCompanyKeyName = "TAMRI Lab";

// A stored value of a kind other than text. Not caught by the settings code: it ends the
// command in progress with the general error box.
class SettingsError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Dropped while SettingsWritable is false; an empty value is never written. A store that
// cannot be written is reported once (a warning) and makes SettingsWritable false.
void WriteSetting(const std::string& section, const std::string& name, const SettingValue& value);

// The kind of the default decides how the stored text is read (see SettingFromStoredText);
// a missing section or value gives the default.
SettingValue ReadSetting(const std::string& section, const std::string& name,
                         const SettingValue& defaultValue);

// The record of the installed program, written at every start (the same on every platform,
// through WriteSetting).
void WriteApplicationInfo();

// Deletes the program's key with every section and value below it.
void EraseSettings();

// What each platform's store does for the calls above. The stored text of a value, nothing
// when it is missing; a value of another kind throws SettingsError.
std::optional<std::string> ReadStoredText(const std::string& section, const std::string& name);
// Stores the text; a store the write did not reach is reported (SettingsNoLongerKept).
void WriteStoredText(const std::string& section, const std::string& name, const std::string& text);

// For the stores: a write did not reach the store. This run's later writes are dropped, so
// that the user is told once; answers the warning to show (naming the store).
std::string SettingsNoLongerKept(const std::string& storeName);

} // namespace slanter
