#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"
#include "bitmap/OutputFile.h"
#include "support/PatternedBitmap.h"
#include "support/TempFolder.h"

#ifndef _WIN32
#include <cerrno>
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
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

// A small file system of its own where the test may mount one (it runs as root);
// otherwise a limit on the size of any file this process writes, which fails the writes
// past it as a full disk would.
class FullDisk {
  public:
    explicit FullDisk(const std::string& folder) : folder_(folder) {
        mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") == 0;
        if (mounted_)
            return;
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit low = old_;
        low.rlim_cur = 64 * 1024;
        ::setrlimit(RLIMIT_FSIZE, &low);
    }
    ~FullDisk() {
        if (mounted_)
            ::umount(folder_.c_str());
        else
            ::setrlimit(RLIMIT_FSIZE, &old_);
    }
    // The system's words for the failure the disk gives.
    std::string Reason() const { return std::strerror(mounted_ ? ENOSPC : EFBIG); }

  private:
    std::string folder_;
    bool mounted_ = false;
    rlimit old_{};
};

TEST(OutputFile, AFullDiskKeepsTheOldFileByteForByteAndTellsWhy) {
    TempFolder folder;
    const std::string disk = folder.Path("disk");
    std::filesystem::create_directory(disk);
    FullDisk full(disk);
    // Random pixels, which no compression brings under the disk's size.
    THandyBitmap picture = testing::PatternedBitmap(24, 200, 200);
    Bytes old(20000);
    for (std::size_t k = 0; k < old.size(); ++k)
        old[k] = static_cast<std::uint8_t>(k * 7);
    for (const std::string name : {"keep.png", "keep.bmp"}) {
        testing::WriteBytes(disk + "/" + name, old);
        const std::string reason = WriteResultFile(picture, disk + "/" + name);
        EXPECT_NE(reason.find(full.Reason()), std::string::npos) << name << ": " << reason;
        EXPECT_EQ(testing::ReadBytes(disk + "/" + name), old) << name;
    }
    EXPECT_EQ(Names(disk), (std::vector<std::string>{"keep.bmp", "keep.png"}));
}

} // namespace
} // namespace slanter
#endif
