// libFuzzer target: the command line in this process, its options and picture taken
// from the input (tests/cli/CliRoundTrip.h). Built and run only by scripts/fuzz.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli/CliRoundTrip.h"
#include "engine/ExtendedPrecision.h"
#include "support/GuardedFolder.h"

namespace {

// Made before the first input, removed however the run ends.
const slanter::testing::GuardedFolder& Scratch() {
    static const slanter::testing::GuardedFolder folder;
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    slanter::UseExtendedPrecision();
    Scratch();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string fault = slanter::cli::CheckCliRoundTrip(data, size, Scratch().Path());
    if (!fault.empty()) {
        std::fprintf(stderr, "%s\n", fault.c_str());
        std::abort();
    }
    // Each input starts from an empty folder.
    for (const auto& entry : std::filesystem::directory_iterator(Scratch().Path()))
        std::filesystem::remove_all(entry.path());
    return 0;
}
