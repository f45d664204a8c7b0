#include <gtest/gtest.h>

#include "shell/General.h"
#include "shell/ProgramIdentity.h"

namespace slanter {
namespace {

TEST(ProgramName, DropsTheExtensionOrKeepsAWholeName) {
    EXPECT_EQ(ProgramNameFromFileName("Slanter.exe"), "Slanter");
    EXPECT_EQ(ProgramNameFromFileName("Slanter"), "Slanter");
    EXPECT_EQ(ProgramNameFromFileName("BIT MAP SLANTER.EXE"), "BIT MAP SLANTER");
    EXPECT_EQ(ProgramNameFromFileName("slanter.v3.exe"), "slanter.v3");
    EXPECT_EQ(ProgramNameFromFileName("Sla.e"), "Sla");
    EXPECT_EQ(ProgramNameFromFileName(".slanter"), ".slanter");
    // 画像 in UTF-8 holds no dot byte.
    EXPECT_EQ(ProgramNameFromFileName("\xE7\x94\xBB\xE5\x83\x8F.exe"), "\xE7\x94\xBB\xE5\x83\x8F");
}

TEST(ProgramName, FolderAndNameOfTheProgramFile) {
    EXPECT_EQ(FolderPart("/opt/Bit Map/Slanter"), "/opt/Bit Map/");
    EXPECT_EQ(NamePart("/opt/Bit Map/Slanter"), "Slanter");
    EXPECT_EQ(FolderPart("/Slanter"), "/");
    EXPECT_EQ(FolderPart("Slanter"), "");
    EXPECT_EQ(NamePart("Slanter"), "Slanter");
}

class GeneralTest : public ::testing::Test {
  protected:
    void SetUp() override { SettingsWritable = false; }
};

TEST_F(GeneralTest, EnglishStartNamesTheEnglishFiles) {
    int asked = 0;
    InitGeneral({"/tools/Slanter", "/english", [&] {
                     ++asked;
                     return true;
                 }});
    SetProgramInfo();
    EXPECT_TRUE(SettingsWritable);
    EXPECT_EQ(WorkFolder, "/tools/");
    EXPECT_EQ(ProgramName, "Slanter");
    EXPECT_FALSE(Japanese);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(HelpFileName, "/tools/SlanterE.html");
    EXPECT_EQ(TextFileName, "/tools/SlanterE.txt");
    EXPECT_EQ(Title, "Bit Map Slanter");
    EXPECT_EQ(Description, "Bitmap Image Modifying Tool");
    EXPECT_EQ(MajorVersion, 3);
    EXPECT_EQ(MinorVersion, 0);
    EXPECT_EQ(Revision, 2);
}

TEST_F(GeneralTest, JapaneseSystemWithoutSwitchesNamesTheJapaneseFiles) {
    InitGeneral({"/tools/Slanter.exe", "", [] { return true; }});
    SetProgramInfo();
    EXPECT_TRUE(Japanese);
    EXPECT_EQ(ProgramName, "Slanter");
    EXPECT_EQ(HelpFileName, "/tools/Slanter.html");
    EXPECT_EQ(TextFileName, "/tools/Slanter.txt");
    EXPECT_EQ(Description, "画像を斜めに貼り付けられるようにするソフト");
}

} // namespace
} // namespace slanter
