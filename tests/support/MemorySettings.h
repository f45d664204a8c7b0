#pragma once

#include <map>
#include <string>

namespace slanter::testing {

// The settings store of the core's tests: ReadSetting and WriteSetting over a map that
// each test empties, so that presenters read and write settings without a platform.
// "Section/Name" -> the stored text.
std::map<std::string, std::string>& StoredSettings();

} // namespace slanter::testing
