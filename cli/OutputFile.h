#pragma once

#include <string>

namespace slanter {
class THandyBitmap;
}

namespace slanter::cli {

// Saves bitmap to path (a PNG file when its name ends in .png, otherwise a BMP file)
// through a temporary file beside it, renamed into place at the
// end, so that a failed or interrupted save never leaves a partial file at path (and an
// existing one stays as it was). Answers the reason for a failure, empty on success.
std::string WriteResultFile(THandyBitmap& bitmap, const std::string& path);

} // namespace slanter::cli
