#include "shell/SharedObjects.h"

#include "shell/ProgramState.h"

namespace slanter {

TSlanter* PatternEngine = nullptr;
THandyBitmap* SourceBitmap = nullptr;
TemporaryPictures* TemporaryFiles = nullptr;
std::string WorkingFile;
std::string SourceFile;

void LendStateToGlobals(ProgramState& state) {
    PatternEngine = &state.PatternEngine;
    SourceBitmap = &state.SourceBitmap;
    TemporaryFiles = state.TemporaryFiles.get();
    WorkingFile = state.WorkingFile;
}

void TakeStateFromGlobals(const ProgramState& state) {
    if (PatternEngine == &state.PatternEngine)
        PatternEngine = nullptr;
    if (SourceBitmap == &state.SourceBitmap)
        SourceBitmap = nullptr;
    if (TemporaryFiles == state.TemporaryFiles.get() || state.TemporaryFiles == nullptr) {
        TemporaryFiles = nullptr;
        WorkingFile.clear();
    }
}

} // namespace slanter
