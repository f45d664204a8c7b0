// libFuzzer target: any bytes as a picture file, decoded twice with other heap fills; a
// difference is memory the decoder never wrote. Built and run only by scripts/fuzz.
#include <cstdint>
#include <string>

#include "FuzzScratch.h"
#include "support/DecodeTwice.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    slanter::fuzz::Scratch();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace slanter::fuzz;
    const std::string input = WriteInput("input", data, size);
    AbortOnFault(slanter::testing::CheckDecodesAlike(input, Scratch().Path("again.bmp")));
    return 0;
}
