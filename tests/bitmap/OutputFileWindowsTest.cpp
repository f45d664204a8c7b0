// A read-only file is kept on Windows as its own programs keep it: the save is refused
// with the system's reason, and the file keeps its bytes and its mark.
#include <string>

#include <gtest/gtest.h>
#include <windows.h>

#include "bitmap/HandyBitmap.h"
#include "bitmap/OutputFile.h"
#include "support/PatternedBitmap.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

TEST(OutputFileWindows, AReadOnlyFileIsKeptWithItsMark) {
    testing::TempFolder folder;
    const std::string kept = folder.Path("kept.bmp");
    testing::WriteBytes(kept, {'o', 'l', 'd'});
    ASSERT_TRUE(::SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_READONLY));
    THandyBitmap picture = testing::PatternedBitmap(24, 30, 20);
    const std::string reason = WriteResultFile(picture, kept);
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(reason.find(".tmp"), std::string::npos) << reason;
    EXPECT_EQ(testing::ReadBytes(kept), (testing::Bytes{'o', 'l', 'd'}));
    EXPECT_NE(::GetFileAttributesA(kept.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    ::SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_NORMAL); // so the folder can go
}

} // namespace
} // namespace slanter
