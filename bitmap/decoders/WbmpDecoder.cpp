#include <cstdint>
#include <vector>

#include "bitmap/decoders/DecoderTexts.h"
#include "bitmap/decoders/FileBytes.h"
#include "bitmap/decoders/FileHandle.h"
#include "bitmap/decoders/FormatDecoders.h"
#include "bitmap/decoders/PictureCanvas.h"

namespace slanter {

namespace {

// A side written in WAP's multi-byte integers needs no more than this many bytes.
constexpr int kMostSideBytes = 4;
constexpr std::size_t kMostHeaderBytes = 2 + 2 * kMostSideBytes;

struct WbmpHeader {
    std::uint32_t width = 0, height = 0;
    std::size_t dataAt = 0;
    std::uint64_t DataBytes() const { return (std::uint64_t{width} + 7) / 8 * height; }
};

// Seven bits a byte, the high bit set on every byte but the last.
bool ReadSide(const std::vector<std::uint8_t>& bytes, std::size_t& at, std::uint32_t& side) {
    side = 0;
    for (int k = 0; k < kMostSideBytes && at < bytes.size(); ++k) {
        const std::uint8_t byte = bytes[at++];
        side = side << 7 | (byte & 0x7f);
        if ((byte & 0x80) == 0)
            return side > 0;
    }
    return false;
}

// Type 0 (black and white, no extension headers) is the only kind there is. The format
// has no signature: a header is taken only when the file holds the pixels it claims.
bool ReadHeader(const std::vector<std::uint8_t>& bytes, std::uint64_t fileBytes,
                WbmpHeader& header) {
    if (bytes.size() < 4 || bytes[0] != 0 || bytes[1] != 0)
        return false;
    header.dataAt = 2;
    return ReadSide(bytes, header.dataAt, header.width) &&
           ReadSide(bytes, header.dataAt, header.height) &&
           header.dataAt + header.DataBytes() == fileBytes;
}

// The header's bytes and the file's length.
bool ReadHead(std::FILE* file, std::vector<std::uint8_t>& head, std::uint64_t& fileBytes) {
    fileBytes = FileBytes(file);
    head.resize(kMostHeaderBytes);
    head.resize(std::fread(head.data(), 1, head.size(), file));
    return fileBytes != 0;
}

} // namespace

bool LooksLikeWbmp(const std::string& fileName) {
    const FileHandle file = OpenForReading(fileName);
    std::vector<std::uint8_t> head;
    std::uint64_t fileBytes = 0;
    WbmpHeader header;
    return file && ReadHead(file.get(), head, fileBytes) && ReadHeader(head, fileBytes, header);
}

std::string WbmpSize(const std::string& fileName, StoredSize& size) {
    const FileHandle file = OpenForReading(fileName);
    if (!file)
        return decoder_text::CantOpen();
    std::vector<std::uint8_t> head;
    std::uint64_t fileBytes = 0;
    WbmpHeader header;
    if (!ReadHead(file.get(), head, fileBytes) || !ReadHeader(head, fileBytes, header))
        return decoder_text::UnknownFormat();
    size = {header.width, header.height, 1};
    return {};
}

std::string DecodeWbmp(const std::string& fileName, THandyBitmap& picture) {
    std::vector<std::uint8_t> bytes;
    if (std::string refusal = ReadFileBytes(fileName, bytes); !refusal.empty())
        return refusal;
    WbmpHeader header;
    if (!ReadHeader(bytes, bytes.size(), header))
        return decoder_text::UnknownFormat();
    // A set bit is white.
    PictureCanvas canvas(picture, 1);
    if (std::string refusal =
            canvas.Start(header.width, header.height, {Rgba(0, 0, 0), Rgba(255, 255, 255)});
        !refusal.empty())
        return refusal;
    const std::size_t rowBytes = (std::size_t{header.width} + 7) / 8;
    std::vector<std::uint8_t> row(header.width);
    for (std::uint32_t y = 0; y < header.height; ++y) {
        const std::uint8_t* bits = &bytes[header.dataAt + y * rowBytes];
        for (std::uint32_t x = 0; x < header.width; ++x)
            row[x] = bits[x / 8] >> (7 - x % 8) & 1;
        canvas.PutIndices(static_cast<std::int32_t>(y), row.data());
    }
    return {};
}

} // namespace slanter
