// Memory that cannot be had must end in a refusal, never in a crash. A program of its
// own, since each way of starving it of memory holds for the whole process.
#include <filesystem>
#include <fstream>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"
#include "support/BmpBuilder.h"
#include "support/TempFolder.h"

// Under the address sanitizer an allocation above 32 MiB answers null, as it would
// where memory ran out; elsewhere the address space is capped near its present size.
#ifdef __SANITIZE_ADDRESS__
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1:max_allocation_size_mb=32";
}
#endif

namespace slanter {
namespace {

#ifdef _WIN32
// Windows sets no limit on a process's addresses; reserving all of a 32-bit process's free
// addresses but 40 to 56 MiB of small pieces leaves it as short of memory.
class AllocationFailure : public ::testing::Test {
  protected:
    struct Block {
        void* start;
        std::size_t size;
    };

    void SetUp() override {
        blocks_.reserve(kMostBlocks); // no allocation while the addresses run out
        for (std::size_t size = std::size_t{1} << 30; size >= (std::size_t{1} << 16); size /= 2) {
            while (blocks_.size() < kMostBlocks) {
                void* start = ::VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS);
                if (start == nullptr)
                    break;
                blocks_.push_back({start, size});
            }
        }
        ASSERT_LT(blocks_.size(), kMostBlocks);
        // Give back the smallest pieces: no hole as large as the allocations refused below.
        std::size_t returned = 0;
        for (std::size_t k = blocks_.size(); k-- > 0 && returned < (std::size_t{40} << 20);) {
            if (returned + blocks_[k].size > (std::size_t{56} << 20))
                continue;
            ::VirtualFree(blocks_[k].start, 0, MEM_RELEASE);
            returned += blocks_[k].size;
            blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(k));
        }
        ASSERT_GE(returned, std::size_t{40} << 20);
    }
    void TearDown() override {
        for (const Block& block : blocks_)
            ::VirtualFree(block.start, 0, MEM_RELEASE);
        blocks_.clear();
    }

    static constexpr std::size_t kMostBlocks = 100000;
    std::vector<Block> blocks_;
};
#else
class AllocationFailure : public ::testing::Test {
  protected:
    void SetUp() override {
#ifndef __SANITIZE_ADDRESS__
        ASSERT_EQ(::getrlimit(RLIMIT_AS, &previous_), 0);
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        ASSERT_GT(pages, 0);
        rlimit tight = previous_;
        tight.rlim_cur = static_cast<rlim_t>(pages) * ::sysconf(_SC_PAGESIZE) + (48 << 20);
        ASSERT_EQ(::setrlimit(RLIMIT_AS, &tight), 0);
#endif
    }
    void TearDown() override {
#ifndef __SANITIZE_ADDRESS__
        ::setrlimit(RLIMIT_AS, &previous_);
#endif
    }
    rlimit previous_{};
};
#endif

TEST_F(AllocationFailure, NewImageWithoutMemoryGivesAnEmptyRecord) {
    THandyBitmap b;
    b.NewImage(10000, 10000, 8); // 400,000,000 bytes of cells
    EXPECT_EQ(b.biWidth(), 0);
    EXPECT_EQ(b.biHeight(), 0);
    EXPECT_EQ(b.GetPixelColor(0, 0), -1);
    b.SetPixelColor(9999, 9999, 1);
}

TEST_F(AllocationFailure, SetPaletteCountWithoutMemoryKeepsThePalette) {
    THandyBitmap b;
    b.NewImage(1, 1, 24);
    b.SetPaletteCount(2);
    b.SetPaletteColor(1, 0x123456);
    b.SetPaletteCount(16'777'216); // 64 MiB
    EXPECT_EQ(b.PaletteCount(), 2);
    EXPECT_EQ(b.GetPaletteColor(1), 0x123456);
}

TEST_F(AllocationFailure, ALoadWithoutMemoryIsRefused) {
    // 20000 x 5000 at one bit: 12.5 MB of pixel data, 400 MB of cells.
    testing::TempFolder folder;
    testing::BmpLayout layout;
    layout.width = 20000;
    layout.height = 5000;
    layout.bitCount = 1;
    layout.table = testing::TableOf({{}, {255, 255, 255, 0}});
    const std::int32_t length = 62 + 5000 * 2500;
    layout.size = length;
    const std::string name = folder.Path("big.bmp");
    testing::WriteBytes(name, testing::BuildBmp(layout));
    std::filesystem::resize_file(name, length); // the pixel data reads as zeros

    THandyBitmap b;
    EXPECT_FALSE(b.LoadFromFile(name));
    EXPECT_EQ(b.ErrorText(), "out of memory");
    EXPECT_EQ(b.GetPixelIndex(19999, 4999), -1);
}

} // namespace
} // namespace slanter
