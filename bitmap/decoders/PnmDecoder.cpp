#include <cstdint>
#include <cstdio>
#include <vector>

#include "bitmap/decoders/DecoderTexts.h"
#include "bitmap/decoders/FileBytes.h"
#include "bitmap/decoders/FileHandle.h"
#include "bitmap/decoders/FormatDecoders.h"
#include "bitmap/decoders/PictureCanvas.h"

namespace slanter {

namespace {

constexpr std::uint32_t kMostLevel = 65535;

// The words and bytes of a netpbm file: numbers with blanks and # comments between them.
class PnmText {
  public:
    explicit PnmText(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    // The next decimal number; false at the end of the file or at anything else.
    bool Number(std::uint32_t& value) {
        SkipBlanks();
        if (at_ >= bytes_.size() || bytes_[at_] < '0' || bytes_[at_] > '9')
            return false;
        std::uint64_t number = 0;
        while (at_ < bytes_.size() && bytes_[at_] >= '0' && bytes_[at_] <= '9') {
            number = number * 10 + (bytes_[at_++] - '0');
            if (number > 0xffffffffu)
                return false;
        }
        value = static_cast<std::uint32_t>(number);
        return true;
    }
    // A plain black-and-white file may write its bits without blanks between them.
    bool Bit(std::uint32_t& value) {
        SkipBlanks();
        if (at_ >= bytes_.size() || (bytes_[at_] != '0' && bytes_[at_] != '1'))
            return false;
        value = bytes_[at_++] - '0';
        return true;
    }
    // Binary pixel data starts after the one blank that ends the header.
    void EndHeader() { ++at_; }
    bool Bytes(std::size_t count, const std::uint8_t*& data) {
        if (at_ > bytes_.size() || count > bytes_.size() - at_)
            return false;
        data = bytes_.data() + at_;
        at_ += count;
        return true;
    }
    std::uint8_t Byte(std::size_t at) const { return at < bytes_.size() ? bytes_[at] : 0; }
    std::size_t Left() const { return at_ < bytes_.size() ? bytes_.size() - at_ : 0; }

  private:
    void SkipBlanks() {
        while (at_ < bytes_.size()) {
            const std::uint8_t c = bytes_[at_];
            if (c == '#') {
                while (at_ < bytes_.size() && bytes_[at_] != '\n' && bytes_[at_] != '\r')
                    ++at_;
            } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') {
                ++at_;
            } else {
                return;
            }
        }
    }

    std::vector<std::uint8_t> bytes_;
    std::size_t at_ = 2;
};

std::string Decode(PnmText& text, int kind, THandyBitmap& picture) {
    const bool bits = kind == 1 || kind == 4;
    const bool plain = kind <= 3;
    const int channels = kind == 3 || kind == 6 ? 3 : 1;
    std::uint32_t width = 0, height = 0, most = 1;
    if (!text.Number(width) || !text.Number(height) || (!bits && !text.Number(most)))
        return decoder_text::CutShort();
    if (most == 0 || most > kMostLevel)
        return decoder_text::Damaged("maximum value " + std::to_string(most));
    // Black and white files are indexed: 0 white, 1 black.
    const std::vector<std::uint32_t> palette =
        bits ? std::vector<std::uint32_t>{Rgba(255, 255, 255), Rgba(0, 0, 0)}
             : std::vector<std::uint32_t>{};
    const std::size_t wide = most > 255 ? 2 : 1;
    // Each sample takes at least a character of a plain file and its bytes of a raw one:
    // a file too short for the picture it claims is refused before that picture is made.
    const std::uint64_t samples = std::uint64_t{width} * height * (bits ? 1 : channels);
    const std::uint64_t least = plain  ? samples
                                : bits ? (std::uint64_t{width} + 7) / 8 * height
                                       : samples * wide;
    if (least > text.Left())
        return decoder_text::CutShort();
    PictureCanvas canvas(picture, 1);
    if (std::string refusal = canvas.Start(width, height, palette); !refusal.empty())
        return refusal;
    if (!plain)
        text.EndHeader();
    const std::size_t rowBytes = bits ? (std::size_t{width} + 7) / 8 : width * channels * wide;
    std::vector<std::uint8_t> row(std::size_t{width} * 3, 0);
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint8_t* stored = nullptr;
        if (!plain && !text.Bytes(rowBytes, stored))
            return decoder_text::CutShort();
        for (std::size_t k = 0; k < std::size_t{width} * (bits ? 1 : channels); ++k) {
            std::uint32_t value = 0;
            if (plain && !(bits ? text.Bit(value) : text.Number(value)))
                return decoder_text::CutShort();
            if (!plain)
                value = bits        ? stored[k / 8] >> (7 - k % 8) & 1
                        : wide == 2 ? std::uint32_t(stored[2 * k]) << 8 | stored[2 * k + 1]
                                    : stored[k];
            if (bits) {
                row[k] = static_cast<std::uint8_t>(value & 1);
                continue;
            }
            const std::uint32_t level = value > most ? most : value;
            const auto eight = static_cast<std::uint8_t>((level * 255 + most / 2) / most);
            if (channels == 3)
                row[k] = eight;
            else
                row[3 * k] = row[3 * k + 1] = row[3 * k + 2] = eight;
        }
        if (bits)
            canvas.PutIndices(static_cast<std::int32_t>(y), row.data());
        else
            canvas.PutColors(static_cast<std::int32_t>(y), row.data(), 3);
    }
    return {};
}

// Bytes enough for the header of any file but one with long comments.
constexpr std::size_t kHeaderBytes = 4096;

bool HeaderSize(const std::vector<std::uint8_t>& bytes, StoredSize& size) {
    std::uint32_t width = 0, height = 0;
    PnmText text(bytes);
    if (!text.Number(width) || !text.Number(height))
        return false;
    size = {width, height, 1};
    return true;
}

} // namespace

std::string PnmSize(const std::string& fileName, StoredSize& size) {
    const FileHandle file = OpenForReading(fileName);
    if (!file)
        return decoder_text::CantOpen();
    std::vector<std::uint8_t> bytes(kHeaderBytes);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
    if (HeaderSize(bytes, size))
        return {};
    // Comments longer than the bytes read: the whole file it is.
    if (bytes.size() == kHeaderBytes && std::fseek(file.get(), 0, SEEK_SET) == 0 &&
        ReadAll(file.get(), bytes) && HeaderSize(bytes, size))
        return {};
    return decoder_text::CutShort();
}

std::string DecodePnm(const std::string& fileName, THandyBitmap& picture) {
    std::vector<std::uint8_t> bytes;
    if (std::string refusal = ReadFileBytes(fileName, bytes); !refusal.empty())
        return refusal;
    if (bytes.size() < 2)
        return decoder_text::CutShort();
    const int kind = bytes[1] - '0';
    PnmText text(std::move(bytes));
    return Decode(text, kind, picture);
}

} // namespace slanter
