#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "shell/FileFound.h"

namespace slanter {
namespace {

namespace fs = std::filesystem;

class FileFoundTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("slanter-filefound-" +
                   std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "sub");
        std::ofstream(folder_ / "file.txt") << "x";
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Name(const std::string& leaf) const { return (folder_ / leaf).string(); }

    fs::path folder_;
};

TEST_F(FileFoundTest, FilesAreFoundFoldersAndMissingNamesAreNot) {
    EXPECT_TRUE(FileFound(Name("file.txt")));
    EXPECT_FALSE(FileFound(Name("sub")));
    EXPECT_FALSE(FileFound(Name("sub") + "/"));
    EXPECT_FALSE(FileFound(Name("missing.txt")));
    EXPECT_FALSE(FileFound(""));
}

#ifndef _WIN32
// Windows entries: WindowsNamesTest.cpp.
TEST_F(FileFoundTest, LinksCountByWhatTheyPointTo) {
    fs::create_symlink(folder_ / "sub", folder_ / "to-sub");
    fs::create_symlink(folder_ / "file.txt", folder_ / "to-file");
    fs::create_symlink(folder_ / "gone", folder_ / "dangling");
    EXPECT_FALSE(FileFound(Name("to-sub")));
    EXPECT_TRUE(FileFound(Name("to-file")));
    EXPECT_TRUE(FileFound(Name("dangling")));
}
#endif

} // namespace
} // namespace slanter
