// Names as Windows keeps them: entries found with any attributes, and short 8.3 names that
// stand for long ones.
#include <string>

#include <gtest/gtest.h>
#include <windows.h>

#include "shell/DirectoryEntry.h"
#include "shell/FileFound.h"
#include "shell/General.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

using testing::TempFolder;

std::string ShortForm(const std::string& path) {
    char shortPath[MAX_PATH + 1] = {};
    const DWORD length = ::GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
    return length == 0 || length > MAX_PATH ? std::string{} : std::string(shortPath);
}

// Windows' own long form of a path, to check our component-by-component walk against.
std::string LongForm(const std::string& path) {
    char longPath[MAX_PATH + 1] = {};
    const DWORD length = ::GetLongPathNameA(path.c_str(), longPath, MAX_PATH);
    return length == 0 || length > MAX_PATH ? std::string{} : std::string(longPath);
}

TEST(WindowsNames, FileFoundTakesAnyAttributesButNeitherFoldersNorWildcards) {
    TempFolder folder;
    testing::WriteBytes(folder.Path("plain.txt"), {1});
    const std::string hidden = folder.Path("hidden.txt");
    testing::WriteBytes(hidden, {1});
    ASSERT_TRUE(::SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                                         FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(FileFound(folder.Path("plain.txt")));
    EXPECT_TRUE(FileFound(hidden));
    EXPECT_FALSE(FileFound(folder.Path()));
    EXPECT_FALSE(FileFound(folder.Path("*.txt")));
    EXPECT_FALSE(FileFound(folder.Path("plain.tx?")));
    EXPECT_FALSE(FileFound(folder.Path("missing.txt")));
    ::SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_NORMAL); // so the folder can go
}

TEST(WindowsNames, AShortNameFindsTheEntryWithItsLongName) {
    TempFolder folder;
    const std::string file = folder.Path("A Long File Name.bitmap");
    testing::WriteBytes(file, {1});
    const std::string shortName = ShortForm(file);
    ASSERT_NE(shortName, "");
    ASSERT_NE(shortName, file);
    EXPECT_TRUE(FileFound(shortName));
    const auto entry = FindEntry(shortName);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->storedName, "A Long File Name.bitmap");
    EXPECT_FALSE(entry->folder);
}

TEST(WindowsNames, AProgramStartedThroughShortNamesGetsItsLongFolderAndName) {
    TempFolder folder;
    const std::string tools = folder.Path("Bit Map Slanter") + "\\Tools For Pictures";
    ASSERT_TRUE(::CreateDirectoryA(folder.Path("Bit Map Slanter").c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryA(tools.c_str(), nullptr));
    const std::string program = tools + "\\Slanter Program.exe";
    testing::WriteBytes(program, {'M', 'Z'});
    const std::string shortProgram = ShortForm(program);
    ASSERT_NE(shortProgram, "");
    ASSERT_EQ(shortProgram.find("Tools For Pictures"), std::string::npos) << shortProgram;

    InitGeneral({shortProgram, "/ENGLISH", [] { return false; }});
    EXPECT_EQ(WorkFolder, LongForm(tools) + "\\");
    EXPECT_EQ(ProgramName, "Slanter Program");
    EXPECT_EQ(HelpFileName, LongForm(tools) + "\\Slanter ProgramE.html");
}

TEST(WindowsNames, AFolderThatIsGoneIsTakenAsGiven) {
    InitGeneral({"C:\\NOSUCH~1\\GONE~2\\SLANTER.EXE", "/ENGLISH", [] { return false; }});
    EXPECT_EQ(WorkFolder, "C:\\NOSUCH~1\\GONE~2\\");
    EXPECT_EQ(ProgramName, "SLANTER");
}

} // namespace
} // namespace slanter
