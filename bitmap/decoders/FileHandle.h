#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace slanter {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// The file opened for reading by its name as the system spells it; null when it cannot be.
inline FileHandle OpenForReading(const std::string& fileName) {
    return FileHandle(std::fopen(fileName.c_str(), "rb"));
}

} // namespace slanter
