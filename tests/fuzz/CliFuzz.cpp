// libFuzzer target: the command line in this process, its options and picture taken
// from the input (tests/cli/CliRoundTrip.h). Built and run only by scripts/fuzz.
#include <cstdint>
#include <filesystem>
#include <string>

#include "FuzzScratch.h"
#include "cli/CliRoundTrip.h"
#include "engine/ExtendedPrecision.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    slanter::UseExtendedPrecision();
    slanter::fuzz::Scratch();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace slanter::fuzz;
    AbortOnFault(slanter::cli::CheckCliRoundTrip(data, size, Scratch().Path()));
    // Each input starts from an empty folder.
    for (const auto& entry : std::filesystem::directory_iterator(Scratch().Path()))
        std::filesystem::remove_all(entry.path());
    return 0;
}
