// What the Windows file calls add: an open or create without sharing fails while any other
// opener holds the file, whatever sharing that opener allows, and the other way round.
#include <string>

#include <gtest/gtest.h>
#include <windows.h>

#include "bitmap/FileLayer.h"
#include "bitmap/HandyBitmap.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

using testing::TempFolder;

// Another program's handle, as a picture viewer opens a file: sharing everything.
class OtherOpener {
  public:
    explicit OtherOpener(const std::string& name)
        : handle_(::CreateFileA(name.c_str(), GENERIC_READ,
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

TEST(PlatformFileOnWindows, AFileAnotherOpenerHoldsCannotBeOpenedOrReplaced) {
    TempFolder folder;
    const std::string name = folder.Path("held.bmp");
    THandyBitmap picture;
    picture.NewImage(2, 2, 24);
    ASSERT_TRUE(picture.SaveToFile(name));
    const std::int64_t length = 54 + 2 * 8;

    OtherOpener other(name);
    ASSERT_TRUE(other.Holds());
    PlatformFile file;
    EXPECT_FALSE(file.OpenForReading(name));
    EXPECT_FALSE(file.Create(name));
    EXPECT_EQ(other.Size(), length); // the refused create emptied nothing

    THandyBitmap reader;
    EXPECT_FALSE(reader.LoadFromFile(name));
    EXPECT_EQ(reader.ErrorText(), "can't open " + name);
    EXPECT_FALSE(picture.SaveToFile(name));
    EXPECT_EQ(picture.ErrorText(), "can't create " + name);

    other.Close();
    EXPECT_TRUE(reader.LoadFromFile(name)) << reader.ErrorText();
    EXPECT_EQ(reader.biWidth(), 2);
}

TEST(PlatformFileOnWindows, NoOtherOpenerGetsInWhileAFileIsHeld) {
    TempFolder folder;
    const std::string name = folder.Path("ours");
    testing::WriteBytes(name, {1, 2, 3});
    {
        PlatformFile file;
        ASSERT_TRUE(file.OpenForReading(name));
        OtherOpener other(name);
        EXPECT_FALSE(other.Holds());
        EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    }
    {
        PlatformFile file;
        ASSERT_TRUE(file.Create(name));
        EXPECT_FALSE(OtherOpener(name).Holds());
    }
    EXPECT_TRUE(OtherOpener(name).Holds());
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
