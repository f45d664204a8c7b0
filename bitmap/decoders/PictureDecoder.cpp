// The picture decoder of the builds for this system: one library for each format, chosen
// by the file's first bytes whatever its name says.
#include "bitmap/PictureDecoder.h"

#include "bitmap/HandyBitmap.h"
#include "bitmap/decoders/DecoderTexts.h"
#include "bitmap/decoders/FormatDecoders.h"
#include "bitmap/decoders/GuardedDecoding.h"
#include "bitmap/decoders/PictureFormat.h"

namespace slanter {

namespace {

// What each format does with a file, chosen by its first bytes (PictureFormat.h).
template <typename Result>
struct FormatCalls {
    std::string (*png)(const std::string&, Result&);
    std::string (*jpeg)(const std::string&, Result&);
    std::string (*gif)(const std::string&, Result&);
    std::string (*tiff)(const std::string&, Result&);
    std::string (*webp)(const std::string&, Result&);
    std::string (*bmp)(const std::string&, Result&);
    std::string (*pnm)(const std::string&, Result&);
    std::string (*icns)(const std::string&, Result&);
    std::string (*ico)(const std::string&, Result&);
    std::string (*xpm)(const std::string&, Result&);
    std::string (*xbm)(const std::string&, Result&);
    std::string (*wbmp)(const std::string&, Result&);
    std::string (*tga)(const std::string&, Result&);
};

constexpr FormatCalls<THandyBitmap> kDecoders{.png = DecodePng,
                                              .jpeg = DecodeJpeg,
                                              .gif = DecodeGif,
                                              .tiff = DecodeTiff,
                                              .webp = DecodeWebp,
                                              .bmp = DecodeBmp,
                                              .pnm = DecodePnm,
                                              .icns = DecodeIcns,
                                              .ico = DecodeIco,
                                              .xpm = DecodeXpm,
                                              .xbm = DecodeXbm,
                                              .wbmp = DecodeWbmp,
                                              .tga = DecodeTga};
constexpr FormatCalls<StoredSize> kSizes{.png = PngSize,
                                         .jpeg = JpegSize,
                                         .gif = GifSize,
                                         .tiff = TiffSize,
                                         .webp = WebpSize,
                                         .bmp = BmpSize,
                                         .pnm = PnmSize,
                                         .icns = IcnsSize,
                                         .ico = IcoSize,
                                         .xpm = XpmSize,
                                         .xbm = XbmSize,
                                         .wbmp = WbmpSize,
                                         .tga = TgaSize};

template <typename Result>
std::string ByFormat(const FormatCalls<Result>& calls, const std::string& fileName,
                     PictureFormat format, Result& result) {
    switch (format) {
    case PictureFormat::Png:
        return calls.png(fileName, result);
    case PictureFormat::Jpeg:
        return calls.jpeg(fileName, result);
    case PictureFormat::Gif:
        return calls.gif(fileName, result);
    case PictureFormat::Tiff:
        return calls.tiff(fileName, result);
    case PictureFormat::Webp:
        return calls.webp(fileName, result);
    case PictureFormat::Bmp:
        return calls.bmp(fileName, result);
    case PictureFormat::Pnm:
        return calls.pnm(fileName, result);
    case PictureFormat::Icns:
        return calls.icns(fileName, result);
    case PictureFormat::Ico:
        return calls.ico(fileName, result);
    case PictureFormat::Xpm:
        return calls.xpm(fileName, result);
    case PictureFormat::Xbm:
        return calls.xbm(fileName, result);
    case PictureFormat::Wbmp:
        return calls.wbmp(fileName, result);
    case PictureFormat::Tga:
        return calls.tga(fileName, result);
    case PictureFormat::Unknown:
        break;
    }
    return decoder_text::UnknownFormat();
}

} // namespace

std::string DecodePictureFile(const std::string& fileName, THandyBitmap& picture) {
    return GuardedDecoding(picture, [&] {
        PictureFormat format = PictureFormat::Unknown;
        return ReadPictureFormat(fileName, format) ? ByFormat(kDecoders, fileName, format, picture)
                                                   : decoder_text::CantOpen();
    });
}

std::string DecodedPictureSize(const std::string& fileName, std::int32_t& width,
                               std::int32_t& height) {
    StoredSize size;
    const std::string refusal = RefusalOf([&] {
        PictureFormat format = PictureFormat::Unknown;
        return ReadPictureFormat(fileName, format) ? ByFormat(kSizes, fileName, format, size)
                                                   : decoder_text::CantOpen();
    });
    if (!refusal.empty())
        return refusal;
    return DecodedSizeOf(size, width, height);
}

std::vector<std::string> DecodedExtensions() {
    return {"bmp", "dib", "png", "jpg", "jpeg", "jpe", "jfif", "gif",  "tif",  "tiff", "webp",
            "pbm", "pgm", "ppm", "pnm", "tga",  "xpm", "xbm",  "wbmp", "icns", "ico"};
}

bool DecodesOtherFormats() {
    return true;
}

} // namespace slanter
