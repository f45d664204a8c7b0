// What the Windows file calls add: a reader shares the file with other readers only, a
// writer with no one, whatever sharing the other opener allows, and the other way round.
#include <string>

#include <gtest/gtest.h>
#include <windows.h>

#include "bitmap/FileLayer.h"
#include "bitmap/HandyBitmap.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

using testing::TempFolder;

// Another program's handle, as a picture viewer (reading) or an editor (writing) opens a
// file: sharing everything.
class OtherOpener {
  public:
    explicit OtherOpener(const std::string& name, DWORD access = GENERIC_READ)
        : handle_(::CreateFileA(name.c_str(), access,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~OtherOpener() { Close(); }
    OtherOpener(const OtherOpener&) = delete;
    OtherOpener& operator=(const OtherOpener&) = delete;

    bool Holds() const { return handle_ != INVALID_HANDLE_VALUE; }
    std::int64_t Size() const {
        LARGE_INTEGER size{};
        return ::GetFileSizeEx(handle_, &size) ? size.QuadPart : -1;
    }
    void Close() {
        if (Holds())
            ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

  private:
    HANDLE handle_;
};

TEST(PlatformFileOnWindows, AFileAnotherOpenerReadsCanBeReadButNotReplaced) {
    TempFolder folder;
    const std::string name = folder.Path("held.bmp");
    THandyBitmap picture;
    picture.NewImage(2, 2, 24);
    ASSERT_TRUE(picture.SaveToFile(name));
    const std::int64_t length = 54 + 2 * 8;

    OtherOpener other(name);
    ASSERT_TRUE(other.Holds());
    PlatformFile file;
    EXPECT_TRUE(file.OpenForReading(name));
    file.Close();
    EXPECT_FALSE(file.Create(name));
    EXPECT_EQ(other.Size(), length); // the refused create emptied nothing

    THandyBitmap reader;
    EXPECT_TRUE(reader.LoadFromFile(name)) << reader.ErrorText();
    EXPECT_FALSE(picture.SaveToFile(name));
    EXPECT_EQ(picture.ErrorText(), "can't create " + name);
    other.Close();
    EXPECT_TRUE(picture.SaveToFile(name)) << picture.ErrorText();
}

TEST(PlatformFileOnWindows, AFileAnotherOpenerWritesCannotBeRead) {
    TempFolder folder;
    const std::string name = folder.Path("written.bmp");
    testing::WriteBytes(name, {1, 2, 3});
    OtherOpener writer(name, GENERIC_READ | GENERIC_WRITE);
    ASSERT_TRUE(writer.Holds());
    PlatformFile file;
    EXPECT_FALSE(file.OpenForReading(name));
    EXPECT_FALSE(file.Create(name));
    THandyBitmap reader;
    EXPECT_FALSE(reader.LoadFromFile(name));
    EXPECT_EQ(reader.ErrorText(), "can't open " + name);
}

TEST(PlatformFileOnWindows, OnlyReadersGetInWhileWeReadAndNoOneWhileWeWrite) {
    TempFolder folder;
    const std::string name = folder.Path("ours");
    testing::WriteBytes(name, {1, 2, 3});
    {
        PlatformFile file;
        ASSERT_TRUE(file.OpenForReading(name));
        EXPECT_TRUE(OtherOpener(name).Holds());
        OtherOpener writer(name, GENERIC_WRITE);
        EXPECT_FALSE(writer.Holds());
        EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    }
    {
        PlatformFile file;
        ASSERT_TRUE(file.Create(name));
        EXPECT_FALSE(OtherOpener(name).Holds());
    }
    EXPECT_TRUE(OtherOpener(name, GENERIC_WRITE).Holds());
}

TEST(PlatformFileOnWindows, APipeOrADeviceDoesNotOpenForReading) {
    const std::string pipeName =
        "\\\\.\\pipe\\slanter-test-" + std::to_string(::GetCurrentProcessId());
    const HANDLE pipe = ::CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 1,
                                           64, 64, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    PlatformFile file;
    EXPECT_FALSE(file.OpenForReading(pipeName));
    EXPECT_FALSE(file.IsOpen());
    ::CloseHandle(pipe);

    EXPECT_FALSE(file.OpenForReading("NUL"));
    EXPECT_FALSE(file.IsOpen());
}

} // namespace
} // namespace slanter
