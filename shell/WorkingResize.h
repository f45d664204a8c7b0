#pragma once

#include <string>

#include "engine/Point.h"

namespace slanter {

class KeptLayer;
class THandyBitmap;
class TemporaryPictures;

// The Size command's write of the working file: the picture at `size`, always made from
// `opened`, the picture as opened, so that sizing down and up again loses nothing; its own
// size writes it back as it was. `resizedNow` says whether the working file holds another
// size now. Answers the message to show, empty when there is none; `written` says whether
// the working file changed. What the resized picture keeps beyond the file's cells
// (transparency, depth, profile) goes to `resizedKept` where one is given.
std::string WriteResizedWorkingFile(THandyBitmap& opened, bool resizedNow, TPoint size,
                                    TemporaryPictures& temporary, const std::string& workingFile,
                                    bool japanese, const std::string& sourceName, bool& written,
                                    KeptLayer* resizedKept = nullptr);

} // namespace slanter
