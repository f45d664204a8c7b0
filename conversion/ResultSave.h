#pragma once

#include <functional>
#include <optional>
#include <string>

#include "bitmap/OutputFile.h"
#include "engine/Point.h"

namespace slanter {

// Why the result window's save does not write `fileName` at all: a name whose extension
// is not one we write, or a result file that is gone. Empty when the save may go ahead.
std::string ResultSaveRefusal(bool japanese, const std::string& resultFile,
                              const std::string& fileName);

// Writes the picture of the result file to fileName in the format its name asks for,
// read back with our reader and written through a temporary file and a rename; with
// `fill`, a picture of that size laid with it (TileFill.h). Answers the reason for a
// failure (kWriteStopped when keepGoing or writing.progress stopped it), empty on success.
std::string SaveResultFile(const std::string& resultFile, const std::string& fileName,
                           const std::function<bool()>& keepGoing = {},
                           const ResultFileWriting& writing = {},
                           const std::optional<TPoint>& fill = {});

} // namespace slanter
