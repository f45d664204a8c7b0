#pragma once

#include <string>

#include "bitmap/decoders/FormatDecoders.h"
#include "bitmap/decoders/PictureFormat.h"

namespace slanter {

// The formats our own decoders read without a format library (BMP, Netpbm, TGA, WBMP, XBM
// and XPM). A platform that leaves the other formats to the system's decoder reads these
// with ours, chosen by the same rule, so that both platforms read those files alike.
// Apple's icons are not among them: their reader hands its PNG pictures to libpng.
struct OwnReader {
    PictureFormat format;
    std::string (*decode)(const std::string& fileName, THandyBitmap& picture);
    // The size the file records, read from its headers alone.
    std::string (*size)(const std::string& fileName, StoredSize& size);
};

// Our own reader of the file's format; none for the other formats and for a file that
// cannot be read.
const OwnReader* OwnReaderOf(const std::string& fileName);

} // namespace slanter
