#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "bitmap/decoders/DecoderTexts.h"
#include "bitmap/decoders/FileBytes.h"
#include "bitmap/decoders/FileHandle.h"
#include "bitmap/decoders/FormatDecoders.h"
#include "bitmap/decoders/PictureCanvas.h"

namespace slanter {

namespace {

// The defines come first; a header longer than this is no XBM file a program wrote.
constexpr std::size_t kMostHeaderBytes = 4096;
constexpr std::uint64_t kMostSide = 0xffffffu;

// A C source that defines NAME_width and NAME_height and then the bits as an array of
// numbers: `char` bytes (X11) or `short` words (X10), the lowest bit the leftmost pixel.
class XbmText {
  public:
    explicit XbmText(const std::vector<std::uint8_t>& bytes)
        : text_(reinterpret_cast<const char*>(bytes.data()), bytes.size()) {}

    bool ReadSize(std::uint32_t& width, std::uint32_t& height) {
        return Define("_width", width) && Define("_height", height);
    }

    // Finds the array of bits, which may lie past the header after long comments.
    bool FindBits(bool& words) {
        const std::size_t open = text_.find('{');
        if (open == std::string::npos)
            return false;
        words = text_.rfind("short", open) != std::string::npos;
        at_ = open + 1;
        return true;
    }

    // The next number of the array: hexadecimal after 0x, else decimal.
    bool Number(std::uint32_t& value) {
        while (at_ < text_.size() && (std::isspace(Byte(at_)) || text_[at_] == ','))
            ++at_;
        const bool hex = text_.compare(at_, 2, "0x") == 0 || text_.compare(at_, 2, "0X") == 0;
        if (hex)
            at_ += 2;
        const std::size_t start = at_;
        std::uint64_t number = 0;
        for (; at_ < text_.size() && at_ - start < 8; ++at_) {
            const int digit = Digit(text_[at_], hex ? 16 : 10);
            if (digit < 0)
                break;
            number = number * (hex ? 16 : 10) + digit;
        }
        value = static_cast<std::uint32_t>(number);
        return at_ > start;
    }

  private:
    int Byte(std::size_t at) const { return static_cast<unsigned char>(text_[at]); }
    static int Digit(char c, int base) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        return digit < base ? digit : -1;
    }

    // "#define NAME<suffix> N" within the header.
    bool Define(const char* suffix, std::uint32_t& value) {
        const std::size_t header = std::min(text_.size(), kMostHeaderBytes);
        for (std::size_t at = text_.find("#define"); at < header;
             at = text_.find("#define", at + 1)) {
            std::size_t end = at + 7;
            while (end < text_.size() && std::isspace(Byte(end)))
                ++end;
            while (end < text_.size() && !std::isspace(Byte(end)))
                ++end;
            const std::size_t length = std::strlen(suffix);
            if (end - at < length || text_.compare(end - length, length, suffix) != 0)
                continue;
            at_ = end;
            std::uint64_t number = 0;
            while (at_ < text_.size() && std::isspace(Byte(at_)))
                ++at_;
            const std::size_t start = at_;
            for (; at_ < text_.size() && std::isdigit(Byte(at_)) && number <= kMostSide; ++at_)
                number = number * 10 + (text_[at_] - '0');
            value = static_cast<std::uint32_t>(number);
            return at_ > start && number > 0 && number <= kMostSide;
        }
        return false;
    }

    std::string text_;
    std::size_t at_ = 0;
};

} // namespace

std::string XbmSize(const std::string& fileName, StoredSize& size) {
    const FileHandle file = OpenForReading(fileName);
    if (!file)
        return decoder_text::CantOpen();
    std::vector<std::uint8_t> head(kMostHeaderBytes);
    head.resize(std::fread(head.data(), 1, head.size(), file.get()));
    std::uint32_t width = 0, height = 0;
    if (!XbmText(head).ReadSize(width, height))
        return decoder_text::Damaged("no width or height");
    size = {width, height, 1};
    return {};
}

std::string DecodeXbm(const std::string& fileName, THandyBitmap& picture) {
    std::vector<std::uint8_t> bytes;
    if (std::string refusal = ReadFileBytes(fileName, bytes); !refusal.empty())
        return refusal;
    XbmText text(bytes);
    std::uint32_t width = 0, height = 0;
    bool words = false;
    if (!text.ReadSize(width, height))
        return decoder_text::Damaged("no width or height");
    if (!text.FindBits(words))
        return decoder_text::CutShort();
    const int unitBits = words ? 16 : 8;
    const std::uint64_t units = (std::uint64_t{width} + unitBits - 1) / unitBits;
    // Each number takes at least two characters with its comma: refused before a picture
    // of the claimed size is made.
    if (units * height > bytes.size() / 2 + 1)
        return decoder_text::CutShort();
    // A set bit is black.
    PictureCanvas canvas(picture, 1);
    if (std::string refusal = canvas.Start(width, height, {Rgba(255, 255, 255), Rgba(0, 0, 0)});
        !refusal.empty())
        return refusal;
    std::vector<std::uint8_t> row(std::size_t(units * unitBits));
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint64_t u = 0; u < units; ++u) {
            std::uint32_t value = 0;
            if (!text.Number(value))
                return decoder_text::CutShort();
            for (int b = 0; b < unitBits; ++b)
                row[u * unitBits + b] = value >> b & 1;
        }
        canvas.PutIndices(static_cast<std::int32_t>(y), row.data());
    }
    return {};
}

} // namespace slanter
