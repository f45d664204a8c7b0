#pragma once

#include <string>

namespace slanter {

class TSlanter;
class THandyBitmap;
class TemporaryPictures;
struct ProgramState;

// The objects the main window owns for the whole run and lends to the other windows.
// Each is null before the main window makes it and after its close frees it.
extern TSlanter* PatternEngine;    // the pattern engine
extern THandyBitmap* SourceBitmap; // the opened picture, as the program's own reader read it
// This run's folder of temporary pictures; a conversion notes its result file here.
extern TemporaryPictures* TemporaryFiles;
// The opened picture as a BMP file, "Temp0000.bmp" in the folder of TemporaryFiles;
// empty when that folder could not be made.
extern std::string WorkingFile;
// The file the opened picture came from; empty for the clipboard's picture or none.
extern std::string SourceFile;

// Points the objects above into `state` once the main window has filled it, and clears
// them again at its close, for the windows and tests that still read them.
void LendStateToGlobals(ProgramState& state);
void TakeStateFromGlobals(const ProgramState& state);

} // namespace slanter
