#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/GuardedFolder.h"
#include "support/LoadRoundTrip.h"
#include "support/ReferenceTable.h"

namespace slanter {
namespace {

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back(entry.path().string());
    return files;
}

// The folder goes even when a sanitizer aborts the replay.
void ExpectEveryFileHolds(const std::vector<std::string>& files) {
    const testing::GuardedFolder folder;
    for (const std::string& file : files)
        EXPECT_EQ(testing::CheckLoadRoundTrip(file, folder.Path("again.bmp")), "") << file;
}

// The inputs the fuzzer found reaching new code, replayed as they are.
TEST(CorpusReplay, EveryKeptFuzzInputIsRefusedWithATextOrSurvivesASave) {
    const auto files = FilesIn(std::string(SLANTER_FIXTURES_DIR) + "/bmp-corpus");
    EXPECT_GT(files.size(), 10u);
    ExpectEveryFileHolds(files);
}

TEST(CorpusReplay, EveryBmpSuiteFileIsRefusedWithATextOrSurvivesASave) {
    ExpectEveryFileHolds(FilesIn(testing::TestDataPath("bmpsuite")));
}

} // namespace
} // namespace slanter
