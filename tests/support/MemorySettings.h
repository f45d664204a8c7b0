#pragma once

#include <map>
#include <string>

namespace slanter::testing {

// The settings store of the core's tests, in memory: "Section/Name" -> stored text. The
// core's ReadSetting and WriteSetting reach it in every test program that links it in
// place of a platform's store.
std::map<std::string, std::string>& StoredSettings();

} // namespace slanter::testing
