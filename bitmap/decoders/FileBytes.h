#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace slanter {

// The whole file's bytes, for the decoders that take a file at once: the reason they give
// when it cannot be opened or read, empty on success.
std::string ReadFileBytes(const std::string& fileName, std::vector<std::uint8_t>& bytes);

} // namespace slanter
