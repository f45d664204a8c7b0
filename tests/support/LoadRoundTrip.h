#pragma once

#include <string>

namespace slanter::testing {

// What must hold for any file whatever its bytes: a refusal carries a text, and a
// picture that loads is saved and loaded again unchanged (sizes, depth, palette and
// every cell). Empty when it holds; otherwise what went wrong. scratch is a file name
// the check may overwrite.
std::string CheckLoadRoundTrip(const std::string& file, const std::string& scratch);

} // namespace slanter::testing
