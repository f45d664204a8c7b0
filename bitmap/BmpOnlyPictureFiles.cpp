// The decoder of a build without the format libraries: the program's own BMP files only.
#include "bitmap/HandyBitmap.h"
#include "bitmap/PictureDecoder.h"

namespace slanter {

namespace {

constexpr const char* kOtherFormats =
    "this build reads only the BMP files of its own reader (uncompressed, 40-byte header, "
    "1 to 24 bits): PNG, JPEG, GIF, WebP, TIFF and other BMP files are not supported in "
    "this build";

} // namespace

std::string DecodePictureFile(const std::string& fileName, THandyBitmap& picture) {
    if (picture.LoadFromFile(fileName))
        return {};
    return kOtherFormats;
}

std::string DecodedPictureSize(const std::string& fileName, std::int32_t& width,
                               std::int32_t& height) {
    THandyBitmap picture;
    if (std::string reason = DecodePictureFile(fileName, picture); !reason.empty())
        return reason;
    width = picture.biWidth();
    height = picture.biHeight();
    return {};
}

std::vector<std::string> DecodedExtensions() {
    return {"bmp"};
}

bool DecodesOtherFormats() {
    return false;
}

} // namespace slanter
