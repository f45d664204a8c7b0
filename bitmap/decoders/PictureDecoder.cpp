// The picture decoder of the builds for this system: one library for each format, chosen
// by the file's first bytes whatever its name says.
#include "bitmap/PictureDecoder.h"

#include <cctype>
#include <cstring>
#include <new>

#include "bitmap/ErrorTexts.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/decoders/DecoderTexts.h"
#include "bitmap/decoders/FileHandle.h"
#include "bitmap/decoders/FormatDecoders.h"

namespace slanter {

namespace {

constexpr std::size_t kSignatureBytes = 12;

bool Begins(const unsigned char* head, std::size_t size, const char* signature, std::size_t length,
            std::size_t at = 0) {
    return size >= at + length && std::memcmp(head + at, signature, length) == 0;
}

// What each format does with a file, chosen by its first bytes.
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
                                         .xpm = XpmSize,
                                         .xbm = XbmSize,
                                         .wbmp = WbmpSize,
                                         .tga = TgaSize};

template <typename Result>
std::string ByHead(const FormatCalls<Result>& calls, const std::string& fileName,
                   const unsigned char* head, std::size_t size, Result& result) {
    if (Begins(head, size, "\x89PNG\r\n\x1a\n", 8))
        return calls.png(fileName, result);
    if (Begins(head, size, "\xff\xd8\xff", 3))
        return calls.jpeg(fileName, result);
    if (Begins(head, size, "GIF87a", 6) || Begins(head, size, "GIF89a", 6))
        return calls.gif(fileName, result);
    if (Begins(head, size, "II*\0", 4) || Begins(head, size, "MM\0*", 4))
        return calls.tiff(fileName, result);
    if (Begins(head, size, "RIFF", 4) && Begins(head, size, "WEBP", 4, 8))
        return calls.webp(fileName, result);
    if (Begins(head, size, "BM", 2))
        return calls.bmp(fileName, result);
    if (size >= 3 && head[0] == 'P' && head[1] >= '1' && head[1] <= '6' && std::isspace(head[2]))
        return calls.pnm(fileName, result);
    if (Begins(head, size, "icns", 4))
        return calls.icns(fileName, result);
    if (Begins(head, size, "/* XPM */", 9))
        return calls.xpm(fileName, result);
    if (Begins(head, size, "#define", 7))
        return calls.xbm(fileName, result);
    // The formats without a signature last, so that no file of another format is taken
    // for one of them.
    if (LooksLikeWbmp(fileName))
        return calls.wbmp(fileName, result);
    if (LooksLikeTga(fileName))
        return calls.tga(fileName, result);
    return decoder_text::UnknownFormat();
}

// The file's first bytes, which name its format.
bool ReadHead(const std::string& fileName, unsigned char (&head)[kSignatureBytes],
              std::size_t& size) {
    const FileHandle file = OpenForReading(fileName);
    if (!file)
        return false;
    size = std::fread(head, 1, sizeof head, file.get());
    return true;
}

} // namespace

std::string DecodePictureFile(const std::string& fileName, THandyBitmap& picture) {
    unsigned char head[kSignatureBytes] = {};
    std::size_t size = 0;
    if (!ReadHead(fileName, head, size))
        return decoder_text::CantOpen();
    std::string refusal;
    // A block the decoders' own buffers could not get ends the decoding like any other.
    try {
        refusal = ByHead(kDecoders, fileName, head, size, picture);
    } catch (const std::bad_alloc&) {
        refusal = bitmap_text::kOutOfMemory;
    }
    // No half-made picture stays behind a refusal.
    if (!refusal.empty())
        picture.NewImage(0, 0, 24);
    return refusal;
}

std::string DecodedPictureSize(const std::string& fileName, std::int32_t& width,
                               std::int32_t& height) {
    unsigned char head[kSignatureBytes] = {};
    std::size_t headBytes = 0;
    if (!ReadHead(fileName, head, headBytes))
        return decoder_text::CantOpen();
    StoredSize size;
    std::string refusal;
    try {
        refusal = ByHead(kSizes, fileName, head, headBytes, size);
    } catch (const std::bad_alloc&) {
        refusal = bitmap_text::kOutOfMemory;
    }
    if (!refusal.empty())
        return refusal;
    // The sizes the decoder's canvas refuses.
    if (size.width <= 0 || size.height <= 0)
        return bitmap_text::kCantReadImage;
    if (size.width > THandyBitmap::kMaxPixels || size.height > THandyBitmap::kMaxPixels ||
        size.width * size.height > THandyBitmap::kMaxPixels)
        return bitmap_text::kTooLarge;
    // Orientations 5 to 8 turn the picture a quarter.
    const bool transposes = size.orientation >= 5 && size.orientation <= 8;
    width = static_cast<std::int32_t>(transposes ? size.height : size.width);
    height = static_cast<std::int32_t>(transposes ? size.width : size.height);
    return {};
}

std::vector<std::string> DecodedExtensions() {
    return {"bmp",  "dib", "png", "jpg", "jpeg", "jpe", "jfif", "gif", "tif",  "tiff",
            "webp", "pbm", "pgm", "ppm", "pnm",  "tga", "xpm",  "xbm", "wbmp", "icns"};
}

bool DecodesOtherFormats() {
    return true;
}

} // namespace slanter
