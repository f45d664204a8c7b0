#include "shell/SharedObjects.h"

namespace slanter {

TSlanter* PatternEngine = nullptr;
THandyBitmap* SourceBitmap = nullptr;
TemporaryPictures* TemporaryFiles = nullptr;
std::string WorkingFile;
std::string SourceFile;

} // namespace slanter
