#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "bitmap/ErrorTexts.h"
#include "bitmap/FileLayer.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/RowCodec.h"

namespace slanter {

using namespace bitmap_text;

bool THandyBitmap::LoadFromFile(const std::string& fileName) {
    errorText_.clear();
    kept_.Clear();
    try {
        PlatformFile file;
        if (!file.OpenForReading(fileName)) {
            errorText_ = kCantOpen + fileName;
            return false;
        }
        // Strictly front to back; the file closes whatever the outcome.
        return ReadFileHeader(file) && ReadInfoHeader(file) && ReadPalette(file) && ReadImage(file);
    } catch (const std::bad_alloc&) {
        return Fail(kOutOfMemory);
    }
}

bool THandyBitmap::ReadFileHeader(PlatformFile& file) {
    if (file.Read(&bfType_, sizeof bfType_) != sizeof bfType_)
        return Fail(kCantReadType);
    if (file.Read(&fileHeader_, sizeof fileHeader_) != sizeof fileHeader_)
        return Fail(kCantReadFileHeader);
    if (bfType_ != kBmpSignature)
        return Fail(kNotBm);
    if (fileHeader_.bfOffBits < kHeadersBytes)
        return Fail(kIllegalOffBits);
    // One byte more than recorded is accepted (some writers pad), two are not.
    const std::int64_t size = file.Size();
    // The field is unsigned: files of 2 GB and more record sizes past INT32_MAX.
    const std::int64_t recorded = static_cast<std::uint32_t>(fileHeader_.bfSize);
    if (size < 0 || (size != recorded && size != recorded + 1))
        return Fail(kIllegalSize);
    return true;
}

bool THandyBitmap::ReadInfoHeader(PlatformFile& file) {
    if (file.Read(&infoHeader_, sizeof infoHeader_) != sizeof infoHeader_)
        return Fail(kCantReadInfoHeader);
    if (infoHeader_.biSize != kInfoHeaderBytes)
        return Fail(kIllegalInfoSize);
    if (infoHeader_.biPlanes != 1)
        return Fail(kPlanesNotOne);
    if (!IsStoredDepth(infoHeader_.biBitCount)) {
        errorText_ = kBitCountIs + std::to_string(infoHeader_.biBitCount) + kBitCountMust;
        return false;
    }
    maxColors_ = std::int32_t{1} << infoHeader_.biBitCount;
    if (infoHeader_.biCompression != 0)
        return Fail(kCompressed);
    return true;
}

bool THandyBitmap::ReadPalette(PlatformFile& file) {
    std::int64_t entries = 0;
    if (fileHeader_.bfOffBits != kHeadersBytes)
        entries = infoHeader_.biClrUsed != 0 ? infoHeader_.biClrUsed : maxColors_;
    paletteCount_ = static_cast<std::int32_t>(entries);
    // The room between the headers and the pixel data must be the table and nothing else.
    if (4 * entries != std::int64_t{fileHeader_.bfOffBits} - kHeadersBytes)
        return Fail(kIllegalPaletteCount);
    palette_.Release();
    if (entries == 0)
        return true;
    if (entries > kMaxPixels)
        return Fail(kTooLarge);
    // A table longer than the rest of the file would be read short anyway; knowing it
    // first spares a block that a lying header asks for.
    if (file.Size() - file.Position() < 4 * entries)
        return Fail(kCantReadPalette);
    if (!palette_.ResetForOverwrite(entries))
        return Fail(kOutOfMemory);
    const std::size_t bytes = 4 * static_cast<std::size_t>(entries);
    if (file.Read(palette_.Data(), bytes) != bytes)
        return Fail(kCantReadPalette);
    for (std::int32_t i = 0; i < palette_.Count(); ++i)
        palette_[i] = SwapRedBlue(palette_[i]);
    // At 16 and 24 bits the cells are colours; a table kept beside them would make the
    // record count as indexed and send every colour through it.
    if (infoHeader_.biBitCount >= 16) {
        palette_.Release();
        paletteCount_ = 0;
    }
    return true;
}

bool THandyBitmap::ReadImage(PlatformFile& file) {
    const std::int32_t width = infoHeader_.biWidth;
    const std::int32_t height = infoHeader_.biHeight;
    // Rows stored top down among them: the record keeps the file's row order and has
    // no room for a negative size.
    if (width < 0 || height < 0)
        return Fail(kCantReadImage);
    // Each product is taken only once its factors are known small enough for 64 bits:
    // a row of up to 2^31 pixels at 24 bits is 6.4e9 bytes, which times 2^31 rows would
    // not fit. Beyond these limits the format itself has no room.
    const std::int64_t rowBytes = RowBytes(infoHeader_.biBitCount, width);
    if (rowBytes > kMaxImageBytes)
        return Fail(kTooLarge);
    const std::int64_t imageBytes = rowBytes * height;
    const std::int64_t cells = std::int64_t{width} * height;
    if (cells > kMaxPixels || imageBytes > kMaxFileBytes - fileHeader_.bfOffBits)
        return Fail(kTooLarge);
    infoHeader_.biSizeImage = static_cast<std::int32_t>(static_cast<std::uint32_t>(imageBytes));
    if (file.Size() - file.Position() < imageBytes)
        return Fail(kCantReadImage);
    if (!pixels_.ResetForOverwrite(cells))
        return Fail(kOutOfMemory);
    // The pixel data comes in a piece at a time, each unpacked straight from the piece
    // while it is still in the cache; the file is never held whole beside the cells.
    // A picture of no rows asks for no row, however wide it claims to be.
    const std::int64_t pieceRows = PieceRows(rowBytes, height);
    if (imageBytes > 0 && !fileImage_.ResetForOverwrite(pieceRows * rowBytes))
        return Fail(kOutOfMemory);
    const int bitCount = infoHeader_.biBitCount;
    for (std::int32_t y = 0; y < height && width > 0; y += static_cast<std::int32_t>(pieceRows)) {
        const std::int64_t rows = std::min<std::int64_t>(pieceRows, height - y);
        const auto bytes = static_cast<std::size_t>(rows * rowBytes);
        if (file.Read(fileImage_.Data(), bytes) != bytes)
            return Fail(kCantReadImage);
        for (std::int64_t k = 0; k < rows; ++k)
            UnpackRow(bitCount, fileImage_.Data() + k * rowBytes, width,
                      pixels_.Data() + (y + k) * width);
    }
    return true;
}

} // namespace slanter
