#include "bitmap/WorkingPicture.h"

#include "bitmap/ErrorTexts.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/PictureDecoder.h"

namespace slanter {

namespace {

constexpr std::uint16_t kBmType = 0x4D42;

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
    if (text == bitmap_text::kCantReadFileHeader && refused.bfType() != kBmType)
        return true;
    // A negative height is a picture stored top down; the reader stops at its image.
    return text == bitmap_text::kCantReadImage && refused.biHeight() < 0;
}

std::string LoadWorkingPicture(const std::string& fileName, THandyBitmap& picture) {
    if (picture.LoadFromFile(fileName))
        return {};
    if (!DecoderMayTake(picture))
        return picture.ErrorText();
    const bool bmpFile = picture.bfType() == kBmType;
    const std::string readerText = picture.ErrorText();
    const std::string decoderText = DecodePictureFile(fileName, picture);
    if (decoderText.empty())
        return {};
    if (!bmpFile)
        return decoderText;
    return DecodesOtherFormats() ? readerText : readerText + " - " + decoderText;
}

} // namespace slanter
