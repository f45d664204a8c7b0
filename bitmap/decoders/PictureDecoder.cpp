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

std::string DecodeByHead(const std::string& fileName, const unsigned char* head, std::size_t size,
                         THandyBitmap& picture) {
    if (Begins(head, size, "\x89PNG\r\n\x1a\n", 8))
        return DecodePng(fileName, picture);
    if (Begins(head, size, "\xff\xd8\xff", 3))
        return DecodeJpeg(fileName, picture);
    if (Begins(head, size, "GIF87a", 6) || Begins(head, size, "GIF89a", 6))
        return DecodeGif(fileName, picture);
    if (Begins(head, size, "II*\0", 4) || Begins(head, size, "MM\0*", 4))
        return DecodeTiff(fileName, picture);
    if (Begins(head, size, "RIFF", 4) && Begins(head, size, "WEBP", 4, 8))
        return DecodeWebp(fileName, picture);
    if (Begins(head, size, "BM", 2))
        return DecodeBmp(fileName, picture);
    if (size >= 3 && head[0] == 'P' && head[1] >= '1' && head[1] <= '6' && std::isspace(head[2]))
        return DecodePnm(fileName, picture);
    return decoder_text::UnknownFormat();
}

} // namespace

std::string DecodePictureFile(const std::string& fileName, THandyBitmap& picture) {
    unsigned char head[kSignatureBytes] = {};
    std::size_t size = 0;
    {
        const FileHandle file = OpenForReading(fileName);
        if (!file)
            return decoder_text::CantOpen();
        size = std::fread(head, 1, sizeof head, file.get());
    }
    std::string refusal;
    // A block the decoders' own buffers could not get ends the decoding like any other.
    try {
        refusal = DecodeByHead(fileName, head, size, picture);
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
    THandyBitmap picture;
    if (std::string reason = DecodePictureFile(fileName, picture); !reason.empty())
        return reason;
    width = picture.biWidth();
    height = picture.biHeight();
    return {};
}

std::vector<std::string> DecodedExtensions() {
    return {"bmp", "dib",  "png",  "jpg", "jpeg", "jpe", "jfif", "gif",
            "tif", "tiff", "webp", "pbm", "pgm",  "ppm", "pnm"};
}

bool DecodesOtherFormats() {
    return true;
}

} // namespace slanter
