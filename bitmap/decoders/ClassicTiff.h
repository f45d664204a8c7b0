#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace slanter {

// Whether the bytes begin a BigTIFF file (TIFF with 64-bit offsets).
bool IsBigTiff(const std::vector<std::uint8_t>& bytes);

// The first picture of a BigTIFF file as a classic TIFF file, for a decoder that reads
// only classic TIFF (the Windows Imaging Component): the file's bytes as they are, so
// that every strip and tile stays where its offset says, with a classic directory of the
// same fields after them and a classic header pointing to it. Fields that lead to more
// directories (sub-pictures, Exif, GPS) are left out. Answers the reason it cannot be
// (a value past 32 bits, a damaged directory), empty on success.
std::string ClassicTiffOf(const std::vector<std::uint8_t>& big, std::vector<std::uint8_t>& classic);

// A picture file as a decoder of classic TIFF takes it: the file itself, or for a BigTIFF
// file its classic copy in the system's temporary folder, removed when this goes.
class ClassicTiffFile {
  public:
    explicit ClassicTiffFile(const std::string& fileName);
    ~ClassicTiffFile();
    ClassicTiffFile(const ClassicTiffFile&) = delete;
    ClassicTiffFile& operator=(const ClassicTiffFile&) = delete;

    const std::string& Path() const { return path_; }
    // Why the BigTIFF file could not be copied; empty when Path can be decoded.
    const std::string& Refusal() const { return refusal_; }

  private:
    std::string path_;
    std::string copy_; // the copy made, removed at the end
    std::string refusal_;
};

} // namespace slanter
