#pragma once

#include <memory>
#include <string>
#include <vector>

#include "bitmap/HandyBitmap.h"
#include "engine/Slanter.h"
#include "shell/ConversionGuard.h"
#include "shell/TemporaryPictures.h"

namespace slanter {

// A window that may still need a result file of the run's temporary folder, so that no
// conversion takes its name meanwhile.
class ResultFileUser {
  public:
    virtual bool NeedsResultFile(const std::string& fileName) const = 0;

  protected:
    ~ResultFileUser() = default;
};

// What the program's windows share for the whole run: made once by the program's start and
// handed to the presenter of every window, which reads and changes it in place of
// program-wide objects. The main window's presenter fills it as pictures open and empties
// it at its close.
struct ProgramState {
    TSlanter PatternEngine;
    // The opened picture, as the program's own reader read it from WorkingFile.
    THandyBitmap SourceBitmap;
    // This run's folder of temporary pictures; null before the main window made it and
    // after its close.
    std::unique_ptr<TemporaryPictures> TemporaryFiles;
    // The opened picture as a BMP file, "Temp0000.bmp" in the folder of TemporaryFiles;
    // empty when that folder could not be made.
    std::string WorkingFile;
    // The file the opened picture came from; empty for the clipboard's picture or none.
    std::string SourceFile;
    // The conversions running on SourceBitmap, PatternEngine and TemporaryFiles.
    ConversionGuard Conversions;
    // The result windows, which each may hold a result file.
    std::vector<const ResultFileUser*> ResultWindows;
};

} // namespace slanter
