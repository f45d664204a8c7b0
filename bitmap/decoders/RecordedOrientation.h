#pragma once

#include <string>

namespace slanter {

// The EXIF orientation (1 to 8) the picture file records, read through our own file
// handle for a decoder whose library does not tell it; 1 when it records none.
int RecordedOrientation(const std::string& fileName);

} // namespace slanter
