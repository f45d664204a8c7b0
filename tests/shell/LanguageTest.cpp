#include <gtest/gtest.h>

#include "shell/Language.h"

namespace slanter {
namespace {

TEST(Language, SwitchesWinOverTheSystemAndJapaneseWinsOverEnglish) {
    int asked = 0;
    const auto system = [&](bool answer) {
        return [&asked, answer] {
            ++asked;
            return answer;
        };
    };
    EXPECT_TRUE(ChooseJapanese("/ENGLISH /JAPANESE", system(false)));
    EXPECT_TRUE(ChooseJapanese("/english /japanese", system(false)));
    EXPECT_FALSE(ChooseJapanese("/English", system(true)));
    EXPECT_TRUE(ChooseJapanese("picture.bmp /japaneseplease", system(false)));
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(ChooseJapanese("", system(true)));
    EXPECT_FALSE(ChooseJapanese("JAPANESE english", system(false)));
    EXPECT_EQ(asked, 2);
}

TEST(Language, CommandLineAndSwitches) {
    EXPECT_EQ(CommandLineText({}), "");
    EXPECT_EQ(CommandLineText({"/registry", "a b.bmp"}), "/registry a b.bmp");
    EXPECT_TRUE(HasSwitch("/registry", "/REGISTRY"));
    EXPECT_TRUE(HasSwitch("x /REGISTRYX", "/REGISTRY"));
    EXPECT_FALSE(HasSwitch("registry", "/REGISTRY"));
    EXPECT_FALSE(HasSwitch("/REGISTR", "/REGISTRY"));
}

TEST(Language, HelpAndTextFilesByLanguage) {
    EXPECT_EQ(HelpFileNameFor("/tools/", "Slanter", true), "/tools/Slanter.hlp");
    EXPECT_EQ(HelpFileNameFor("/tools/", "Slanter", false), "/tools/SlanterE.hlp");
    EXPECT_EQ(TextFileNameFor("/tools/", "Slanter", true), "/tools/Slanter.txt");
    EXPECT_EQ(TextFileNameFor("/tools/", "Slanter", false), "/tools/SlanterE.txt");
}

} // namespace
} // namespace slanter
