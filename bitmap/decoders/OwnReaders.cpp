#include "bitmap/decoders/OwnReaders.h"

namespace slanter {

namespace {

constexpr OwnReader kOwnReaders[] = {
    {PictureFormat::Bmp, DecodeBmp, BmpSize}, {PictureFormat::Pnm, DecodePnm, PnmSize},
    {PictureFormat::Tga, DecodeTga, TgaSize}, {PictureFormat::Wbmp, DecodeWbmp, WbmpSize},
    {PictureFormat::Xbm, DecodeXbm, XbmSize}, {PictureFormat::Xpm, DecodeXpm, XpmSize},
};

} // namespace

const OwnReader* OwnReaderOf(const std::string& fileName) {
    PictureFormat format = PictureFormat::Unknown;
    if (!ReadPictureFormat(fileName, format))
        return nullptr;
    for (const OwnReader& reader : kOwnReaders)
        if (reader.format == format)
            return &reader;
    return nullptr;
}

} // namespace slanter
