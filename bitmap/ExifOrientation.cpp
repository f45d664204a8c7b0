#include "bitmap/ExifOrientation.h"

#include <cstring>
#include <limits>

#include "bitmap/ByteOrder.h"

namespace slanter {

namespace {

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;
constexpr std::size_t kEntryBytes = 12;
// Segments, chunks and markers looked through before a file is taken to record nothing.
constexpr int kMostBlocks = 10'000;

std::uint32_t Number(const std::uint8_t* bytes, std::size_t count, bool bigEndian) {
    const int bytesCount = static_cast<int>(count);
    return bigEndian ? BigEndian(bytes, bytesCount) : LittleEndian(bytes, bytesCount);
}

// The block's bytes at `offset` (from its start), none past its end.
class Block {
  public:
    Block(const ByteReader& read, std::uint64_t at, std::uint64_t size)
        : read_(read), at_(at), size_(size) {}
    bool Read(std::uint64_t offset, std::size_t bytes, std::uint8_t* into) const {
        return offset <= size_ && bytes <= size_ - offset && read_(at_ + offset, bytes, into);
    }

  private:
    const ByteReader& read_;
    std::uint64_t at_;
    std::uint64_t size_;
};

int JpegOrientation(const ByteReader& read) {
    std::uint64_t at = 2;
    for (int k = 0; k < kMostBlocks; ++k) {
        std::uint8_t marker[4];
        if (!read(at, 2, marker) || marker[0] != 0xFF)
            return 1;
        // Fill bytes, and markers that stand alone.
        if (marker[1] == 0xFF) {
            ++at;
            continue;
        }
        if (marker[1] == 0x01 || (marker[1] >= 0xD0 && marker[1] <= 0xD7)) {
            at += 2;
            continue;
        }
        // The pixels begin: no EXIF block before them.
        if (marker[1] == 0xDA || marker[1] == 0xD9 || !read(at + 2, 2, marker + 2))
            return 1;
        const std::uint32_t length = Number(marker + 2, 2, true);
        std::uint8_t exif[6];
        if (marker[1] == 0xE1 && length > 8 && read(at + 4, 6, exif) &&
            std::memcmp(exif, "Exif\0\0", 6) == 0)
            return ExifOrientation(read, at + 4, length - 2);
        at += 2 + length;
    }
    return 1;
}

int PngOrientation(const ByteReader& read) {
    std::uint64_t at = 8;
    for (int k = 0; k < kMostBlocks; ++k) {
        std::uint8_t head[8];
        if (!read(at, 8, head))
            return 1;
        const std::uint32_t length = Number(head, 4, true);
        if (std::memcmp(head + 4, "eXIf", 4) == 0)
            return ExifOrientation(read, at + 8, length);
        // The decoders take what stands before the pixels.
        if (std::memcmp(head + 4, "IDAT", 4) == 0 || std::memcmp(head + 4, "IEND", 4) == 0)
            return 1;
        at += 12 + std::uint64_t{length};
    }
    return 1;
}

int WebpOrientation(const ByteReader& read) {
    std::uint64_t at = 12;
    for (int k = 0; k < kMostBlocks; ++k) {
        std::uint8_t head[8];
        if (!read(at, 8, head))
            return 1;
        const std::uint32_t length = Number(head + 4, 4, false);
        if (std::memcmp(head, "EXIF", 4) == 0)
            return ExifOrientation(read, at + 8, length);
        // Chunks are padded to an even length.
        at += 8 + std::uint64_t{length} + (length & 1);
    }
    return 1;
}

} // namespace

int ExifOrientation(const ByteReader& read, std::uint64_t at, std::uint64_t size) {
    std::uint8_t head[8];
    // Some writers keep JPEG's "Exif\0\0" in front of the TIFF header in the other formats.
    if (size >= 6 && read(at, 6, head) && std::memcmp(head, "Exif\0\0", 6) == 0) {
        at += 6;
        size -= 6;
    }
    const Block block(read, at, size);
    if (!block.Read(0, 8, head))
        return 1;
    bool bigEndian;
    if (std::memcmp(head, "MM\0*", 4) == 0)
        bigEndian = true;
    else if (std::memcmp(head, "II*\0", 4) == 0)
        bigEndian = false;
    else
        return 1;
    const std::uint64_t directory = Number(head + 4, 4, bigEndian);
    std::uint8_t count[2];
    if (!block.Read(directory, 2, count))
        return 1;
    const std::uint32_t entries = Number(count, 2, bigEndian);
    for (std::uint32_t k = 0; k < entries; ++k) {
        std::uint8_t entry[kEntryBytes];
        if (!block.Read(directory + 2 + std::uint64_t{k} * kEntryBytes, kEntryBytes, entry))
            return 1;
        if (Number(entry, 2, bigEndian) != kOrientationTag)
            continue;
        if (Number(entry + 2, 2, bigEndian) != kShortType)
            return 1;
        const std::uint32_t orientation = Number(entry + 8, 2, bigEndian);
        return orientation >= 1 && orientation <= 8 ? static_cast<int>(orientation) : 1;
    }
    return 1;
}

int ExifOrientation(const std::uint8_t* data, std::size_t size) {
    const ByteReader memory = [data, size](std::uint64_t at, std::size_t bytes,
                                           std::uint8_t* into) {
        if (at > size || bytes > size - at)
            return false;
        std::memcpy(into, data + at, bytes);
        return true;
    };
    return ExifOrientation(memory, 0, size);
}

int FileOrientation(const ByteReader& read) {
    std::uint8_t head[12] = {};
    if (!read(0, 4, head))
        return 1;
    if (head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF)
        return JpegOrientation(read);
    if (std::memcmp(head, "\x89PNG", 4) == 0)
        return PngOrientation(read);
    if (std::memcmp(head, "II*\0", 4) == 0 || std::memcmp(head, "MM\0*", 4) == 0)
        return ExifOrientation(read, 0, std::numeric_limits<std::uint64_t>::max());
    if (std::memcmp(head, "RIFF", 4) == 0 && read(0, 12, head) &&
        std::memcmp(head + 8, "WEBP", 4) == 0)
        return WebpOrientation(read);
    return 1;
}

} // namespace slanter
