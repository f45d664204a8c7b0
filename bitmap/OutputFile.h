#pragma once

#include <functional>
#include <string>

namespace slanter {

class THandyBitmap;
class TemporaryBeside;

// What WriteResultFile answers when keepGoing stopped it.
inline constexpr const char* kWriteStopped = "stopped";

// How a save goes: the threads of the PNG encoder (0 for every core), and a report of the
// share written (0 to 1) after each piece, whose false stops the save.
struct ResultFileWriting {
    int threads = 0;
    std::function<bool(double done)> progress;
};

// Saves bitmap to path, named by exactly these bytes (a PNG file when its name ends in
// .png, otherwise a BMP file), through a TemporaryBeside, whose rules it follows. No
// reason names the temporary file. keepGoing is asked once the data is on disk, before
// the rename; false (or false from writing.progress) removes the temporary and answers
// kWriteStopped. Answers the reason for a failure, the system's own where it gives one;
// empty on success.
std::string WriteResultFile(THandyBitmap& bitmap, const std::string& path,
                            const std::function<bool()>& keepGoing = {},
                            const ResultFileWriting& writing = {});

// Why a BMP save of bitmap into temporary failed, in the user's words: the system's
// reason where it gave one, else the store's text with the user's file named in it.
std::string BmpFailure(const THandyBitmap& bitmap, const TemporaryBeside& temporary);

} // namespace slanter
