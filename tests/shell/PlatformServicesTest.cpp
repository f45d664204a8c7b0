#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "shell/General.h"
#include "support/FakeServices.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

// The program runs from a fresh folder, so that its text files can be made or left out.
class PlatformServicesTest : public ::testing::Test {
  protected:
    // The language goes back to the system's for the tests that follow.
    void TearDown() override { Start(""); }
    void Start(const std::string& switches) {
        InitGeneral({folder_.Path("Slanter"), switches, [] { return false; }});
        SetProgramInfo();
    }
    void Make(const std::string& leaf) const { std::ofstream(folder_.Path(leaf)) << "x"; }

    testing::TempFolder folder_;
    FakeServices services_;
};

TEST_F(PlatformServicesTest, VersionBox) {
    Start("");
    services_.PlatformServices::ShowVersionInfo();
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(services_.messages[0].text, "Version Information\n\nBitmap Image Modifying Tool\n"
                                          "Bit Map Slanter (Slanter)  Ver.3.00  Rev.2");
    EXPECT_EQ(services_.messages[0].flags, 64);
    EXPECT_EQ(services_.messages[0].caption, "Bit Map Slanter");
}

TEST_F(PlatformServicesTest, CopyrightBoxPointsToTheTextFileOfTheLanguage) {
    Start("/JAPANESE");
    Make("SlanterE.txt");
    services_.PlatformServices::ShowCopyrightInfo();
    Make("Slanter.txt");
    services_.PlatformServices::ShowCopyrightInfo();
    ASSERT_EQ(services_.messages.size(), 2u);
    EXPECT_EQ(services_.messages[0].text,
              "著作権情報\r\nCopyright (C) TAMRI Lab. All rights reserved.");
    EXPECT_EQ(services_.messages[1].text,
              "著作権情報\r\nCopyright (C) TAMRI Lab. All rights reserved.\r\n\r\n詳細は " +
                  folder_.Path("Slanter.txt") + " をご覧ください。");
    EXPECT_EQ(services_.messages[1].flags, 64);
}

TEST_F(PlatformServicesTest, TheGeneralErrorIsAnErrorBoxUnderTheTitle) {
    services_.PlatformServices::GeneralError("Out of memory.");
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(services_.messages[0].text, "Out of memory.");
    EXPECT_EQ(services_.messages[0].flags, 16);
    EXPECT_EQ(services_.messages[0].caption, ""); // the title, as every message without one
}

} // namespace
} // namespace slanter
