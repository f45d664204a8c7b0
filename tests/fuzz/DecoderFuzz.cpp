// libFuzzer target: any bytes as a picture file, decoded twice with other heap fills; a
// difference is memory the decoder never wrote. Built and run only by scripts/fuzz.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/DecodeTwice.h"
#include "support/GuardedFolder.h"

namespace {

// Made before the first input, removed however the run ends.
const slanter::testing::GuardedFolder& Scratch() {
    static const slanter::testing::GuardedFolder folder;
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Scratch();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = Scratch().Path("input");
    std::FILE* file = std::fopen(input.c_str(), "wb");
    if (file == nullptr)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);
    const std::string fault =
        slanter::testing::CheckDecodesAlike(input, Scratch().Path("again.bmp"));
    if (!fault.empty()) {
        std::fprintf(stderr, "%s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
