#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CliRoundTrip.h"
#include "support/GuardedFolder.h"
#include "support/TempFolder.h"

namespace slanter::cli {
namespace {

// The inputs the command line's fuzzer kept for reaching new code, replayed as they are.
TEST(CliCorpusReplay, EveryKeptFuzzInputHoldsForEveryVerb) {
    std::vector<std::string> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(SLANTER_FIXTURES_DIR) + "/cli-corpus"))
        files.push_back(entry.path().string());
    EXPECT_GT(files.size(), 10u);
    for (const std::string& file : files) {
        const testing::GuardedFolder folder;
        const testing::Bytes bytes = testing::ReadBytes(file);
        EXPECT_EQ(CheckCliRoundTrip(bytes.data(), bytes.size(), folder.Path()), "") << file;
    }
}

} // namespace
} // namespace slanter::cli
