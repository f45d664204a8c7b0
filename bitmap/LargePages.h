#pragma once

#include <cstddef>

namespace slanter {

// Asks the platform to back a large block that is still untouched with large pages, so
// that filling a picture's cells costs a few hundred page faults instead of tens of
// thousands. Only a hint: where the platform has none, or for a small block, nothing
// happens.
void AdviseLargePages(void* block, std::size_t bytes);

} // namespace slanter
