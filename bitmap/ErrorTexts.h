#pragma once

// The English texts that LoadFromFile and SaveToFile leave in ErrorText, byte for byte
// as the program has always shown them ("Pallete" included). Texts that take a file name
// or a number are completed where they are set.
namespace slanter::bitmap_text {

inline constexpr const char* kCantOpen = "can't open ";
inline constexpr const char* kCantReadType = "can't read bfType";
inline constexpr const char* kCantReadFileHeader = "can't read File Header";
inline constexpr const char* kNotBm = "header isn't \"BM\"";
inline constexpr const char* kIllegalOffBits = "illegal bfOffBits";
inline constexpr const char* kIllegalSize = "illegal bfSize";
inline constexpr const char* kCantReadInfoHeader = "can't read InfoHeader";
inline constexpr const char* kIllegalInfoSize = "illegal biSize";
inline constexpr const char* kPlanesNotOne = "biPlanes isn't 1";
inline constexpr const char* kBitCountIs = "biBitCount is ";
inline constexpr const char* kBitCountMust = " (must be 2, 4, 8, 16, or 24)";
inline constexpr const char* kCompressed = "compressed";
inline constexpr const char* kIllegalPaletteCount = "illegal Pallete Count";
inline constexpr const char* kCantReadPalette = "can't read palette";
inline constexpr const char* kCantReadImage = "can't read image";
inline constexpr const char* kCantCreate = "can't create ";
inline constexpr const char* kCantWriteFileHeader = "can't write File Header";
inline constexpr const char* kCantWriteInfoHeader = "can't write Info Header";

// Ours, for what the old texts never covered. A negative width or height is reported as
// kCantReadImage, the text the main window has always shown for such files.
// Sizes beyond the record's limits (more cells, pixel-data bytes or palette entries than
// it holds), when loading or saving:
inline constexpr const char* kTooLarge = "image too large";
// A block of memory that could not be had. Short enough to be set without allocating.
inline constexpr const char* kOutOfMemory = "out of memory";
// Saving a record whose depth no file stores (only NewImage can give one):
inline constexpr const char* kIllegalBitCount = "illegal biBitCount";
// Saving a record whose sizes do not match its cells or palette (only a failed load
// leaves one):
inline constexpr const char* kNoImage = "no image";

} // namespace slanter::bitmap_text
