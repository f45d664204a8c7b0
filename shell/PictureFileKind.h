#pragma once

#include <string>

namespace slanter {

// How the open command takes a chosen file: a name whose extension is "bmp" in any case
// is a bitmap; otherwise a name ending in ".ico" in any case is an icon; anything else is
// no picture the program opens ("picture.bmp.txt" among them).
enum class PictureFileKind { Bitmap, Icon, Other };

PictureFileKind KindOfChosenFile(const std::string& fileName);

} // namespace slanter
