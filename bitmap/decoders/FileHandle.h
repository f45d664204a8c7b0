#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#ifdef _WIN32
#include "bitmap/WideName.h"
#endif

namespace slanter {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// The file opened for reading by its name as the system spells it (UTF-8 on Windows, whose
// narrow calls take the ANSI code page); null when it cannot be.
inline FileHandle OpenForReading(const std::string& fileName) {
#ifdef _WIN32
    return FileHandle(_wfopen(WideName(fileName).c_str(), L"rb"));
#else
    return FileHandle(std::fopen(fileName.c_str(), "rb"));
#endif
}

// The length of an open file in bytes; 0 when the system cannot tell.
inline std::uint64_t FileBytes(std::FILE* file) {
    const long at = std::ftell(file);
    if (at < 0 || std::fseek(file, 0, SEEK_END) != 0)
        return 0;
    const long size = std::ftell(file);
    std::fseek(file, at, SEEK_SET);
    return size < 0 ? 0 : static_cast<std::uint64_t>(size);
}

// The whole of an open file, for the formats read from memory; false when it cannot be read.
inline bool ReadAll(std::FILE* file, std::vector<std::uint8_t>& bytes) {
    if (std::fseek(file, 0, SEEK_END) != 0)
        return false;
    const long size = std::ftell(file);
    if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0)
        return false;
    bytes.resize(static_cast<std::size_t>(size));
    return std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

} // namespace slanter
