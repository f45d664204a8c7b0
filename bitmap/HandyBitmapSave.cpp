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

bool THandyBitmap::SaveToFile(const std::string& fileName) {
    errorText_.clear();
    systemReason_.clear();
    try {
        // Refused before the file is created, so that no file is left behind.
        if (const char* refusal = SaveRefusal())
            return Fail(refusal);
        PlatformFile file;
        if (!file.Create(fileName)) {
            errorText_ = kCantCreate + fileName;
            return false;
        }
        const bool written = StartSave(file) && SaveRows(file, 0, infoHeader_.biHeight);
        // A fault the platform only reports at the close is a failed save too.
        const bool closed = file.Close();
        if (!closed)
            systemReason_ = file.FailureReason();
        return written && closed;
    } catch (const std::bad_alloc&) {
        return Fail(kOutOfMemory);
    }
}

bool THandyBitmap::StartSave(PlatformFile& file) {
    errorText_.clear();
    systemReason_.clear();
    if (const char* refusal = SaveRefusal())
        return Fail(refusal);
    const bool written = WriteFileHeader(file) && WriteInfoHeader(file) && WritePalette(file);
    // ErrorText keeps the texts it has always had; the system's reason goes beside it.
    if (!written)
        systemReason_ = file.FailureReason();
    return written;
}

const char* THandyBitmap::SaveRefusal() const {
    if (!IsStoredDepth(infoHeader_.biBitCount))
        return kIllegalBitCount;
    const std::int32_t width = infoHeader_.biWidth;
    const std::int32_t height = infoHeader_.biHeight;
    if (width < 0 || height < 0 || std::int64_t{width} * height != pixels_.Count() ||
        paletteCount_ < 0 || paletteCount_ != palette_.Count())
        return kNoImage;
    const std::int64_t rowBytes = RowBytes(infoHeader_.biBitCount, width);
    if (rowBytes > kMaxImageBytes ||
        rowBytes * height > kMaxFileBytes - kHeadersBytes - 4 * std::int64_t{paletteCount_})
        return kTooLarge;
    return nullptr;
}

bool THandyBitmap::WriteFileHeader(PlatformFile& file) {
    const std::int64_t imageBytes =
        RowBytes(infoHeader_.biBitCount, infoHeader_.biWidth) * infoHeader_.biHeight;
    bfType_ = kBmpSignature;
    fileHeader_.bfReserved1 = 0;
    fileHeader_.bfReserved2 = 0;
    fileHeader_.bfOffBits = kHeadersBytes + 4 * paletteCount_;
    // Unsigned in the file: sizes from 2 GB on go out as their 32 bits.
    fileHeader_.bfSize =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(fileHeader_.bfOffBits + imageBytes));
    if (file.Write(&bfType_, sizeof bfType_) != sizeof bfType_ ||
        file.Write(&fileHeader_, sizeof fileHeader_) != sizeof fileHeader_)
        return Fail(kCantWriteFileHeader);
    return true;
}

bool THandyBitmap::WriteInfoHeader(PlatformFile& file) {
    infoHeader_.biSize = kInfoHeaderBytes;
    infoHeader_.biPlanes = 1;
    infoHeader_.biCompression = 0;
    infoHeader_.biSizeImage = static_cast<std::int32_t>(static_cast<std::uint32_t>(
        RowBytes(infoHeader_.biBitCount, infoHeader_.biWidth) * infoHeader_.biHeight));
    infoHeader_.biClrUsed = paletteCount_;
    if (file.Write(&infoHeader_, sizeof infoHeader_) != sizeof infoHeader_)
        return Fail(kCantWriteInfoHeader);
    return true;
}

bool THandyBitmap::WritePalette(PlatformFile& file) {
    if (paletteCount_ == 0)
        return true;
    // The table goes out through a copy: the palette stays exactly as held, top bytes
    // included, while each stored entry gets a reserved byte of 0.
    OwnedArray<std::int32_t> table;
    if (!table.ResetForOverwrite(paletteCount_))
        return Fail(kOutOfMemory);
    for (std::int32_t i = 0; i < paletteCount_; ++i)
        table[i] = SwapRedBlue(palette_[i]);
    const std::size_t bytes = 4 * static_cast<std::size_t>(paletteCount_);
    return file.Write(table.Data(), bytes) == bytes;
}

bool THandyBitmap::SaveRows(PlatformFile& file, std::int32_t first, std::int32_t last) {
    const std::int32_t width = infoHeader_.biWidth;
    const std::int64_t rowBytes = RowBytes(infoHeader_.biBitCount, width);
    first = std::max(first, 0);
    last = std::min(last, infoHeader_.biHeight);
    if (first >= last || width <= 0)
        return true;
    // The rows go out a piece at a time, each packed straight into the piece, so that the
    // file is written as it is made and never held whole beside the cells. The piece
    // starts zero-filled, which gives every row its zero padding.
    const std::int64_t pieceRows = PieceRows(rowBytes, infoHeader_.biHeight);
    if (fileImage_.Count() != pieceRows * rowBytes && !fileImage_.Reset(pieceRows * rowBytes))
        return Fail(kOutOfMemory);
    const int bitCount = infoHeader_.biBitCount;
    for (std::int32_t y = first; y < last; y += static_cast<std::int32_t>(pieceRows)) {
        const std::int64_t rows = std::min<std::int64_t>(pieceRows, last - y);
        for (std::int64_t k = 0; k < rows; ++k)
            PackRow(bitCount, pixels_.Data() + (y + k) * width, width,
                    fileImage_.Data() + k * rowBytes);
        const auto bytes = static_cast<std::size_t>(rows * rowBytes);
        if (file.Write(fileImage_.Data(), bytes) != bytes) {
            systemReason_ = file.FailureReason();
            return false;
        }
    }
    return true;
}

} // namespace slanter
