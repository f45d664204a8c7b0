#pragma once
// What the libFuzzer targets share: their scratch folder, the input as a file, and the
// abort that makes libFuzzer keep an input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/GuardedFolder.h"

namespace slanter::fuzz {

// Made before the first input, removed however the run ends.
inline const testing::GuardedFolder& Scratch() {
    static const testing::GuardedFolder folder;
    return folder;
}

// The input written to the scratch file `name`; its path.
inline std::string WriteInput(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const std::string path = Scratch().Path(name);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);
    return path;
}

// A check's fault, if any, told and kept.
inline void AbortOnFault(const std::string& fault) {
    if (fault.empty())
        return;
    std::fprintf(stderr, "%s\n", fault.c_str());
    std::abort();
}

} // namespace slanter::fuzz
