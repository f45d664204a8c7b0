#pragma once

#include <functional>
#include <string>

namespace slanter {
class THandyBitmap;
}

namespace slanter::cli {

// What WriteResultFile answers when keepGoing stopped it.
inline constexpr const char* kWriteStopped = "stopped";

// Saves bitmap to path (a PNG file when its name ends in .png, otherwise a BMP file)
// through a temporary file beside it, flushed to disk and renamed
// into place at the end, so that a failed or interrupted save never leaves a partial file
// at path (an existing one stays as it was) nor the temporary beside it. An existing
// path must be a regular file, whose permission bits the new file takes; a pipe, a
// device or a folder is refused. keepGoing is asked once the data is on disk, before the
// rename; false removes the temporary and answers kWriteStopped. Answers the reason for
// a failure, empty on success.
std::string WriteResultFile(THandyBitmap& bitmap, const std::string& path,
                            const std::function<bool()>& keepGoing = {});

} // namespace slanter::cli
