#include "bitmap/decoders/ExifOrientation.h"

#include <cstring>

namespace slanter {

namespace {

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;
constexpr std::size_t kEntryBytes = 12;

class Reader {
  public:
    Reader(const std::uint8_t* data, std::size_t size, bool bigEndian)
        : data_(data), size_(size), bigEndian_(bigEndian) {}
    bool Holds(std::size_t at, std::size_t bytes) const {
        return at <= size_ && bytes <= size_ - at;
    }
    std::uint32_t Number(std::size_t at, std::size_t bytes) const {
        std::uint32_t value = 0;
        for (std::size_t k = 0; k < bytes; ++k) {
            const std::size_t byte = bigEndian_ ? at + k : at + bytes - 1 - k;
            value = value << 8 | data_[byte];
        }
        return value;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    bool bigEndian_;
};

} // namespace

int ExifOrientation(const std::uint8_t* data, std::size_t size) {
    // Some writers keep JPEG's "Exif\0\0" in front of the TIFF header in the other formats.
    if (size >= 6 && std::memcmp(data, "Exif\0\0", 6) == 0) {
        data += 6;
        size -= 6;
    }
    if (size < 8)
        return 1;
    bool bigEndian;
    if (std::memcmp(data, "MM\0*", 4) == 0)
        bigEndian = true;
    else if (std::memcmp(data, "II*\0", 4) == 0)
        bigEndian = false;
    else
        return 1;
    const Reader reader(data, size, bigEndian);
    const std::size_t directory = reader.Number(4, 4);
    if (!reader.Holds(directory, 2))
        return 1;
    const std::size_t entries = reader.Number(directory, 2);
    for (std::size_t k = 0; k < entries; ++k) {
        const std::size_t entry = directory + 2 + k * kEntryBytes;
        if (!reader.Holds(entry, kEntryBytes))
            return 1;
        if (reader.Number(entry, 2) != kOrientationTag)
            continue;
        if (reader.Number(entry + 2, 2) != kShortType)
            return 1;
        const std::uint32_t orientation = reader.Number(entry + 8, 2);
        return orientation >= 1 && orientation <= 8 ? static_cast<int>(orientation) : 1;
    }
    return 1;
}

} // namespace slanter
