#pragma once

#include <map>
#include <string>

namespace slanter::testing {

// The settings store of the core's tests: "section/name" -> the text stored, in memory,
// with the store's own rules (nothing written while SettingsWritable is false, no empty
// value). Link MemorySettings.cpp into a test program that has no platform store.
std::map<std::string, std::string>& StoredSettings();

} // namespace slanter::testing
