#pragma once

#include <string>
#include <vector>

namespace slanter {

// How the open command takes a chosen file: a name whose extension is "bmp" in any case
// is a bitmap; otherwise a name ending in ".ico" in any case is an icon; anything else is
// no picture the program opens ("picture.bmp.txt" among them).
enum class PictureFileKind { Bitmap, Icon, Picture, Other };

PictureFileKind KindOfChosenFile(const std::string& fileName);

// As above, and a name whose extension, in any case, is one of `pictureExtensions` (lower
// case, without the dot: the formats the platform's decoder reads) is a Picture.
PictureFileKind KindOfChosenFile(const std::string& fileName,
                                 const std::vector<std::string>& pictureExtensions);

} // namespace slanter
