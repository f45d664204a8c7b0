#pragma once

#include <functional>
#include <string>

namespace slanter {

class THandyBitmap;

// What WriteResultFile answers when keepGoing stopped it.
inline constexpr const char* kWriteStopped = "stopped";

// How a save goes: the threads of the PNG encoder (0 for every core), and a report of the
// share written (0 to 1) after each piece, whose false stops the save.
struct ResultFileWriting {
    int threads = 0;
    std::function<bool(double done)> progress;
};

// Saves bitmap to path, named by exactly these bytes (a PNG file when its name ends in
// .png, otherwise a BMP file), through a temporary file beside it, flushed to disk and
// renamed into place at the end, so that a failed or interrupted save never leaves a
// partial file at path (an existing one stays as it was) nor the temporary beside it. A
// path that is a symbolic link is written where the link points, the link kept; a loop of
// links is refused. An existing path must be a regular file its user may write (on
// Windows: not marked read-only), whose permission bits the new file takes; a pipe, a
// device or a folder is refused. No reason names the temporary file. keepGoing is asked once the data is on disk, before
// the rename; false (or false from writing.progress) removes the temporary and answers
// kWriteStopped. Answers the reason for a failure, the system's own where it gives one;
// empty on success.
std::string WriteResultFile(THandyBitmap& bitmap, const std::string& path,
                            const std::function<bool()>& keepGoing = {},
                            const ResultFileWriting& writing = {});

} // namespace slanter
