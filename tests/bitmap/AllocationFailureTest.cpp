// Memory that cannot be had must end in a refusal, never in a crash. A program of its
// own, since each way of starving it of memory holds for the whole process.
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

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
    ASSERT_EQ(::truncate(name.c_str(), length), 0); // the pixel data reads as zeros

    THandyBitmap b;
    EXPECT_FALSE(b.LoadFromFile(name));
    EXPECT_EQ(b.ErrorText(), "out of memory");
    EXPECT_EQ(b.GetPixelIndex(19999, 4999), -1);
}

} // namespace
} // namespace slanter
