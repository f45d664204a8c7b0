#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "shell/LongFolder.h"

namespace slanter {
namespace {

// A disk that knows some entries by their short paths, and notes every lookup.
class FakeDisk {
  public:
    std::map<std::string, std::string> entries; // short path -> stored name
    std::vector<std::string> asked;

    StoredNameLookup Lookup() {
        return [this](const std::string& path) -> std::optional<std::string> {
            asked.push_back(path);
            const auto found = entries.find(path);
            if (found == entries.end())
                return std::nullopt;
            return found->second;
        };
    }
};

TEST(LongFolderName, EachShortComponentBecomesItsStoredName) {
    FakeDisk disk;
    disk.entries = {{"C:\\PROGRA~1", "Program Files"}, {"C:\\PROGRA~1\\TOOLS", "Tools"}};
    EXPECT_EQ(LongFolderName("C:\\PROGRA~1\\TOOLS\\", disk.Lookup()), "C:\\Program Files\\Tools\\");
    // Each lookup is by the path as given, not by the long form found so far.
    EXPECT_EQ(disk.asked, (std::vector<std::string>{"C:\\PROGRA~1", "C:\\PROGRA~1\\TOOLS"}));
}

TEST(LongFolderName, AComponentThatCannotBeLookedUpIsKept) {
    FakeDisk disk;
    disk.entries = {{"C:\\BITMAP~1", "Bit Map Slanter"}};
    EXPECT_EQ(LongFolderName("C:\\BITMAP~1\\GONE~1\\", disk.Lookup()),
              "C:\\Bit Map Slanter\\GONE~1\\");
    EXPECT_EQ(disk.asked.back(), "C:\\BITMAP~1\\GONE~1");
}

TEST(LongFolderName, AFolderWithoutBackslashIsKept) {
    FakeDisk disk;
    EXPECT_EQ(LongFolderName("/opt/Bit Map/", disk.Lookup()), "/opt/Bit Map/");
    EXPECT_EQ(LongFolderName("", disk.Lookup()), "");
    EXPECT_TRUE(disk.asked.empty());
}

// 表 in Shift-JIS is 0x95 0x5C: its second byte is the backslash code.
TEST(LongFolderName, ADoubleByteCharacterEndingInTheBackslashCodeIsNotSplit) {
    const std::string table = "\x95\x5C";
    FakeDisk disk;
    disk.entries = {{"D:\\" + table + "~1", table + "\xBC\xDE\xAE"}};
    EXPECT_EQ(LongFolderName("D:\\" + table + "~1\\", disk.Lookup()),
              "D:\\" + table + "\xBC\xDE\xAE\\");
    EXPECT_EQ(disk.asked, (std::vector<std::string>{"D:\\" + table + "~1"}));
}

// ぁ in UTF-8 is E3 81 81: the last byte would be a Shift-JIS lead byte taking the backslash.
TEST(LongFolderName, InUtf8EveryBackslashAfterADoubleByteCharacterSplits) {
    FakeDisk disk;
    EXPECT_EQ(LongFolderName("C:\\\xE3\x81\x81\\TOOLS~1\\", disk.Lookup(), CodePage::Utf8),
              "C:\\\xE3\x81\x81\\TOOLS~1\\");
    EXPECT_EQ(disk.asked,
              (std::vector<std::string>{"C:\\\xE3\x81\x81", "C:\\\xE3\x81\x81\\TOOLS~1"}));
}

TEST(LongFolderName, ADriveAloneStaysTheDrive) {
    FakeDisk disk;
    EXPECT_EQ(LongFolderName("C:\\", disk.Lookup()), "C:\\");
    EXPECT_TRUE(disk.asked.empty());
}

} // namespace
} // namespace slanter
