#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "conversion/ResultFileName.h"
#include "shell/DesktopWallpaper.h"
#include "support/TempFolder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace slanter {
namespace {

using testing::TempFolder;

TEST(UnusedFileName, ANameTakenGetsTheNextFreeNumber) {
    const TempFolder folder;
    const std::string prefix = folder.Path() + TempFolder::kSeparator;
    EXPECT_EQ(UnusedFileName(prefix, "wall-4.26deg.png"), prefix + "wall-4.26deg.png");
    std::ofstream(prefix + "wall-4.26deg.png") << "x";
    std::ofstream(prefix + "wall-4.26deg-2.png") << "x";
    EXPECT_EQ(UnusedFileName(prefix, "wall-4.26deg.png"), prefix + "wall-4.26deg-3.png");
}

#ifndef _WIN32

// Stands in for the desktop's own programs: each writes its words to a log, one call a
// line; xfconf-query lists one monitor's properties.
class DesktopWallpaper : public ::testing::Test {
  protected:
    static std::string ReadText(const std::string& file) {
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void SetUp() override {
        path_ = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
        desktop_ =
            std::getenv("XDG_CURRENT_DESKTOP") != nullptr ? std::getenv("XDG_CURRENT_DESKTOP") : "";
        for (const char* program : {"gsettings", "xfconf-query", "dbus-send"}) {
            const std::string script = bin.Path(program);
            std::ofstream(script) << "#!/bin/sh\n"
                                  << "[ \"$3\" = -l ] && echo " << kProperty << " && exit 0\n"
                                  << "echo " << program << " \"$@\" >> " << bin.Path("log") << "\n";
            ::chmod(script.c_str(), 0755);
        }
        ::setenv("PATH", (bin.Path() + ":" + path_).c_str(), 1);
    }
    void TearDown() override {
        ::setenv("PATH", path_.c_str(), 1);
        ::setenv("XDG_CURRENT_DESKTOP", desktop_.c_str(), 1);
    }
    std::string Log() const { return ReadText(bin.Path("log")); }

    static constexpr const char* kProperty = "/backdrop/screen0/monitor0/workspace0/last-image";
    TempFolder bin;
    std::string path_;
    std::string desktop_;
};

TEST_F(DesktopWallpaper, GnomeTilesThePictureForTheLightAndTheDarkStyle) {
    ::setenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME", 1);
    EXPECT_EQ(SetDesktopWallpaper("/home/u/My Pictures/wall.png"), "");
    const std::string uri = "file:///home/u/My%20Pictures/wall.png";
    EXPECT_EQ(Log(), "gsettings set org.gnome.desktop.background picture-uri " + uri +
                         "\ngsettings set org.gnome.desktop.background picture-options wallpaper\n"
                         "gsettings set org.gnome.desktop.background picture-uri-dark " +
                         uri + "\n");
}

TEST_F(DesktopWallpaper, XfceAndPlasmaTileThePictureOnEachDesktop) {
    ::setenv("XDG_CURRENT_DESKTOP", "XFCE", 1);
    EXPECT_EQ(SetDesktopWallpaper("/w.png"), "");
    const std::string monitor = "/backdrop/screen0/monitor0/workspace0";
    EXPECT_EQ(Log(), "xfconf-query -c xfce4-desktop -p " + monitor + "/last-image -s /w.png\n" +
                         "xfconf-query -c xfce4-desktop -p " + monitor + "/image-style -s 2\n");
    ::setenv("XDG_CURRENT_DESKTOP", "KDE", 1);
    EXPECT_EQ(SetDesktopWallpaper("/it's.png"), "");
    const std::string plasma = Log().substr(Log().find("dbus-send"));
    EXPECT_EQ(plasma.rfind("dbus-send --session --print-reply --dest=org.kde.plasmashell "
                           "/PlasmaShell org.kde.PlasmaShell.evaluateScript string:",
                           0),
              0u)
        << plasma;
    EXPECT_NE(plasma.find("writeConfig('Image', 'file:///it%27s.png')"), std::string::npos);
    EXPECT_NE(plasma.find("writeConfig('FillMode', 3)"), std::string::npos);
}

TEST_F(DesktopWallpaper, ADesktopItDoesNotKnowIsSaidAndNothingIsRun) {
    ::setenv("XDG_CURRENT_DESKTOP", "twm", 1);
    EXPECT_EQ(SetDesktopWallpaper("/w.png"), kNoKnownDesktop);
    EXPECT_EQ(Log(), "");
}

#else

// Read back as the desktop reads them.
TEST(DesktopWallpaper, WindowsTakesThePictureTiled) {
    const TempFolder folder;
    const std::string file = folder.Path("wall.bmp");
    std::ofstream(file, std::ios::binary) << "BM";
    ASSERT_EQ(SetDesktopWallpaper(file), "");
    wchar_t set[MAX_PATH] = {};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, set, 0));
    EXPECT_NE(std::wstring(set).find(L"wall.bmp"), std::wstring::npos);
    for (const auto& [name, value] :
         {std::pair{L"TileWallpaper", L"1"}, std::pair{L"WallpaperStyle", L"0"}}) {
        wchar_t text[16] = {};
        DWORD bytes = sizeof text;
        EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", name, RRF_RT_REG_SZ,
                               nullptr, text, &bytes),
                  ERROR_SUCCESS);
        EXPECT_STREQ(text, value);
    }
}

#endif

} // namespace
} // namespace slanter
