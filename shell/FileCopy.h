#pragma once

#include <string>

namespace slanter {

// Copies a regular file, replacing the target when it exists. The copy is always one its
// owner can write again, whatever the source's permissions, so the next copy onto it
// succeeds. False when the source is no readable regular file or the target cannot be
// written.
bool CopyFileReplacing(const std::string& from, const std::string& to);

} // namespace slanter
