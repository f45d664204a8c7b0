#include "bitmap/decoders/PictureFormat.h"

#include <cctype>
#include <cstring>

#include "bitmap/ErrorTexts.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/decoders/FileHandle.h"
#include "bitmap/decoders/FormatDecoders.h"

namespace slanter {

namespace {

constexpr std::size_t kSignatureBytes = 12;

bool Begins(const unsigned char* head, std::size_t size, const char* signature, std::size_t length,
            std::size_t at = 0) {
    return size >= at + length && std::memcmp(head + at, signature, length) == 0;
}

PictureFormat FormatOf(const std::string& fileName, const unsigned char* head, std::size_t size) {
    if (Begins(head, size, "\x89PNG\r\n\x1a\n", 8))
        return PictureFormat::Png;
    if (Begins(head, size, "\xff\xd8\xff", 3))
        return PictureFormat::Jpeg;
    if (Begins(head, size, "GIF87a", 6) || Begins(head, size, "GIF89a", 6))
        return PictureFormat::Gif;
    // Classic TIFF, and BigTIFF with its 64-bit offsets.
    if (Begins(head, size, "II*\0", 4) || Begins(head, size, "MM\0*", 4) ||
        Begins(head, size, "II+\0", 4) || Begins(head, size, "MM\0+", 4))
        return PictureFormat::Tiff;
    if (Begins(head, size, "RIFF", 4) && Begins(head, size, "WEBP", 4, 8))
        return PictureFormat::Webp;
    if (Begins(head, size, "BM", 2))
        return PictureFormat::Bmp;
    if (size >= 3 && head[0] == 'P' && head[1] >= '1' && head[1] <= '6' && std::isspace(head[2]))
        return PictureFormat::Pnm;
    if (Begins(head, size, "icns", 4))
        return PictureFormat::Icns;
    if (Begins(head, size, "/* XPM */", 9))
        return PictureFormat::Xpm;
    if (Begins(head, size, "#define", 7))
        return PictureFormat::Xbm;
    // An icon's or a cursor's header: nought, its kind (1 or 2) and how many pictures
    // follow, at least one (a TGA file's header never has that).
    if (Begins(head, size, "\0\0", 2) && size >= 6 && (head[2] == 1 || head[2] == 2) &&
        head[3] == 0 && (head[4] != 0 || head[5] != 0))
        return PictureFormat::Ico;
    // The formats without a signature last, so that no file of another format is taken
    // for one of them.
    if (LooksLikeWbmp(fileName))
        return PictureFormat::Wbmp;
    if (LooksLikeTga(fileName))
        return PictureFormat::Tga;
    return PictureFormat::Unknown;
}

} // namespace

bool ReadPictureFormat(const std::string& fileName, PictureFormat& format) {
    unsigned char head[kSignatureBytes] = {};
    const FileHandle file = OpenForReading(fileName);
    if (!file)
        return false;
    const std::size_t size = std::fread(head, 1, sizeof head, file.get());
    format = FormatOf(fileName, head, size);
    return true;
}

std::string DecodedSizeOf(const StoredSize& size, std::int32_t& width, std::int32_t& height) {
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

} // namespace slanter
