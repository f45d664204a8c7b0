#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "bitmap/BmpHeaders.h"
#include "bitmap/KeptLayer.h"
#include "bitmap/OwnedArray.h"

namespace slanter {

class PlatformFile;

// The program's own bitmap: the BMP headers, a palette of colour values and one 32-bit
// cell per pixel, with a reader and a writer for one narrow kind of BMP file (40-byte
// info header, uncompressed, 1, 4, 8, 16 or 24 bits). A colour value holds red in bits
// 0-7, green in 8-15 and blue in 16-23; -1 is the getters' "no such pixel or colour".
//
// With PaletteCount() above 0 the record is indexed and its cells are palette indices;
// otherwise they are colour values. Cell (x, y) is row y as the file stores it, so y = 0
// is the bottom row of the picture as shown.
//
// LoadFromFile and SaveToFile answer false with a text in ErrorText() instead of
// raising; the pixel operations never fail. After a failed load the record holds no
// usable picture, but nothing it does then reaches outside the arrays it holds.
class THandyBitmap {
  public:
    // The most cells a record holds: as many as its 32-bit count reaches (memory permitting).
    // A palette holds at most kMaxPixels entries.
    static constexpr std::int32_t kMaxPixels = INT32_MAX;
    // The longest file the store reads or writes: the headers give its size in an unsigned
    // 32-bit field, so the pixel data after the headers and the table stays within it.
    static constexpr std::int64_t kMaxFileBytes = UINT32_MAX;
    // The most bytes of stored pixel data a file without colour table holds.
    static constexpr std::int64_t kMaxImageBytes = kMaxFileBytes - kHeadersBytes;

    THandyBitmap() = default;
    THandyBitmap(THandyBitmap&&) = default;
    THandyBitmap& operator=(THandyBitmap&&) = default;

    bool LoadFromFile(const std::string& fileName);
    bool SaveToFile(const std::string& fileName);
    // The same save in steps, for a picture written while it is made: StartSave writes
    // the headers and the colour table, SaveRows then rows [first, last), each band once
    // its cells are final and in order from row 0. SaveRows may run on another thread
    // than the one filling later rows; nothing else may use the record meanwhile.
    bool StartSave(PlatformFile& file);
    bool SaveRows(PlatformFile& file, std::int32_t first, std::int32_t last);

    // Exchanges blue and red and clears the top byte: a colour-table entry read as a
    // little-endian number becomes a colour value, and back. Done on the bits rather than
    // by dividing the signed entry, which would shift red by one whenever the reserved
    // byte is 0x80 or more.
    static constexpr std::int32_t SwapRedBlue(std::int32_t value) {
        const auto bits = static_cast<std::uint32_t>(value);
        return static_cast<std::int32_t>((bits & 0xFF) << 16 | (bits & 0xFF00) |
                                         (bits >> 16 & 0xFF));
    }

    // A picture of width x height zero cells at bitCount bits; the palette stays. Sizes
    // that are negative, hold more than kMaxPixels cells or find no memory give a record
    // of 0 x 0 cells instead.
    void NewImage(std::int32_t width, std::int32_t height, std::int32_t bitCount);
    // count brought into 0 .. MaxColors(); the first entries survive, new ones are black.
    void SetPaletteCount(std::int32_t count);

    std::int32_t GetPaletteColor(std::int32_t index) const {
        return IsPaletteIndex(index) ? palette_[index] : -1;
    }
    void SetPaletteColor(std::int32_t index, std::int32_t color) {
        if (IsPaletteIndex(index))
            palette_[index] = color;
    }

    std::int32_t GetPixelIndex(std::int32_t x, std::int32_t y) const {
        const std::int64_t at = CellAt(x, y);
        return at >= 0 && paletteCount_ != 0 ? pixels_[at] : -1;
    }
    void SetPixelIndex(std::int32_t x, std::int32_t y, std::int32_t index) {
        const std::int64_t at = CellAt(x, y);
        if (at >= 0 && index >= 0 && index < paletteCount_)
            pixels_[at] = index;
    }
    std::int32_t GetPixelColor(std::int32_t x, std::int32_t y) const {
        const std::int64_t at = CellAt(x, y);
        if (at < 0)
            return -1;
        return paletteCount_ == 0 ? pixels_[at] : GetPaletteColor(pixels_[at]);
    }
    void SetPixelColor(std::int32_t x, std::int32_t y, std::int32_t color) {
        const std::int64_t at = CellAt(x, y);
        if (at >= 0 && paletteCount_ == 0)
            pixels_[at] = color;
    }

    // The cells of row y, biWidth() of them, for loops that have checked their positions
    // once for a whole row; nullptr for a row the record does not hold in full.
    const std::int32_t* CellRow(std::int32_t y) const {
        const std::int64_t at = CellAt(0, y);
        return at >= 0 && at + infoHeader_.biWidth <= pixels_.Count() ? pixels_.Data() + at
                                                                      : nullptr;
    }
    std::int32_t* CellRow(std::int32_t y) {
        return const_cast<std::int32_t*>(std::as_const(*this).CellRow(y));
    }

    std::uint16_t bfType() const { return bfType_; }
    const TBmpFileHeader& FileHeader() const { return fileHeader_; }
    const TBmpInfoHeader& InfoHeader() const { return infoHeader_; }
    std::int32_t biWidth() const { return infoHeader_.biWidth; }
    std::int32_t biHeight() const { return infoHeader_.biHeight; }
    std::uint16_t biBitCount() const { return infoHeader_.biBitCount; }
    // 2 to the power of the depth: how many values a cell of this depth can hold.
    std::int32_t MaxColors() const { return maxColors_; }
    std::int32_t PaletteCount() const { return paletteCount_; }
    const std::string& ErrorText() const { return errorText_; }
    // Opacity, deep channels and the colour profile beside the cells; NewImage and
    // LoadFromFile start it empty.
    KeptLayer& Kept() { return kept_; }
    const KeptLayer& Kept() const { return kept_; }
    // The system's words for the file call that failed the last save ("No space left on
    // device"); empty when the save failed for another reason or did not fail.
    const std::string& SystemReason() const { return systemReason_; }

  private:
    bool ReadFileHeader(PlatformFile& file);
    bool ReadInfoHeader(PlatformFile& file);
    bool ReadPalette(PlatformFile& file);
    bool ReadImage(PlatformFile& file);
    bool WriteFileHeader(PlatformFile& file);
    bool WriteInfoHeader(PlatformFile& file);
    bool WritePalette(PlatformFile& file);

    // The text of a save that cannot start; empty when the record can be written.
    const char* SaveRefusal() const;
    bool Fail(const char* text);

    // The position of cell (x, y) in Pixels, or -1 outside the picture. The cells held
    // bound it too, since a failed load may leave sizes that the cells do not have.
    std::int64_t CellAt(std::int32_t x, std::int32_t y) const {
        if (x < 0 || x >= infoHeader_.biWidth || y < 0 || y >= infoHeader_.biHeight)
            return -1;
        const std::int64_t at = std::int64_t{y} * infoHeader_.biWidth + x;
        return at < pixels_.Count() ? at : -1;
    }
    bool IsPaletteIndex(std::int32_t index) const {
        return index >= 0 && index < paletteCount_ && index < palette_.Count();
    }

    std::uint16_t bfType_ = 0;
    TBmpFileHeader fileHeader_;
    TBmpInfoHeader infoHeader_;
    std::int32_t maxColors_ = 1;
    std::int32_t paletteCount_ = 0;
    OwnedArray<std::int32_t> palette_;
    OwnedArray<std::int32_t> pixels_;
    KeptLayer kept_;
    std::string errorText_;
    std::string systemReason_;
    // A piece of the pixel data as stored (whole rows, padded), kept between loads and
    // saves so that a picture of the same size needs no new block.
    OwnedArray<std::uint8_t> fileImage_;
};

} // namespace slanter
