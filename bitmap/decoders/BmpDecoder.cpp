#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

#include "bitmap/decoders/DecoderTexts.h"
#include "bitmap/decoders/FileBytes.h"
#include "bitmap/decoders/FileHandle.h"
#include "bitmap/decoders/FormatDecoders.h"
#include "bitmap/decoders/PictureCanvas.h"

namespace slanter {

namespace {

constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::uint32_t kInfoHeaderBytes = 40;
enum Compression : std::uint32_t {
    kRgb = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitFields = 3,
    kAlphaFields = 6
};

class Bytes {
  public:
    explicit Bytes(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::size_t Size() const { return bytes_.size(); }
    bool Holds(std::size_t at, std::size_t count) const {
        return at <= bytes_.size() && count <= bytes_.size() - at;
    }
    std::uint8_t Byte(std::size_t at) const { return at < bytes_.size() ? bytes_[at] : 0; }
    std::uint32_t Number(std::size_t at, int count) const {
        std::uint32_t value = 0;
        for (int k = count - 1; k >= 0; --k)
            value = value << 8 | Byte(at + k);
        return value;
    }
    const std::uint8_t* At(std::size_t at) const { return bytes_.data() + at; }

  private:
    std::vector<std::uint8_t> bytes_;
};

// One channel of a bit-field pixel: its mask's bits scaled to 0..255.
class Channel {
  public:
    explicit Channel(std::uint32_t mask) : mask_(mask) {
        if (mask == 0)
            return;
        while ((mask >> shift_ & 1) == 0)
            ++shift_;
        most_ = mask >> shift_;
    }
    bool Present() const { return mask_ != 0; }
    int Of(std::uint32_t pixel) const {
        if (mask_ == 0)
            return 0;
        const std::uint64_t value = (pixel & mask_) >> shift_;
        return static_cast<int>((value * 255 + most_ / 2) / most_);
    }

  private:
    std::uint32_t mask_;
    int shift_ = 0;
    std::uint64_t most_ = 1;
};

struct Header {
    std::uint32_t infoBytes = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    int bits = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t colorsUsed = 0;
    std::uint32_t masks[4] = {};
    bool topDown = false;
};

std::string ReadHeader(const Bytes& file, Header& header) {
    header.infoBytes = file.Number(kFileHeaderBytes, 4);
    if (!file.Holds(kFileHeaderBytes, std::max(header.infoBytes, 4u)))
        return decoder_text::CutShort();
    const std::size_t info = kFileHeaderBytes;
    std::int64_t height;
    if (header.infoBytes == kCoreHeaderBytes) {
        header.width = file.Number(info + 4, 2);
        height = static_cast<std::int16_t>(file.Number(info + 6, 2));
        header.bits = static_cast<int>(file.Number(info + 10, 2));
    } else if (header.infoBytes == 16 || header.infoBytes == 40 || header.infoBytes == 52 ||
               header.infoBytes == 56 || header.infoBytes == 64 || header.infoBytes == 108 ||
               header.infoBytes == 124) {
        header.width = static_cast<std::int32_t>(file.Number(info + 4, 4));
        height = static_cast<std::int32_t>(file.Number(info + 8, 4));
        header.bits = static_cast<int>(file.Number(info + 14, 2));
        if (header.infoBytes >= 20)
            header.compression = file.Number(info + 16, 4);
        if (header.infoBytes >= 36)
            header.colorsUsed = file.Number(info + 32, 4);
    } else {
        return decoder_text::Unsupported("info header of " + std::to_string(header.infoBytes) +
                                         " bytes");
    }
    header.topDown = height < 0;
    header.height = height < 0 ? -height : height;
    // Bit fields follow a 40-byte header, and are part of the longer ones.
    const bool fields = header.compression == kBitFields || header.compression == kAlphaFields;
    if (header.infoBytes >= 52 || (fields && header.infoBytes == kInfoHeaderBytes)) {
        const int count = header.infoBytes >= 56 || header.compression == kAlphaFields ? 4 : 3;
        for (int k = 0; k < count; ++k)
            header.masks[k] = file.Number(info + kInfoHeaderBytes + 4 * k, 4);
    }
    if (!fields) {
        // Pixels without bit fields carry no opacity, whatever a longer header says.
        header.masks[3] = 0;
        if (header.bits == 16) {
            header.masks[0] = 0x7c00;
            header.masks[1] = 0x03e0;
            header.masks[2] = 0x001f;
        } else if (header.bits >= 24) {
            header.masks[0] = 0xff0000;
            header.masks[1] = 0x00ff00;
            header.masks[2] = 0x0000ff;
        }
    }
    const bool known = header.bits == 1 || header.bits == 2 || header.bits == 4 ||
                       header.bits == 8 || header.bits == 16 || header.bits == 24 ||
                       header.bits == 32;
    const bool compressionFits = (header.compression == kRgb && known) ||
                                 (header.compression == kRle8 && header.bits == 8) ||
                                 (header.compression == kRle4 && header.bits == 4) ||
                                 (fields && (header.bits == 16 || header.bits == 32));
    if (!compressionFits)
        return decoder_text::Unsupported(std::to_string(header.bits) + " bits, compression " +
                                         std::to_string(header.compression));
    return {};
}

// RLE pixel data as indices, each row handed to the canvas once the data leaves it, so
// that no second picture-sized block is held; what the data never reaches stays index 0.
void ExpandRle(const Bytes& file, std::size_t at, const Header& header, PictureCanvas& canvas) {
    const std::int64_t width = header.width;
    const std::int64_t height = header.height;
    const bool four = header.compression == kRle4;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width), 0);
    // y counts the rows as the file stores them, the bottom row first unless stored top down.
    std::int64_t x = 0, y = 0;
    bool written = false;
    auto finishRow = [&] {
        if (written && y < height)
            canvas.PutIndices(static_cast<std::int32_t>(header.topDown ? y : height - 1 - y),
                              row.data());
        std::fill(row.begin(), row.end(), std::uint8_t{0});
        written = false;
    };
    auto put = [&](std::uint8_t index) {
        if (x < width && y < height) {
            row[static_cast<std::size_t>(x)] = index;
            written = true;
        }
        ++x;
    };
    while (at + 1 < file.Size() && y < height) {
        const std::uint8_t count = file.Byte(at), value = file.Byte(at + 1);
        at += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k)
                put(four ? (k % 2 == 0 ? value >> 4 : value & 15) : value);
            continue;
        }
        if (value == 0) { // end of the row
            finishRow();
            x = 0;
            ++y;
        } else if (value == 1) { // end of the picture
            break;
        } else if (value == 2) { // a jump, to the right and up
            x += file.Byte(at);
            if (const std::uint8_t rows = file.Byte(at + 1); rows > 0) {
                finishRow();
                y += rows;
            }
            at += 2;
        } else { // `value` pixels stored as they are, padded to a 16-bit boundary
            const std::size_t bytes = four ? (value + 1) / 2 : value;
            for (int k = 0; k < value; ++k) {
                const std::uint8_t byte = file.Byte(at + (four ? k / 2 : k));
                put(four ? (k % 2 == 0 ? byte >> 4 : byte & 15) : byte);
            }
            at += bytes + bytes % 2;
        }
    }
    finishRow();
}

// A run codes at most 255 pixels in two bytes. The codes that leave pixels blank (the ends
// of a row or of the picture, the jumps) cost no more for a larger picture, so a picture
// they could not have coded in runs is refused before it is made; small ones always open.
bool RleCanHold(std::uint64_t dataBytes, std::int64_t pixels) {
    constexpr std::uint64_t kMostPixelsPerByte = 128;
    constexpr std::uint64_t kAlwaysOpens = 1 << 16;
    return std::uint64_t(pixels) <= dataBytes * kMostPixelsPerByte + kAlwaysOpens;
}

std::string Decode(const Bytes& file, THandyBitmap& picture) {
    Header header;
    if (std::string refusal = ReadHeader(file, header); !refusal.empty())
        return refusal;
    // The length the file header records is the file's: a shorter file was cut, even where
    // the rows left in it would still make a picture.
    if (file.Number(2, 4) > file.Size())
        return decoder_text::CutShort();
    const bool core = header.infoBytes == kCoreHeaderBytes;
    const bool fields = header.compression == kBitFields || header.compression == kAlphaFields;
    std::size_t paletteAt = kFileHeaderBytes + header.infoBytes;
    if (fields && header.infoBytes == kInfoHeaderBytes)
        paletteAt += header.compression == kAlphaFields ? 16 : 12;
    std::size_t dataAt = file.Number(10, 4);
    if (dataAt < paletteAt || dataAt > file.Size())
        return decoder_text::Damaged("pixel data outside the file");
    std::vector<std::uint32_t> palette;
    if (header.bits <= 8) {
        const std::size_t entryBytes = core ? 3 : 4;
        std::size_t count = header.colorsUsed == 0 || header.colorsUsed > (1u << header.bits)
                                ? std::size_t{1} << header.bits
                                : header.colorsUsed;
        count = std::min(count, (dataAt - paletteAt) / entryBytes);
        if (count == 0)
            return decoder_text::Damaged("no palette");
        for (std::size_t k = 0; k < count; ++k) {
            const std::size_t entry = paletteAt + k * entryBytes;
            palette.push_back(Rgba(file.Byte(entry + 2), file.Byte(entry + 1), file.Byte(entry)));
        }
    }
    const std::int64_t width = header.width, height = header.height;
    const bool rle = header.compression == kRle8 || header.compression == kRle4;
    const bool sized = width > 0 && height > 0;
    if (rle && sized && !RleCanHold(file.Size() - dataAt, width * height))
        return decoder_text::CutShort();
    // Rows stored as they are must all lie in the file before their picture is made.
    const std::uint64_t rowBytes =
        (std::uint64_t(header.bits) * std::uint64_t(width) + 31) / 32 * 4;
    if (!rle && sized && rowBytes > (file.Size() - dataAt) / std::uint64_t(height))
        return decoder_text::CutShort();
    PictureCanvas canvas(picture, 1);
    if (std::string refusal = canvas.Start(width, height, palette); !refusal.empty())
        return refusal;
    if (rle) {
        ExpandRle(file, dataAt, header, canvas);
        return {};
    }
    const auto stride = static_cast<std::size_t>(rowBytes);
    const Channel red(header.masks[0]), green(header.masks[1]), blue(header.masks[2]),
        alpha(header.masks[3]);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 4, 0);
    for (std::int64_t y = 0; y < height; ++y) {
        const std::int64_t stored = header.topDown ? y : height - 1 - y;
        const std::uint8_t* cells = file.At(dataAt + static_cast<std::size_t>(stored) * stride);
        for (std::int64_t x = 0; x < width; ++x) {
            std::uint8_t* out = &row[4 * x];
            if (header.bits <= 8) {
                const std::int64_t bit = x * header.bits;
                const int shift = 8 - header.bits - static_cast<int>(bit % 8);
                out[0] =
                    static_cast<std::uint8_t>(cells[bit / 8] >> shift & ((1 << header.bits) - 1));
                continue;
            }
            const int bytes = header.bits / 8;
            std::uint32_t pixel = 0;
            for (int k = bytes - 1; k >= 0; --k)
                pixel = pixel << 8 | cells[x * bytes + k];
            out[0] = static_cast<std::uint8_t>(red.Of(pixel));
            out[1] = static_cast<std::uint8_t>(green.Of(pixel));
            out[2] = static_cast<std::uint8_t>(blue.Of(pixel));
            out[3] = static_cast<std::uint8_t>(alpha.Present() ? alpha.Of(pixel) : 255);
        }
        if (header.bits <= 8) {
            for (std::int64_t x = 0; x < width; ++x)
                row[x] = row[4 * x];
            canvas.PutIndices(static_cast<std::int32_t>(y), row.data());
        } else {
            canvas.PutColors(static_cast<std::int32_t>(y), row.data(), 4);
        }
    }
    return {};
}

} // namespace

std::string BmpSize(const std::string& fileName, StoredSize& size) {
    const FileHandle file = OpenForReading(fileName);
    if (!file)
        return decoder_text::CantOpen();
    // The file header and the longest info header with its bit fields.
    std::vector<std::uint8_t> head(kFileHeaderBytes + 124 + 16);
    head.resize(std::fread(head.data(), 1, head.size(), file.get()));
    Header header;
    if (std::string refusal = ReadHeader(Bytes(std::move(head)), header); !refusal.empty())
        return refusal;
    size = {header.width, header.height, 1};
    return {};
}

std::string DecodeBmp(const std::string& fileName, THandyBitmap& picture) {
    std::vector<std::uint8_t> bytes;
    if (std::string refusal = ReadFileBytes(fileName, bytes); !refusal.empty())
        return refusal;
    return Decode(Bytes(std::move(bytes)), picture);
}

} // namespace slanter
