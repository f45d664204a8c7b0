// The picture decoder of the builds for this system: one library for each format, chosen
// by the file's first bytes whatever its name says.
#include "bitmap/PictureDecoder.h"

#include <cstring>

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
    std::string refusal = decoder_text::UnknownFormat();
    if (Begins(head, size, "\x89PNG\r\n\x1a\n", 8))
        refusal = DecodePng(fileName, picture);
    else if (Begins(head, size, "\xff\xd8\xff", 3))
        refusal = DecodeJpeg(fileName, picture);
    else if (Begins(head, size, "GIF87a", 6) || Begins(head, size, "GIF89a", 6))
        refusal = DecodeGif(fileName, picture);
    else if (Begins(head, size, "II*\0", 4) || Begins(head, size, "MM\0*", 4))
        refusal = DecodeTiff(fileName, picture);
    else if (Begins(head, size, "RIFF", 4) && Begins(head, size, "WEBP", 4, 8))
        refusal = DecodeWebp(fileName, picture);
    else if (Begins(head, size, "BM", 2))
        refusal = DecodeBmp(fileName, picture);
    // No half-made picture stays behind a refusal.
    if (!refusal.empty())
        picture.NewImage(0, 0, 24);
    return refusal;
}

std::vector<std::string> DecodedExtensions() {
    return {"bmp", "dib", "png", "jpg", "jpeg", "jpe", "jfif", "gif", "tif", "tiff", "webp"};
}

bool DecodesOtherFormats() {
    return true;
}

} // namespace slanter
