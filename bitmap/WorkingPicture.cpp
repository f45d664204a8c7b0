#include "bitmap/WorkingPicture.h"

#include "bitmap/BmpHeaders.h"
#include "bitmap/ByteOrder.h"
#include "bitmap/ErrorTexts.h"
#include "bitmap/FileLayer.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/PictureDecoder.h"

namespace slanter {

namespace {

bool StartsWith(const std::string& text, const char* head) {
    return text.rfind(head, 0) == 0;
}

} // namespace

bool DecoderMayTake(const THandyBitmap& refused) {
    const std::string& text = refused.ErrorText();
    if (text == bitmap_text::kNotBm || text == bitmap_text::kIllegalInfoSize ||
        text == bitmap_text::kCompressed || StartsWith(text, bitmap_text::kBitCountIs))
        return true;
    // Shorter than a BMP file header, and not starting as one: a fragment of another file.
    if (text == bitmap_text::kCantReadFileHeader && refused.bfType() != kBmpSignature)
        return true;
    // A negative height is a picture stored top down; the reader stops at its image.
    return text == bitmap_text::kCantReadImage && refused.biHeight() < 0;
}

std::string LoadWorkingPicture(const std::string& fileName, THandyBitmap& picture) {
    if (picture.LoadFromFile(fileName))
        return {};
    if (!DecoderMayTake(picture))
        return picture.ErrorText();
    const bool bmpFile = picture.bfType() == kBmpSignature;
    const std::string readerText = picture.ErrorText();
    const std::string decoderText = DecodePictureFile(fileName, picture);
    if (decoderText.empty())
        return {};
    // A picture the machine cannot hold is no fault of the file.
    if (!bmpFile || decoderText == bitmap_text::kOutOfMemory)
        return decoderText;
    return DecodesOtherFormats() ? readerText : readerText + " - " + decoderText;
}

std::string WorkingPictureSize(const std::string& fileName, std::int32_t& width,
                               std::int32_t& height) {
    std::uint8_t head[kFileHeaderBytes + kInfoHeaderBytes] = {};
    PlatformFile file;
    const bool opened = file.OpenForReading(fileName);
    const std::size_t headBytes = opened ? file.Read(head, sizeof head) : 0;
    const bool bmpFile = headBytes >= 2 && LittleEndian(head, 2) == kBmpSignature;
    if (bmpFile && headBytes == sizeof head) {
        const std::uint8_t* info = head + kFileHeaderBytes;
        const auto headerWidth = static_cast<std::int32_t>(LittleEndian(info + 4, 4));
        const auto headerHeight = static_cast<std::int32_t>(LittleEndian(info + 8, 4));
        const std::uint32_t bits = LittleEndian(info + 14, 2);
        // Only what the reader takes as it stands: other BMP files go to the decoder.
        if (LittleEndian(info, 4) == kInfoHeaderBytes && LittleEndian(info + 16, 4) == 0 &&
            (bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24) &&
            headerWidth > 0 && headerHeight > 0) {
            width = headerWidth;
            height = headerHeight;
            return {};
        }
    }
    file.Close();
    if (headBytes >= 2 && !bmpFile)
        return DecodedPictureSize(fileName, width, height);
    // Other BMP files the decoder sizes from their headers where it reads BMP files too.
    if (bmpFile && DecodesOtherFormats() && DecodedPictureSize(fileName, width, height).empty())
        return {};
    // Files refused answer as opening them does: the reader's reason before the decoder's.
    THandyBitmap picture;
    if (std::string reason = LoadWorkingPicture(fileName, picture); !reason.empty())
        return reason;
    width = picture.biWidth();
    height = picture.biHeight();
    return {};
}

} // namespace slanter
