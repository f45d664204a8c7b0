#include <cstdint>
#include <cstring>
#include <vector>

#include "bitmap/ByteOrder.h"
#include "bitmap/decoders/DecoderTexts.h"
#include "bitmap/decoders/FileBytes.h"
#include "bitmap/decoders/FileHandle.h"
#include "bitmap/decoders/FormatDecoders.h"
#include "bitmap/decoders/PictureCanvas.h"

namespace slanter {

namespace {

constexpr std::size_t kHeaderBytes = 6;
constexpr std::size_t kEntryBytes = 16;
constexpr std::size_t kInfoHeaderBytes = 40;

// The first picture of the file, the one the Windows program's decoder takes: where its
// data lies, checked against the file's length.
struct Entry {
    std::size_t at = 0;
    std::size_t bytes = 0;
    bool png = false;
};

std::string FirstEntry(const std::vector<std::uint8_t>& file, Entry& entry) {
    if (file.size() < kHeaderBytes + kEntryBytes)
        return decoder_text::CutShort();
    // The lengths the directory records are the file's: a shorter file was cut, whichever
    // of its pictures it cut.
    const std::size_t count = LittleEndian(&file[4], 2);
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t at = kHeaderBytes + k * kEntryBytes;
        if (at + kEntryBytes > file.size() ||
            std::uint64_t{LittleEndian(&file[at + 12], 4)} + LittleEndian(&file[at + 8], 4) >
                file.size())
            return decoder_text::CutShort();
    }
    entry.bytes = LittleEndian(&file[kHeaderBytes + 8], 4);
    entry.at = LittleEndian(&file[kHeaderBytes + 12], 4);
    if (entry.bytes < kInfoHeaderBytes)
        return decoder_text::Damaged("an icon of " + std::to_string(entry.bytes) + " bytes");
    entry.png = std::memcmp(&file[entry.at], "\x89PNG\r\n\x1a\n", 8) == 0;
    return {};
}

// A picture stored as a DIB: its colours (a palette of 1, 4 or 8 bits, or 24 or 32 bits
// of blue, green, red and opacity), rows from the bottom, the height twice the picture's,
// then a mask of a bit a pixel whose set bits are transparent.
struct Dib {
    std::int64_t width = 0, height = 0;
    int bits = 0;
    std::size_t paletteAt = 0, colorsAt = 0, maskAt = 0;
    std::size_t colorStride = 0, maskStride = 0;
    std::uint64_t colors = 0; // entries of the palette
    bool masked = false;
};

std::string ReadDib(const std::vector<std::uint8_t>& file, const Entry& entry, Dib& dib) {
    const std::size_t at = entry.at;
    const std::uint32_t headerBytes = LittleEndian(&file[at], 4);
    if (headerBytes < kInfoHeaderBytes || headerBytes > entry.bytes)
        return decoder_text::Damaged("info header of " + std::to_string(headerBytes) + " bytes");
    dib.width = static_cast<std::int32_t>(LittleEndian(&file[at + 4], 4));
    dib.height = static_cast<std::int32_t>(LittleEndian(&file[at + 8], 4)) / 2;
    dib.bits = static_cast<int>(LittleEndian(&file[at + 14], 2));
    const std::uint32_t compression = LittleEndian(&file[at + 16], 4);
    if (compression != 0 ||
        (dib.bits != 1 && dib.bits != 4 && dib.bits != 8 && dib.bits != 24 && dib.bits != 32))
        return decoder_text::Unsupported(std::to_string(dib.bits) + " bits, compression " +
                                         std::to_string(compression));
    if (dib.width <= 0 || dib.height <= 0)
        return decoder_text::Damaged();
    std::uint64_t colorsUsed = LittleEndian(&file[at + 32], 4);
    if (dib.bits <= 8 && (colorsUsed == 0 || colorsUsed > (1u << dib.bits)))
        colorsUsed = 1u << dib.bits;
    if (dib.bits > 8)
        colorsUsed = 0;
    const auto width = static_cast<std::uint64_t>(dib.width);
    const auto height = static_cast<std::uint64_t>(dib.height);
    const std::uint64_t colorStride = (width * dib.bits + 31) / 32 * 4;
    const std::uint64_t maskStride = (width + 31) / 32 * 4;
    const std::uint64_t needed = headerBytes + colorsUsed * 4 + colorStride * height;
    // The picture's rows must lie within the entry before a canvas of their size is made;
    // some writers leave out the mask of a picture with opacities of its own.
    if (needed > entry.bytes)
        return decoder_text::CutShort();
    dib.masked = needed + maskStride * height <= entry.bytes;
    dib.colors = colorsUsed;
    dib.paletteAt = at + headerBytes;
    dib.colorsAt = dib.paletteAt + static_cast<std::size_t>(colorsUsed * 4);
    dib.colorStride = static_cast<std::size_t>(colorStride);
    dib.maskStride = static_cast<std::size_t>(maskStride);
    dib.maskAt = dib.colorsAt + dib.colorStride * static_cast<std::size_t>(height);
    return {};
}

std::string DecodeDib(const std::vector<std::uint8_t>& file, const Dib& dib,
                      THandyBitmap& picture) {
    PictureCanvas canvas(picture, 1);
    if (std::string refusal = canvas.Start(dib.width, dib.height); !refusal.empty())
        return refusal;
    const auto width = static_cast<std::size_t>(dib.width);
    // A 32-bit picture whose opacities are all nought predates them: its mask tells.
    bool ownOpacity = false;
    for (std::int64_t y = 0; dib.bits == 32 && y < dib.height && !ownOpacity; ++y)
        for (std::size_t x = 0; x < width && !ownOpacity; ++x)
            ownOpacity = file[dib.colorsAt + std::size_t(y) * dib.colorStride + 4 * x + 3] != 0;
    std::vector<std::uint8_t> row(width * 4);
    for (std::int64_t y = 0; y < dib.height; ++y) {
        // Stored from the bottom row up.
        const std::size_t stored = static_cast<std::size_t>(dib.height - 1 - y);
        const std::uint8_t* colors = &file[dib.colorsAt + stored * dib.colorStride];
        const std::uint8_t* mask =
            dib.masked ? &file[dib.maskAt + stored * dib.maskStride] : nullptr;
        for (std::size_t x = 0; x < width; ++x) {
            std::uint8_t* out = &row[4 * x];
            const std::uint8_t* bgr = colors + x * (dib.bits / 8);
            if (dib.bits <= 8) {
                const std::size_t bit = x * dib.bits;
                const int shift = 8 - dib.bits - static_cast<int>(bit % 8);
                const std::size_t index = colors[bit / 8] >> shift & ((1 << dib.bits) - 1);
                // An index past the palette is black.
                static constexpr std::uint8_t kBlack[4] = {};
                bgr = index < dib.colors ? &file[dib.paletteAt + 4 * index] : kBlack;
            }
            out[0] = bgr[2];
            out[1] = bgr[1];
            out[2] = bgr[0];
            const bool clear = dib.masked && (mask[x / 8] >> (7 - x % 8) & 1) != 0;
            out[3] = ownOpacity ? bgr[3] : clear ? 0 : 255;
        }
        canvas.PutColors(static_cast<std::int32_t>(y), row.data(), 4);
    }
    return {};
}

// A PNG picture read as a file of its own.
FileHandle OpenPng(std::vector<std::uint8_t>& file, const Entry& entry) {
    return FileHandle(fmemopen(&file[entry.at], entry.bytes, "rb"));
}

// The file's first picture, handed to `onPng` as a PNG stream or to `onDib` as a DIB of
// the file's bytes. Answers their answer or the reason the file was refused.
template <typename OnPng, typename OnDib>
std::string WithFirstPicture(const std::string& fileName, OnPng&& onPng, OnDib&& onDib) {
    std::vector<std::uint8_t> file;
    if (std::string refusal = ReadFileBytes(fileName, file); !refusal.empty())
        return refusal;
    Entry entry;
    if (std::string refusal = FirstEntry(file, entry); !refusal.empty())
        return refusal;
    if (entry.png) {
        const FileHandle png = OpenPng(file, entry);
        return png ? onPng(png.get()) : decoder_text::Damaged("out of memory");
    }
    Dib dib;
    if (std::string refusal = ReadDib(file, entry, dib); !refusal.empty())
        return refusal;
    return onDib(file, dib);
}

} // namespace

std::string IcoSize(const std::string& fileName, StoredSize& size) {
    return WithFirstPicture(
        fileName, [&size](std::FILE* png) { return PngStreamSize(png, size); },
        [&size](const std::vector<std::uint8_t>&, const Dib& dib) {
            size = {dib.width, dib.height, 1};
            return std::string();
        });
}

std::string DecodeIco(const std::string& fileName, THandyBitmap& picture) {
    return WithFirstPicture(
        fileName, [&picture](std::FILE* png) { return DecodePngStream(png, picture); },
        [&picture](const std::vector<std::uint8_t>& file, const Dib& dib) {
            return DecodeDib(file, dib, picture);
        });
}

} // namespace slanter
