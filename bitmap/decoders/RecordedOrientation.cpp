#include "bitmap/decoders/RecordedOrientation.h"

#include "bitmap/ExifOrientation.h"
#include "bitmap/decoders/FileHandle.h"

namespace slanter {

namespace {

// Offsets past 2 GB, where the plain seek's long stops on Windows.
bool SeekTo(std::FILE* file, std::uint64_t at) {
#ifdef _WIN32
    return at <= std::uint64_t{INT64_MAX} &&
           _fseeki64(file, static_cast<__int64>(at), SEEK_SET) == 0;
#else
    return at <= std::uint64_t{INT64_MAX} && fseeko(file, static_cast<off_t>(at), SEEK_SET) == 0;
#endif
}

} // namespace

int RecordedOrientation(const std::string& fileName) {
    const FileHandle file = OpenForReading(fileName);
    if (!file)
        return 1;
    return FileOrientation([&file](std::uint64_t at, std::size_t bytes, std::uint8_t* into) {
        return SeekTo(file.get(), at) && std::fread(into, 1, bytes, file.get()) == bytes;
    });
}

} // namespace slanter
