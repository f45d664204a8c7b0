#include <algorithm>
#include <cstdint>
#include <vector>

#include "bitmap/ByteOrder.h"
#include "bitmap/decoders/DecoderTexts.h"
#include "bitmap/decoders/FileBytes.h"
#include "bitmap/decoders/FileHandle.h"
#include "bitmap/decoders/FormatDecoders.h"
#include "bitmap/decoders/PictureCanvas.h"

namespace slanter {

namespace {

constexpr std::size_t kHeaderBytes = 18;
constexpr int kMapped = 1, kTrueColor = 2, kGrey = 3, kRunLength = 8;
constexpr std::uint8_t kTopDown = 0x20, kRightToLeft = 0x10;
// A run packet gives at most 128 pixels.
constexpr std::uint64_t kMostPixelsPerPacket = 128;

struct TgaHeader {
    std::size_t idBytes = 0;
    bool hasMap = false;
    int kind = 0; // mapped, true colour or grey
    bool runLength = false;
    std::uint32_t mapFirst = 0, mapLength = 0;
    int mapBits = 0;
    std::int64_t width = 0, height = 0;
    int bits = 0;
    std::uint8_t descriptor = 0;

    int AlphaBits() const { return descriptor & 15; }
    std::size_t MapBytes() const { return hasMap ? mapLength * std::size_t((mapBits + 7) / 8) : 0; }
    std::size_t PixelBytes() const { return std::size_t(bits + 7) / 8; }
    // The stored order as an EXIF orientation: rows from the bottom unless said otherwise.
    int Orientation() const {
        const bool up = (descriptor & kTopDown) == 0, mirrored = (descriptor & kRightToLeft) != 0;
        return up ? (mirrored ? 3 : 4) : (mirrored ? 2 : 1);
    }
};

bool MapBitsKnown(int bits) {
    return bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

// TGA files have no signature: a header is taken only when every field is one a writer
// puts there, so that no other file passes for one.
bool ReadHeader(const std::vector<std::uint8_t>& bytes, TgaHeader& header) {
    if (bytes.size() < kHeaderBytes || bytes[1] > 1)
        return false;
    header.idBytes = bytes[0];
    header.hasMap = bytes[1] == 1;
    header.kind = bytes[2] & 7;
    header.runLength = (bytes[2] & kRunLength) != 0;
    header.mapFirst = LittleEndian(&bytes[3], 2);
    header.mapLength = LittleEndian(&bytes[5], 2);
    header.mapBits = bytes[7];
    header.width = LittleEndian(&bytes[12], 2);
    header.height = LittleEndian(&bytes[14], 2);
    header.bits = bytes[16];
    header.descriptor = bytes[17];
    if ((bytes[2] & ~(kRunLength | 7)) != 0 || (header.descriptor & 0xc0) != 0 ||
        header.width == 0 || header.height == 0)
        return false;
    if (header.hasMap && (!MapBitsKnown(header.mapBits) || header.mapLength == 0))
        return false;
    if (!header.hasMap && (header.mapFirst != 0 || header.mapLength != 0))
        return false;
    switch (header.kind) {
    case kMapped:
        return header.hasMap && header.bits == 8;
    case kTrueColor:
        return MapBitsKnown(header.bits);
    case kGrey:
        return header.bits == 8 || header.bits == 16;
    default:
        return false;
    }
}

// A 15- or 16-bit colour, five bits a channel (blue lowest), each scaled to 0..255.
void PutFiveBits(std::uint32_t value, std::uint8_t* out) {
    for (int c = 0; c < 3; ++c)
        out[2 - c] = static_cast<std::uint8_t>(((value >> 5 * c & 31) * 255 + 15) / 31);
    out[3] = 255;
}

// One stored pixel of `bytes` bytes as red, green, blue and opacity.
void PutPixel(const TgaHeader& header, int bits, const std::uint8_t* in, std::uint8_t* out) {
    if (header.kind == kGrey) {
        out[0] = out[1] = out[2] = in[0];
        out[3] = bits == 16 ? in[1] : 255;
    } else if (bits <= 16) {
        PutFiveBits(in[0] | std::uint32_t{in[1]} << 8, out);
    } else {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        // Only a file that says it has an opacity channel has one.
        out[3] = bits == 32 && header.AlphaBits() > 0 ? in[3] : 255;
    }
}

std::vector<std::uint32_t> Palette(const TgaHeader& header, const std::uint8_t* map) {
    std::vector<std::uint32_t> palette;
    const std::size_t entryBytes = std::size_t(header.mapBits + 7) / 8;
    // Indices count from the map's first entry; those below it are black.
    const std::uint32_t count = std::min<std::uint32_t>(header.mapFirst + header.mapLength, 256);
    for (std::uint32_t k = 0; k < count; ++k) {
        std::uint8_t rgba[4] = {0, 0, 0, 255};
        if (k >= header.mapFirst) {
            TgaHeader colors = header;
            colors.kind = kTrueColor;
            colors.descriptor = header.mapBits == 32 ? 8 : 0;
            PutPixel(colors, header.mapBits, map + (k - header.mapFirst) * entryBytes, rgba);
        }
        palette.push_back(Rgba(rgba[0], rgba[1], rgba[2], rgba[3]));
    }
    return palette;
}

std::string Decode(const std::vector<std::uint8_t>& bytes, THandyBitmap& picture) {
    TgaHeader header;
    if (!ReadHeader(bytes, header))
        return decoder_text::UnknownFormat();
    const std::size_t mapAt = kHeaderBytes + header.idBytes;
    const std::size_t dataAt = mapAt + header.MapBytes();
    if (dataAt > bytes.size())
        return decoder_text::CutShort();
    const std::uint64_t pixels = std::uint64_t(header.width) * std::uint64_t(header.height);
    const std::size_t pixelBytes = header.PixelBytes();
    const std::uint64_t dataBytes = bytes.size() - dataAt;
    // Refused before a picture of the claimed size is made.
    if (header.runLength ? pixels > (dataBytes + 1) * kMostPixelsPerPacket
                         : pixels * pixelBytes > dataBytes)
        return decoder_text::CutShort();
    const bool mapped = header.kind == kMapped;
    PictureCanvas canvas(picture, header.Orientation());
    if (std::string refusal =
            canvas.Start(header.width, header.height,
                         mapped ? Palette(header, &bytes[mapAt]) : std::vector<std::uint32_t>{});
        !refusal.empty())
        return refusal;
    const auto width = static_cast<std::size_t>(header.width);
    std::vector<std::uint8_t> stored(width * pixelBytes), row(width * 4);
    std::size_t at = dataAt;
    // The run packet under way: pixels left of it, and whether they repeat one pixel.
    std::size_t left = 0;
    bool repeat = false;
    for (std::int64_t y = 0; y < header.height; ++y) {
        for (std::size_t x = 0; x < width; ++x) {
            if (header.runLength && left == 0) {
                if (at >= bytes.size())
                    return decoder_text::CutShort();
                repeat = (bytes[at] & 0x80) != 0;
                left = (bytes[at] & 0x7f) + 1u;
                ++at;
            }
            if (at + pixelBytes > bytes.size())
                return decoder_text::CutShort();
            std::copy_n(&bytes[at], pixelBytes, &stored[x * pixelBytes]);
            if (header.runLength) {
                --left;
                if (!repeat || left == 0)
                    at += pixelBytes;
            } else {
                at += pixelBytes;
            }
        }
        const auto line = static_cast<std::int32_t>(y);
        if (mapped) {
            canvas.PutIndices(line, stored.data());
            continue;
        }
        for (std::size_t x = 0; x < width; ++x)
            PutPixel(header, header.bits, &stored[x * pixelBytes], &row[4 * x]);
        canvas.PutColors(line, row.data(), 4);
    }
    return {};
}

} // namespace

bool LooksLikeTga(const std::string& fileName) {
    const FileHandle file = OpenForReading(fileName);
    std::vector<std::uint8_t> head(kHeaderBytes);
    TgaHeader header;
    return file && std::fread(head.data(), 1, head.size(), file.get()) == head.size() &&
           ReadHeader(head, header);
}

std::string TgaSize(const std::string& fileName, StoredSize& size) {
    const FileHandle file = OpenForReading(fileName);
    if (!file)
        return decoder_text::CantOpen();
    std::vector<std::uint8_t> head(kHeaderBytes);
    TgaHeader header;
    if (std::fread(head.data(), 1, head.size(), file.get()) != head.size() ||
        !ReadHeader(head, header))
        return decoder_text::UnknownFormat();
    size = {header.width, header.height, header.Orientation()};
    return {};
}

std::string DecodeTga(const std::string& fileName, THandyBitmap& picture) {
    std::vector<std::uint8_t> bytes;
    if (std::string refusal = ReadFileBytes(fileName, bytes); !refusal.empty())
        return refusal;
    return Decode(bytes, picture);
}

} // namespace slanter
