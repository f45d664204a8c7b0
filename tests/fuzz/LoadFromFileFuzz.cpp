// libFuzzer target: any bytes as a BMP file. Built and run only by scripts/fuzz bmp.
#include <cstdint>
#include <string>

#include "FuzzScratch.h"
#include "support/LoadRoundTrip.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    slanter::fuzz::Scratch();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace slanter::fuzz;
    const std::string input = WriteInput("input.bmp", data, size);
    AbortOnFault(slanter::testing::CheckLoadRoundTrip(input, Scratch().Path("again.bmp")));
    return 0;
}
