#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "bitmap/BandedResultFile.h"
#include "bitmap/HandyBitmap.h"
#include "support/FullDisk.h"
#include "support/PatternedBitmap.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

using testing::Bytes;
using testing::TempFolder;

std::size_t FilesIn(const std::string& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++count;
    return count;
}

TEST(BandedResultFile, BandsToldInTurnGiveTheFileOfAWholeSave) {
    TempFolder folder;
    for (const int bits : {1, 8, 24}) {
        THandyBitmap picture = testing::PatternedBitmap(bits, 37, 61);
        ASSERT_TRUE(picture.SaveToFile(folder.Path("whole.bmp")));
        testing::WriteBytes(folder.Path("banded.bmp"), {'o', 'l', 'd'});
        BandedResultFile banded(folder.Path("banded.bmp"));
        ASSERT_EQ(banded.Refusal(), "");
        for (const std::int32_t rows : {1, 2, 30, 60})
            banded.RowsDone(picture, rows);
        ASSERT_EQ(banded.Finish(picture, {}), "") << bits;
        EXPECT_EQ(testing::ReadBytes(folder.Path("banded.bmp")),
                  testing::ReadBytes(folder.Path("whole.bmp")))
            << bits;
        EXPECT_EQ(FilesIn(folder.Path()), 2u) << bits;
    }
}

// A run cancelled half-way leaves the user's file as it was and nothing beside it.
TEST(BandedResultFile, OneNeverFinishedKeepsTheOldFileAndLeavesNoTemporary) {
    TempFolder folder;
    testing::WriteBytes(folder.Path("kept.bmp"), {'o', 'l', 'd'});
    THandyBitmap picture = testing::PatternedBitmap(24, 300, 200);
    {
        BandedResultFile banded(folder.Path("kept.bmp"));
        banded.RowsDone(picture, 100);
    }
    EXPECT_EQ(testing::ReadBytes(folder.Path("kept.bmp")), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(FilesIn(folder.Path()), 1u);
}

#ifndef _WIN32
// The bands go out on a thread of their own; a write refused there is still the answer.
TEST(BandedResultFile, AFullDiskMidWayKeepsTheOldFileAndTellsWhy) {
    TempFolder folder;
    const std::string disk = folder.Path("disk");
    std::filesystem::create_directory(disk);
    testing::FullDisk full(disk, 64 * 1024);
    testing::WriteBytes(disk + "/keep.bmp", {'o', 'l', 'd'});
    full.Fill();
    THandyBitmap picture = testing::PatternedBitmap(24, 400, 400);
    BandedResultFile banded(disk + "/keep.bmp");
    ASSERT_EQ(banded.Refusal(), "");
    banded.RowsDone(picture, 200);
    const std::string reason = banded.Finish(picture, {});
    EXPECT_NE(reason.find(full.Reason()), std::string::npos) << reason;
    EXPECT_EQ(testing::ReadBytes(disk + "/keep.bmp"), (Bytes{'o', 'l', 'd'}));
}
#endif

} // namespace
} // namespace slanter
