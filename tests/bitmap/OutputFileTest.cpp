#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"
#include "bitmap/OutputFile.h"
#include "support/FullDisk.h"
#include "support/PatternedBitmap.h"
#include "support/TempFolder.h"

#ifndef _WIN32

#include <unistd.h>

namespace slanter {
namespace {

using testing::Bytes;
using testing::TempFolder;

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool Starts(const Bytes& bytes, const char* signature) {
    const std::size_t n = std::strlen(signature);
    return bytes.size() > n &&
           std::equal(signature, signature + n, bytes.begin(),
                      [](char a, std::uint8_t b) { return std::uint8_t(a) == b; });
}

// Names are bytes: one that is no UTF-8 is written under exactly those bytes.
TEST(OutputFile, ANameThatIsNoUtf8IsWrittenUnderItsOwnBytes) {
    TempFolder folder;
    THandyBitmap picture = testing::PatternedBitmap(8, 30, 20);
    for (const char* extension : {".png", ".bmp"}) {
        const std::string name = std::string("photo-\xe9t\xe9") + extension;
        testing::WriteBytes(folder.Path(name), {'o', 'l', 'd'});
        ASSERT_EQ(WriteResultFile(picture, folder.Path(name)), "") << extension;
        EXPECT_TRUE(
            Starts(testing::ReadBytes(folder.Path(name)), extension[1] == 'p' ? "\x89PNG" : "BM"))
            << extension;
    }
    EXPECT_EQ(Names(folder.Path()),
              (std::vector<std::string>{"photo-\xe9t\xe9.bmp", "photo-\xe9t\xe9.png"}));
}

TEST(OutputFile, ALinkIsWrittenWhereItPointsAndStaysALink) {
    TempFolder folder;
    std::filesystem::create_directory(folder.Path("real"));
    testing::WriteBytes(folder.Path("real/picture.png"), {'o', 'l', 'd'});
    std::filesystem::create_symlink("real/picture.png", folder.Path("link.png"));
    THandyBitmap picture = testing::PatternedBitmap(24, 30, 20);
    ASSERT_EQ(WriteResultFile(picture, folder.Path("link.png")), "");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("link.png")));
    EXPECT_TRUE(Starts(testing::ReadBytes(folder.Path("real/picture.png")), "\x89PNG"));
    EXPECT_EQ(Names(folder.Path("real")), std::vector<std::string>{"picture.png"});
}

// A rename would replace the first link of the loop with a file of its own.
TEST(OutputFile, ALoopOfLinksIsRefusedWithTheSystemsReasonAndNothingIsWritten) {
    TempFolder folder;
    std::filesystem::create_symlink("b.bmp", folder.Path("a.bmp"));
    std::filesystem::create_symlink("a.bmp", folder.Path("b.bmp"));
    THandyBitmap picture = testing::PatternedBitmap(24, 30, 20);
    EXPECT_EQ(WriteResultFile(picture, folder.Path("a.bmp")), "Too many levels of symbolic links");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("a.bmp")));
    EXPECT_EQ(Names(folder.Path()), (std::vector<std::string>{"a.bmp", "b.bmp"}));
}

// A file its user may not write stays, and the reason is the system's, naming no
// temporary file (the superuser may write any file, so the check needs another user).
TEST(OutputFile, AFileItsUserMayNotWriteIsKept) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser may write every file";
    TempFolder folder;
    const std::string kept = folder.Path("kept.bmp");
    testing::WriteBytes(kept, {'o', 'l', 'd'});
    std::filesystem::permissions(kept, std::filesystem::perms::owner_read);
    THandyBitmap picture = testing::PatternedBitmap(24, 30, 20);
    EXPECT_EQ(WriteResultFile(picture, kept), "Permission denied");
    EXPECT_EQ(testing::ReadBytes(kept), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"kept.bmp"});
}

TEST(OutputFile, AFullDiskKeepsTheOldFileByteForByteAndTellsWhy) {
    TempFolder folder;
    const std::string disk = folder.Path("disk");
    std::filesystem::create_directory(disk);
    testing::FullDisk full(disk, 64 * 1024);
    // Random pixels, which no compression brings under the disk's size.
    THandyBitmap picture = testing::PatternedBitmap(24, 200, 200);
    Bytes old(20000);
    for (std::size_t k = 0; k < old.size(); ++k)
        old[k] = static_cast<std::uint8_t>(k * 7);
    for (const std::string name : {"keep.png", "keep.bmp"})
        testing::WriteBytes(disk + "/" + name, old);
    full.Fill();
    for (const std::string name : {"keep.png", "keep.bmp"}) {
        const std::string reason = WriteResultFile(picture, disk + "/" + name);
        EXPECT_NE(reason.find(full.Reason()), std::string::npos) << name << ": " << reason;
        EXPECT_EQ(testing::ReadBytes(disk + "/" + name), old) << name;
    }
    std::filesystem::remove(disk + "/filler");
    EXPECT_EQ(Names(disk), (std::vector<std::string>{"keep.bmp", "keep.png"}));
}

} // namespace
} // namespace slanter
#endif
