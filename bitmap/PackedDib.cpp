#include "bitmap/PackedDib.h"

#include <algorithm>
#include <cstring>

namespace slanter {

namespace {

constexpr std::int32_t kBitFields = 3;

void Put32(std::vector<unsigned char>& bytes, std::size_t at, std::uint64_t value) {
    for (std::size_t k = 0; k < 4; ++k)
        bytes[at + k] = static_cast<unsigned char>(value >> (8 * k));
}

} // namespace

bool ReadDibHeader(const PackedDib& dib, TBmpInfoHeader& header) {
    if (dib.size() < sizeof header)
        return false;
    std::memcpy(&header, dib.data(), sizeof header);
    return true;
}

std::uint64_t DibPixelOffset(const TBmpInfoHeader& header) {
    std::uint64_t colours = static_cast<std::uint32_t>(header.biClrUsed);
    if (colours == 0 && header.biBitCount <= 8)
        colours = std::uint64_t{1} << header.biBitCount;
    const std::uint64_t masks =
        header.biSize == kInfoHeaderBytes && header.biCompression == kBitFields ? 3 : 0;
    return static_cast<std::uint32_t>(header.biSize) + (colours + masks) * 4;
}

bool DibReadAsItIs(const TBmpInfoHeader& header) {
    return header.biSize == kInfoHeaderBytes && header.biBitCount <= 8 &&
           header.biCompression == 0 && header.biHeight > 0;
}

std::vector<unsigned char> BmpFileOfDib(const PackedDib& dib) {
    std::vector<unsigned char> file(kFileHeaderBytes + dib.size(), 0);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, kFileHeaderBytes + dib.size());
    TBmpInfoHeader header;
    Put32(file, 10, kFileHeaderBytes + (ReadDibHeader(dib, header) ? DibPixelOffset(header) : 0));
    std::copy(dib.begin(), dib.end(), file.begin() + kFileHeaderBytes);
    return file;
}

PackedDib DibOfBmpFile(const std::vector<unsigned char>& file) {
    if (file.size() <= kFileHeaderBytes || file[0] != 'B' || file[1] != 'M')
        return {};
    return PackedDib(file.begin() + kFileHeaderBytes, file.end());
}

} // namespace slanter
