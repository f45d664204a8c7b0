#include <filesystem>
#include <string>
#include <vector>

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

TEST(Language, AnInstalledProgramFindsItsHelpInTheDataFolderBesideItsOwn) {
    // Written with the platform's separators.
    const std::string shared =
        std::filesystem::path("/usr/share/slanter/SlanterE.html").make_preferred().string();
    std::vector<std::string> asked;
    const auto installed = [&](const std::string& name) {
        asked.push_back(name);
        return name == shared;
    };
    EXPECT_EQ(HelpFileNameFor("/usr/bin/", "Slanter", false, installed), shared);
    EXPECT_EQ(asked, (std::vector<std::string>{"/usr/bin/SlanterE.html", shared}));
    // Beside the program wins; the Japanese one is not the English run's.
    const auto beside = [&](const std::string& name) { return name != shared; };
    EXPECT_EQ(HelpFileNameFor("/usr/bin/", "Slanter", false, beside), "/usr/bin/SlanterE.html");
    EXPECT_EQ(HelpFileNameFor("/usr/bin/", "Slanter", true, installed), "/usr/bin/Slanter.html");
}

TEST(Language, OnlyTheNameAJapaneseSystemGivesMeansJapanese) {
    EXPECT_TRUE(IsJapaneseLanguageName("日本語"));
    EXPECT_FALSE(IsJapaneseLanguageName("Japanese"));
    EXPECT_FALSE(IsJapaneseLanguageName("中文"));
}

TEST(Language, HelpAndTextFilesByLanguage) {
    const auto none = [](const std::string&) { return false; };
    EXPECT_EQ(HelpFileNameFor("/tools/", "Slanter", true, none), "/tools/Slanter.html");
    EXPECT_EQ(HelpFileNameFor("/tools/", "Slanter", false, none), "/tools/SlanterE.html");
    EXPECT_EQ(TextFileNameFor("/tools/", "Slanter", true), "/tools/Slanter.txt");
    EXPECT_EQ(TextFileNameFor("/tools/", "Slanter", false), "/tools/SlanterE.txt");
}

} // namespace
} // namespace slanter
