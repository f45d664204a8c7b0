#include <filesystem>
#include <fstream>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include "shell/FileCopy.h"
#include "shell/TemporaryPictures.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

void Make(const std::string& path, const std::string& text = "x") {
    std::ofstream(path) << text;
}

TEST(TemporaryPictures, EachRunHasAPrivateFolderOfItsOwn) {
    const TempFolder parent;
    const TemporaryPictures first(parent.Path());
    const TemporaryPictures second(parent.Path());
    ASSERT_FALSE(first.Folder().empty());
    EXPECT_NE(first.Folder(), second.Folder());
    EXPECT_EQ(fs::path(first.Folder()).parent_path().parent_path(), fs::path(parent.Path()));
    EXPECT_EQ(first.Folder().back(), '/');
    EXPECT_EQ(first.WorkingFileName(), first.Folder() + "Temp0000.bmp");
#ifndef _WIN32
    EXPECT_EQ(fs::status(first.Folder()).permissions(), fs::perms::owner_all);
#endif
}

TEST(TemporaryPictures, AStartRemovesTheFoldersOfDeadRunsOnlyAndKeepsThoseOfLiveOnes) {
    const TempFolder parent;
    const TemporaryPictures live(parent.Path());
    Make(live.WorkingFileName());
    // Left by a run that ended without its own end.
    fs::create_directory(parent.Path("slanter-dead01"));
    Make(parent.Path("slanter-dead01") + "/Temp0000.bmp");
    // Others' entries: not named as ours, or a link to a folder.
    fs::create_directory(parent.Path("other-folder"));
    fs::create_directory(parent.Path("slanter-test-abc123"));
    fs::create_directory(parent.Path("slanter-"));
    fs::create_directory(parent.Path("target"));
    Make(parent.Path("target") + "/keep.bmp");
#ifndef _WIN32
    fs::create_directory_symlink(parent.Path("target"), parent.Path("slanter-link"));
#endif
    Make(parent.Path("slanter-file"));

    const TemporaryPictures next(parent.Path());
    EXPECT_FALSE(fs::exists(parent.Path("slanter-dead01")));
    EXPECT_TRUE(fs::exists(live.WorkingFileName()));
    EXPECT_TRUE(fs::exists(parent.Path("other-folder")));
    EXPECT_TRUE(fs::exists(parent.Path("slanter-test-abc123")));
    EXPECT_TRUE(fs::exists(parent.Path("slanter-")));
    EXPECT_TRUE(fs::exists(parent.Path("target") + "/keep.bmp"));
#ifndef _WIN32
    EXPECT_TRUE(fs::is_symlink(parent.Path("slanter-link")));
#endif
    EXPECT_TRUE(fs::exists(parent.Path("slanter-file")));
    EXPECT_TRUE(fs::exists(next.Folder()));
}

#ifndef _WIN32
TEST(TemporaryPictures, TheFolderOfAKilledRunGoesAtTheNextStart) {
    const TempFolder parent;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A run that writes its working file and then is killed.
        const TemporaryPictures pictures(parent.Path());
        Make(pictures.WorkingFileName());
        const char done = 1;
        (void)!::write(ready[1], &done, 1);
        ::pause();
        ::_exit(0);
    }
    char done = 0;
    ASSERT_EQ(::read(ready[0], &done, 1), 1);
    ::close(ready[0]);
    ::close(ready[1]);
    std::vector<fs::path> left;
    for (const auto& entry : fs::directory_iterator(parent.Path()))
        left.push_back(entry.path());
    ASSERT_EQ(left.size(), 1u);
    // While it lives, a run beside it keeps its folder.
    { const TemporaryPictures beside(parent.Path()); }
    EXPECT_TRUE(fs::exists(left[0] / "Temp0000.bmp"));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(fs::exists(left[0]));
    const TemporaryPictures next(parent.Path());
    EXPECT_FALSE(fs::exists(left[0]));
}
#endif

TEST(TemporaryPictures, OnlyTheFilesWrittenGoAndTheFolderWithThem) {
    const TempFolder parent;
    Make(parent.Path("Temp0001.bmp")); // another program's, beside our folder
    std::string folder;
    {
        TemporaryPictures pictures(parent.Path());
        folder = pictures.Folder();
        pictures.Writing(pictures.WorkingFileName());
        Make(pictures.WorkingFileName());
        pictures.Writing(pictures.FileName("Temp0001.bmp"));
        Make(pictures.FileName("Temp0001.bmp"));
        pictures.Writing(pictures.FileName("Temp0002.bmp")); // a write that never happened
        pictures.RemoveAll();
        EXPECT_FALSE(fs::exists(folder));
    }
    EXPECT_TRUE(fs::exists(parent.Path("Temp0001.bmp")));
}

TEST(TemporaryPictures, AFileItDidNotWriteKeepsTheFolder) {
    const TempFolder parent;
    std::string kept;
    {
        TemporaryPictures pictures(parent.Path());
        pictures.Writing(pictures.WorkingFileName());
        Make(pictures.WorkingFileName());
        kept = pictures.FileName("Temp0003.bmp"); // say a user saved a result here
        Make(kept);
    } // the destructor cleans up too
    EXPECT_TRUE(fs::exists(kept));
    EXPECT_FALSE(fs::exists(fs::path(kept).parent_path() / "Temp0000.bmp"));
}

TEST(TemporaryPictures, WithoutAFolderEveryNameIsEmpty) {
    const TempFolder parent;
    Make(parent.Path("file"));
    TemporaryPictures pictures(parent.Path("file")); // a parent that is no folder
    EXPECT_EQ(pictures.Folder(), "");
    EXPECT_EQ(pictures.WorkingFileName(), "");
    pictures.Writing(pictures.WorkingFileName());
    pictures.RemoveAll();
    EXPECT_TRUE(fs::exists(parent.Path("file")));
}

TEST(FileCopy, ReplacesTheTargetAndKeepsItWritable) {
    const TempFolder folder;
    Make(folder.Path("a"), "first");
    Make(folder.Path("b"), "second, longer");
    fs::permissions(folder.Path("a"), fs::perms::owner_read);
    ASSERT_TRUE(CopyFileReplacing(folder.Path("a"), folder.Path("t")));
    EXPECT_TRUE((fs::status(folder.Path("t")).permissions() & fs::perms::owner_write) !=
                fs::perms::none);
    ASSERT_TRUE(CopyFileReplacing(folder.Path("b"), folder.Path("t")));
    ASSERT_TRUE(CopyFileReplacing(folder.Path("a"), folder.Path("t")));
    std::ifstream in(folder.Path("t"));
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "first");
}

TEST(FileCopy, NoRegularSourceOrNoTargetFolderFails) {
    const TempFolder folder;
    Make(folder.Path("a"));
    fs::create_directory(folder.Path("dir.bmp"));
    EXPECT_FALSE(CopyFileReplacing(folder.Path("missing.bmp"), folder.Path("t")));
    EXPECT_FALSE(CopyFileReplacing(folder.Path("dir.bmp"), folder.Path("t")));
    EXPECT_FALSE(fs::exists(folder.Path("t")));
    EXPECT_FALSE(CopyFileReplacing(folder.Path("a"), folder.Path("a/t")));
    EXPECT_FALSE(CopyFileReplacing(folder.Path("a"), ""));
    EXPECT_FALSE(CopyFileReplacing(folder.Path("a"), folder.Path("a"))); // itself
}

} // namespace
} // namespace slanter
