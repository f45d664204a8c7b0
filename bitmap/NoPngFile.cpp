// The PNG writer of a build without Qt: BMP files only.
#include "bitmap/PngFile.h"

namespace slanter {

std::string SaveAsPng(const THandyBitmap&, const std::string&) {
    return PngWriterMissing();
}

std::string PngWriterMissing() {
    return "PNG files are not supported in this build: it writes BMP files only";
}

} // namespace slanter
