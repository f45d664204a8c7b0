#pragma once

#include <functional>
#include <string>

#include <QImage>

namespace slanter {

class THandyBitmap;

// The result as the result window paints, copies and tiles it, read from the result file
// with the program's own reader, which takes every file the program's writer makes, the
// largest ones too.

// A picture read back, or the reason it could not be.
struct ReadBackPicture {
    QImage image;      // null when reading failed
    std::string error; // the reader's text, when it failed
};

ReadBackPicture ReadResultPicture(const std::string& fileName);
// The same as the result window shows it: clear parts over the checkerboard.
ReadBackPicture ReadShownResultPicture(const std::string& fileName);

// Puts `reader` in place of the reading that ReadResultPicture does (tests) and answers
// the one it replaces; an empty reader brings the program's own back.
using ResultPictureReader = std::function<ReadBackPicture(const std::string& fileName)>;
ResultPictureReader SetResultPictureReader(ResultPictureReader reader);

// The record's pixels in a form Qt paints, top row first: palette indices with the
// palette as colour table (padded with black to the depth's full count, so that no index
// points past it), or colours without one. A null picture when there is no memory for it.
QImage PictureOf(const THandyBitmap& bitmap);

} // namespace slanter
