#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

#include "bitmap/FileLayer.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

using testing::Bytes;
using testing::TempFolder;

TEST(PlatformFile, ReadPastTheEndComesShortByTheMissingBytes) {
    TempFolder folder;
    testing::WriteBytes(folder.Path("five"), {1, 2, 3, 4, 5});
    PlatformFile file;
    ASSERT_TRUE(file.OpenForReading(folder.Path("five")));
    EXPECT_EQ(file.Size(), 5);
    std::uint8_t buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, 3), 3u);
    EXPECT_EQ(file.Read(buffer, 8), 2u);
    EXPECT_EQ(buffer[0], 4);
    EXPECT_EQ(buffer[1], 5);
    EXPECT_EQ(file.Read(buffer, 1), 0u);
    EXPECT_EQ(file.Position(), 5);
}

TEST(PlatformFile, ReadersShareAFileThatAWriterHoldsAlone) {
    TempFolder folder;
    const std::string name = folder.Path("held");
    testing::WriteBytes(name, {7, 7, 7});
    {
        PlatformFile first;
        ASSERT_TRUE(first.OpenForReading(name));
        PlatformFile second;
        EXPECT_TRUE(second.OpenForReading(name));
        PlatformFile writer;
        EXPECT_FALSE(writer.Create(name));
        // The refused create must not have emptied the file being read.
        EXPECT_EQ(first.Size(), 3);
    }
    PlatformFile writer;
    ASSERT_TRUE(writer.Create(name));
    PlatformFile reader;
    EXPECT_FALSE(reader.OpenForReading(name)); // never half-written
    EXPECT_FALSE(PlatformFile().Create(name));
    writer.Close();
    EXPECT_TRUE(reader.OpenForReading(name));
}

TEST(PlatformFile, OnlyRegularFilesOpenForReading) {
    TempFolder folder;
    PlatformFile file;
    EXPECT_FALSE(file.OpenForReading(folder.Path()));
    EXPECT_FALSE(file.OpenForReading(folder.Path("missing")));
    EXPECT_FALSE(file.IsOpen());
}

#ifndef _WIN32
// Windows pipes and devices: FileLayerWindowsTest.cpp.
TEST(PlatformFile, ANamedPipeDoesNotOpenForReading) {
    TempFolder folder;
    PlatformFile file;
    // A named pipe without a writer would block an ordinary open for ever.
    ASSERT_EQ(::mkfifo(folder.Path("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(file.OpenForReading(folder.Path("pipe")));
    EXPECT_FALSE(file.IsOpen());
}
#endif

TEST(PlatformFile, CreateReplacesAnExistingFileAndFailsInAMissingFolder) {
    TempFolder folder;
    const std::string name = folder.Path("out");
    testing::WriteBytes(name, Bytes(100, 9));
    {
        PlatformFile file;
        ASSERT_TRUE(file.Create(name));
        EXPECT_EQ(file.Size(), 0);
        const std::uint8_t bytes[3] = {1, 2, 3};
        EXPECT_EQ(file.Write(bytes, 3), 3u);
    }
    EXPECT_EQ(testing::ReadBytes(name), (Bytes{1, 2, 3}));
    PlatformFile file;
    EXPECT_FALSE(file.Create(folder.Path("no/such/folder")));
}

TEST(PlatformFile, AWriteThePlatformRefusesComesShort) {
    PlatformFile file;
    ASSERT_TRUE(file.Create("/dev/full"));
    const std::uint8_t bytes[4] = {};
    EXPECT_EQ(file.Write(bytes, 4), 0u);
}

} // namespace
} // namespace slanter
