#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace slanter {

// Whether the bytes are an ICC profile whose header and tag table hold together: the size
// its header records is its length, it carries the profile signature, and every tag lies
// inside it. A profile that fails is never passed on, since a viewer would misread the
// colours of every picture carrying it.
bool IsWellFormedProfile(const std::vector<std::uint8_t>& profile);

// The profile's own name for itself (its description tag, in UTF-8), or empty when it
// has none that can be read.
std::string ProfileDescription(const std::vector<std::uint8_t>& profile);

} // namespace slanter
