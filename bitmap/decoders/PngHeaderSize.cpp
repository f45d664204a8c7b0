#include "bitmap/decoders/PngHeaderSize.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "bitmap/ByteOrder.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/decoders/FileHandle.h"

namespace slanter {

bool PngHeaderTooLarge(const std::string& fileName) {
    const FileHandle file = OpenForReading(fileName);
    std::uint8_t head[24] = {};
    if (!file || std::fread(head, 1, sizeof head, file.get()) != sizeof head)
        return false;
    static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!std::equal(std::begin(kSignature), std::end(kSignature), head))
        return false;
    // The width and the height open the first chunk, big-endian.
    const auto big = [&](int at) { return BigEndian(head + at); };
    return std::uint64_t{big(16)} * big(20) > std::uint64_t{THandyBitmap::kMaxPixels};
}

} // namespace slanter
