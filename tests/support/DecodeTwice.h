#pragma once

#include <string>

namespace slanter::testing {

// Decodes the picture file twice, every block of memory the process takes filled with
// other bytes each time where a sanitizer lets us see the blocks (elsewhere both runs see
// what the allocator gives), and tells where the two working pictures or refusals differ:
// a picture that holds memory the decoder never wrote. Also where a picture it makes
// cannot be saved, or whose size the headers alone give otherwise. Empty when all holds.
std::string CheckDecodesAlike(const std::string& file, const std::string& scratch);

} // namespace slanter::testing
