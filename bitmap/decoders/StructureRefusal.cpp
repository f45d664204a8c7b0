#include "bitmap/decoders/StructureRefusal.h"

#include <cstdint>
#include <cstdio>

#include "bitmap/decoders/DecoderTexts.h"
#include "bitmap/decoders/FileHandle.h"
#include "bitmap/decoders/FileStructure.h"
#include "bitmap/decoders/PngHeaderSize.h"

namespace slanter {

namespace {

// Whether a GIF file ends with the byte that closes every GIF file.
bool EndsWithGifTrailer(const std::string& fileName) {
    constexpr int kTrailer = 0x3b;
    const FileHandle file = OpenForReading(fileName);
    return file && std::fseek(file.get(), -1, SEEK_END) == 0 && std::fgetc(file.get()) == kTrailer;
}

} // namespace

std::string StructureRefusal(const std::string& fileName) {
    PictureFormat format = PictureFormat::Unknown;
    const FileHandle file = OpenForReading(fileName);
    if (!file || !ReadPictureFormat(fileName, format))
        return {};
    const std::uint64_t fileBytes = FileBytes(file.get());
    // A size beyond the record's is refused for its size, as the other decoders do.
    if (format == PictureFormat::Png && !PngHeaderTooLarge(fileName) &&
        (!PngRowsFitFile(file.get(), fileBytes) || !PngDataWithinFile(file.get(), 0, fileBytes)))
        return decoder_text::CutShort();
    if (format == PictureFormat::Ico && !IcoEntriesWithinFile(file.get(), fileBytes))
        return decoder_text::CutShort();
    if (format != PictureFormat::Jpeg)
        return {};
    switch (JpegStructure(file.get())) {
    case FileStructure::Cut:
        return decoder_text::CutShort();
    case FileStructure::Damaged:
        return decoder_text::Damaged();
    case FileStructure::Whole:
        break;
    }
    return {};
}

std::string RefusalFromFile(const std::string& fileName, bool endReached,
                            bool (*takes)(PictureFormat)) {
    PictureFormat format = PictureFormat::Unknown;
    if (!ReadPictureFormat(fileName, format) || !takes(format))
        return decoder_text::UnknownFormat();
    if (endReached || (format == PictureFormat::Gif && !EndsWithGifTrailer(fileName)))
        return decoder_text::CutShort();
    const std::string structure = StructureRefusal(fileName);
    return structure.empty() ? decoder_text::Damaged() : structure;
}

} // namespace slanter
