#pragma once

#include <cstdint>
#include <cstdio>

namespace slanter {

// What a file's own structure says before its pixels are decoded: the lengths it records
// against its length, the markers it holds against the format's order. For the decoders
// that would make a picture first (a cut file's missing bytes read as nought) or pass
// over damage without a word. Each reads from the file's start and leaves it where it was.

enum class FileStructure { Whole, Cut, Damaged };

// A JPEG file walked by its markers: each segment within the file, the data of each scan
// broken only by its restart markers, in their order, and the end marker after the last.
FileStructure JpegStructure(std::FILE* file);

// Whether a PNG file's chunks up to the end of its picture's data lie within the file,
// walking them by their recorded lengths from the signature at `start`.
bool PngDataWithinFile(std::FILE* file, long start, std::uint64_t fileBytes);

// Whether every picture an icon file's directory records lies within the file.
bool IcoEntriesWithinFile(std::FILE* file, std::uint64_t fileBytes);

// Whether a PNG file holds enough bytes for the rows its header claims, deflate packing
// at most 1032 bytes into one. True for a file whose header cannot be read.
bool PngRowsFitFile(std::FILE* file, std::uint64_t fileBytes);

} // namespace slanter
