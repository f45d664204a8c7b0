// The main window's flows against a recording view, fake platform services and a settings
// store in memory, with real BMP files.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>

#include "bitmap/AreaResize.h"
#include "method/MethodWindow.h"
#include "shell/General.h"
#include "shell/MessageFlags.h"
#include "shell/ProgramState.h"
#include "shell/main/MainPresenter.h"
#include "shell/main/MainView.h"
#include "support/BmpBuilder.h"
#include "support/FakeServices.h"
#include "support/MemorySettings.h"
#include "support/PatternedBitmap.h"
#include "support/TempFolder.h"

namespace slanter {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

class FakeView : public MainView {
  public:
    void ShowSplash() override { splashUp = true; }
    void HideSplash() override { splashUp = false; }
    bool Build(bool eraseSettings) override {
        built = true;
        eraseCommand = eraseSettings;
        return true;
    }
    void SetCaption(std::string_view item, const std::string& text) override {
        captions[std::string(item)] = text;
    }
    void Present() override { presented = true; }
    void Hide() override { presented = false; }
    void RestorePlacement() override {}
    void SavePlacement() override { ++placementsSaved; }
    void Close() override { ++closeRequests; }
    void CloseLater() override { ++laterCloses; }
    void ShowRecentFiles(const Strings& shownCaptions) override { recent = shownCaptions; }
    std::string ShowPicture(const std::string&, const THandyBitmap& picture) override {
        if (!platformReason.empty())
            return platformReason;
        shown = {picture.biWidth(), picture.biHeight()};
        return {};
    }

    bool splashUp = false;
    bool built = false;
    bool eraseCommand = false;
    bool presented = false;
    int placementsSaved = 0;
    int closeRequests = 0;
    int laterCloses = 0;
    std::map<std::string, std::string> captions;
    Strings recent;
    TPoint shown{};
    // What the platform says when it cannot show a picture; empty while it can.
    std::string platformReason;
};

class FakeMethodWindow : public MethodWindow {
  public:
    void RefreshList() override { ++refreshes; }
    void BringToFront() override { ++fronts; }
    void Close() override { ++closes; }
    int refreshes = 0;
    int fronts = 0;
    int closes = 0;
};

class MainPresenterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::StoredSettings().clear();
        SettingsWritable = true;
        Japanese = false;
        Title = "Bit Map Slanter";
    }
    void TearDown() override {
        if (presenter_)
            presenter_->Close();
        SettingsWritable = true;
        Japanese = false;
    }

    MainPresenter& Start(const std::string& switches = "/ENGLISH") {
        presenter_ = std::make_unique<MainPresenter>(state_, services_, view_, switches);
        presenter_->SetMethodWindow(&method_);
        EXPECT_TRUE(presenter_->Start());
        return *presenter_;
    }
    // A picture of noise, width x height at `bits` bits, in the test's folder.
    std::string Bmp(const std::string& name, int width, int height, int bits = 24) {
        const std::string file = folder_.Path(name);
        testing::PatternedBitmap(bits, width, height).SaveToFile(file);
        return file;
    }
    std::string OnlyMessage() {
        const std::string text =
            services_.messages.size() == 1 ? services_.messages[0].text : "messages: ";
        services_.messages.clear();
        return text;
    }
    std::string Information() {
        services_.messages.clear();
        presenter_->ShowInformation();
        return OnlyMessage();
    }
    std::string Stored(const std::string& key) { return testing::StoredSettings()[key]; }

    testing::TempFolder folder_;
    ProgramState state_;
    FakeServices services_;
    FakeView view_;
    FakeMethodWindow method_;
    std::unique_ptr<MainPresenter> presenter_;
};

TEST_F(MainPresenterTest, AnInstallationWithoutAnIconReaderDoesNotStart) {
    services_.formats = {"bmp", "png"};
    MainPresenter presenter(state_, services_, view_, "");
    EXPECT_FALSE(presenter.Start());
    EXPECT_EQ(OnlyMessage(), "Bit Map Slanter cannot start: its installation is damaged.\r\n"
                             "No reader for ICO pictures was found.\r\n"
                             "Please install the program again.");
    EXPECT_FALSE(view_.built);
    EXPECT_FALSE(view_.splashUp);
    EXPECT_EQ(state_.TemporaryFiles, nullptr);
}

TEST_F(MainPresenterTest, AnEnglishRunCaptionsEveryMenuAndTheSwitchOffersTheErasure) {
    Start("a.bmp /registryX /english");
    EXPECT_TRUE(view_.eraseCommand);
    EXPECT_TRUE(view_.presented);
    EXPECT_FALSE(view_.splashUp);
    EXPECT_EQ(view_.captions.size(), 14u);
    EXPECT_EQ(view_.captions["KFileOpen"], "&Open Image File ...");
    EXPECT_EQ(view_.captions["KHelpDeleteRegistry"], "Delete Registry and Quit");
    EXPECT_EQ(fs::path(state_.WorkingFile).filename(), "Temp0000.bmp");
}

TEST_F(MainPresenterTest, AJapaneseRunKeepsTheDesignedCaptionsAndSpeaksJapanese) {
    Japanese = true;
    Start("/JAPANESE");
    EXPECT_FALSE(view_.eraseCommand);
    EXPECT_TRUE(view_.captions.empty());
    presenter_->OpenFile(folder_.Path("picture.xyz"));
    EXPECT_EQ(OnlyMessage(),
              folder_.Path("picture.xyz") + " は、\r\nビットマップ画像ではありません。");
    const ConversionGuard::Running running(state_.Conversions);
    presenter_->Paste();
    EXPECT_EQ(OnlyMessage(), "変換中は、元にする画像を取り替えられません。\r\n"
                             "変換が終わってから、またはキャンセルしてから開いてください。\r\n");
}

TEST_F(MainPresenterTest, ABitmapIsCopiedShownLoadedAndRemembered) {
    MainPresenter& main = Start();
    const std::string file = Bmp("a&b.bmp", 37, 23);
    main.OpenFile(file);
    EXPECT_TRUE(services_.messages.empty());
    EXPECT_EQ(testing::ReadBytes(state_.WorkingFile), testing::ReadBytes(file));
    EXPECT_EQ(view_.shown, (TPoint{37, 23}));
    EXPECT_EQ(state_.SourceBitmap.biWidth(), 37);
    EXPECT_EQ(state_.PatternEngine.SourceWidth(), 37);
    EXPECT_EQ(state_.PatternEngine.SourceHeight(), 23);
    EXPECT_GT(state_.PatternEngine.PatternCount(), 0);
    EXPECT_EQ(state_.SourceFile, file);
    EXPECT_EQ(method_.fronts, 1);
    EXPECT_EQ(Stored("Folder/OpenPath"), file);
    EXPECT_EQ(view_.recent, Strings{"&1 " + folder_.Path("a&&b.bmp")});
    EXPECT_EQ(Information(),
              file + "\r\n\r\n37 dots in width\r\n23 dots in height\r\n16777216 colors\r\n");
    EXPECT_EQ(services_.messages.size(), 0u);
}

TEST_F(MainPresenterTest, TheOpenDialogStartsAtTheLastFileOnlyWhileItExists) {
    MainPresenter& main = Start();
    testing::StoredSettings()["Folder/OpenPath"] = folder_.Path("gone.bmp");
    main.Open();
    const std::string file = Bmp("here.bmp", 5, 4);
    services_.openAnswers.push_back(file);
    main.Open();
    main.Open();
    ASSERT_EQ(services_.openRequests.size(), 3u);
    EXPECT_EQ(services_.openRequests[0].fileName, "");
    EXPECT_EQ(services_.openRequests[1].fileName, "");
    EXPECT_EQ(services_.openRequests[2].fileName, file);
    EXPECT_EQ(services_.openRequests[2].defaultExtension, "bmp");
    EXPECT_EQ(state_.SourceFile, file);
}

TEST_F(MainPresenterTest, ABitmapOurReaderRefusesLeavesNothingToConvertButTheOptions) {
    MainPresenter& main = Start();
    const std::string first = Bmp("first.bmp", 37, 23);
    main.OpenFile(first);
    state_.PatternEngine.SetHorizontal(false);
    const std::string refused = Bmp("long.bmp", 20, 10);
    testing::Bytes bytes = testing::ReadBytes(refused);
    bytes.insert(bytes.end(), {0, 0});
    testing::WriteBytes(refused, bytes);
    main.OpenFile(refused);
    EXPECT_EQ(OnlyMessage(), refused + " has invalid format.\r\n(illegal bfSize)\r\n");
    EXPECT_EQ(view_.shown, (TPoint{0, 0})); // as a picture our reader took, it shows nothing
    EXPECT_EQ(state_.PatternEngine.PatternCount(), 0);
    EXPECT_EQ(state_.PatternEngine.SourceWidth(), 0);
    EXPECT_FALSE(state_.PatternEngine.Horizontal());
    EXPECT_EQ(state_.SourceFile, first);
    EXPECT_EQ(Information().substr(0, first.size() + 4), first + "\r\n\r\n");
}

TEST_F(MainPresenterTest, ABitmapOurReaderLeavesToDecodersBecomesAWorkingFileItTakes) {
    MainPresenter& main = Start();
    const std::string file = folder_.Path("top-down.bmp");
    testing::BmpLayout layout;
    layout.width = 2;
    layout.height = -2;
    layout.image = testing::PaddedRows({{3, 2, 1, 0, 0, 0}, {0, 0, 0, 0, 0, 0}}, 8);
    testing::WriteBytes(file, testing::BuildBmp(layout));
    main.OpenFile(file);
    EXPECT_TRUE(services_.messages.empty());
    THandyBitmap working;
    ASSERT_TRUE(working.LoadFromFile(state_.WorkingFile));
    // Stored first, the top row is row 1 of a bitmap stored from the bottom.
    EXPECT_EQ(working.GetPixelColor(0, 1), 1 | 2 << 8 | 3 << 16);
    EXPECT_EQ(state_.PatternEngine.SourceWidth(), 2);
    EXPECT_EQ(state_.SourceFile, file);
}

// The working file holds the cells laid over white; the picture the conversions read
// keeps the clear parts beside them.
TEST_F(MainPresenterTest, ATransparentPictureKeepsItsClearPartsForTheConversions) {
    MainPresenter& main = Start();
    main.OpenFile(std::string(SLANTER_FIXTURES_DIR) + "/kept/transparent.png");
    EXPECT_TRUE(services_.messages.empty());
    EXPECT_TRUE(state_.SourceBitmap.Kept().HasAlpha());
    EXPECT_EQ(state_.SourceBitmap.Kept().Width(), 24);
}

#ifndef _WIN32
// The Windows Imaging Component gives no profile it finds malformed, so there is nothing
// to tell there.
TEST_F(MainPresenterTest, AMalformedProfileIsDroppedWithAMessage) {
    MainPresenter& main = Start();
    const std::string file = std::string(SLANTER_FIXTURES_DIR) + "/kept/bad-profile.png";
    main.OpenFile(file);
    EXPECT_EQ(OnlyMessage(), "The colour profile of " + file +
                                 "\r\nis malformed; the picture was opened without it.\r\n");
    EXPECT_EQ(state_.SourceFile, file);
    EXPECT_TRUE(state_.SourceBitmap.Kept().Profile().empty());
}
#endif

TEST_F(MainPresenterTest, ADamagedPictureGivesTheDecodersReasonAndAMissingOneCantBeCopied) {
    MainPresenter& main = Start();
    const std::string first = Bmp("first.bmp", 37, 23);
    main.OpenFile(first);
    const std::string broken = std::string(SLANTER_FIXTURES_DIR) + "/picture-corpus/short.png";
    main.OpenFile(broken);
    const std::string text = OnlyMessage();
    EXPECT_EQ(text.rfind(broken + " has invalid format.\r\n(", 0), 0u) << text;
    EXPECT_GT(text.size(), broken.size() + 26);
    main.OpenFile(folder_.Path("gone.png"));
    EXPECT_EQ(OnlyMessage(), "Can't copy " + folder_.Path("gone.png") + ".\r\n");
    EXPECT_EQ(state_.PatternEngine.SourceWidth(), 37);
    EXPECT_EQ(state_.SourceFile, first);
}

TEST_F(MainPresenterTest, APictureThePlatformCannotShowEndsInTheErrorBoxAndChangesNothing) {
    MainPresenter& main = Start();
    const std::string first = Bmp("first.bmp", 37, 23);
    main.OpenFile(first);
    view_.platformReason = "Unsupported image format";
    main.OpenFile(Bmp("second.bmp", 50, 20));
    services_.iconWriter = [this](const std::string&, const std::string& bmp, bool) {
        return testing::PatternedBitmap(24, 32, 32).SaveToFile(bmp) ? "" : "?";
    };
    main.OpenFile(folder_.Path("icon.ico"));
    EXPECT_EQ(services_.generalErrors,
              (Strings{folder_.Path("second.bmp") + "\r\nUnsupported image format",
                       folder_.Path("icon.ico") + "\r\nUnsupported image format"}));
    EXPECT_EQ(state_.SourceBitmap.biWidth(), 37);
    EXPECT_EQ(state_.PatternEngine.SourceWidth(), 37);
    EXPECT_EQ(state_.SourceFile, first);
}

TEST_F(MainPresenterTest, IconsOpenAsThePlatformDrawsThemAndAnUnreadableOneIsAnError) {
    MainPresenter& main = Start();
    services_.iconWriter = [](const std::string&, const std::string& bmp, bool) {
        return testing::PatternedBitmap(24, 32, 32).SaveToFile(bmp) ? "" : "?";
    };
    const std::string icon = folder_.Path("ICON.ICO");
    main.OpenFile(icon);
    EXPECT_TRUE(services_.messages.empty());
    EXPECT_EQ(state_.PatternEngine.SourceWidth(), 32);
    EXPECT_EQ(Stored("Folder/OpenPath"), icon);
    services_.iconWriter = nullptr; // the fake's icons cannot be read
    main.OpenFile(folder_.Path("other.ico"));
    EXPECT_EQ(services_.generalErrors, Strings{folder_.Path("other.ico") + "\r\nno icon"});
    EXPECT_EQ(state_.SourceFile, icon);
}

// The platform lays an icon over a background; drawn over black too, its clear parts
// show, and they stay clear in the picture.
TEST_F(MainPresenterTest, AnIconsClearPartsAreKeptFromItsDrawingOverBlack) {
    MainPresenter& main = Start();
    services_.iconWriter = [](const std::string&, const std::string& bmp, bool onWhite) {
        THandyBitmap drawn = testing::PatternedBitmap(24, 32, 32);
        drawn.SetPixelColor(3, 4, onWhite ? 0xFFFFFF : 0);
        return drawn.SaveToFile(bmp) ? "" : "?";
    };
    main.OpenFile(folder_.Path("clear.ico"));
    ASSERT_TRUE(state_.SourceBitmap.Kept().HasAlpha());
    EXPECT_EQ(KeptChannel(state_.SourceBitmap.Kept().Pixels()[4 * 32 + 3], 3), 0u);
    EXPECT_EQ(KeptChannel(state_.SourceBitmap.Kept().Pixels()[0], 3), 255u);
    EXPECT_FALSE(fs::exists(state_.WorkingFile + ".black"));
}

TEST_F(MainPresenterTest, AnythingElseIsNoBitmapAndLeavesTheLastFolderAlone) {
    MainPresenter& main = Start();
    const std::string text = folder_.Path("picture.bmp.txt");
    testing::WriteBytes(text, {1});
    main.OpenFile(text);
    EXPECT_EQ(OnlyMessage(), text + "\r\n is not a Bitmap Image file.");
    EXPECT_EQ(testing::StoredSettings().count("Folder/OpenPath"), 0u);
    EXPECT_FALSE(fs::exists(state_.WorkingFile));
    EXPECT_EQ(Information(), "No Image file has been opened yet.\r\n"
                             "Open an Image file first, using \"File\" menu.\r\n");
}

TEST_F(MainPresenterTest, AnUnwritableTemporaryFolderGivesTheCantCopyMessageAndChangesNothing) {
    MainPresenter& main = Start();
    main.OpenFile(Bmp("first.bmp", 37, 23));
    // The working file in a folder that is not there: nothing can be written.
    state_.WorkingFile = folder_.Path("gone") + testing::TempFolder::kSeparator + "Temp0000.bmp";
    const std::string wide = Bmp("wide.bmp", 150, 40);
    main.OpenFile(wide);
    EXPECT_EQ(OnlyMessage(), "Can't copy " + wide + ".\r\n");
    services_.iconWriter = [](const std::string&, const std::string&, bool) {
        return std::string(kBmpFileNotWritten);
    };
    main.OpenFile(folder_.Path("icon.ico"));
    EXPECT_EQ(OnlyMessage(), "Can't copy " + folder_.Path("icon.ico") + ".\r\n");
    services_.clipboardFile = wide;
    main.Paste();
    EXPECT_EQ(OnlyMessage(), "Can't copy Image from Clip Board.\r\n");
    EXPECT_EQ(state_.PatternEngine.SourceWidth(), 37);
    EXPECT_EQ(state_.SourceBitmap.biWidth(), 37);
    EXPECT_EQ(view_.shown, (TPoint{37, 23}));
}

TEST_F(MainPresenterTest, TheClipboardsPictureBecomesTheWorkingFileWithoutAFileName) {
    MainPresenter& main = Start();
    main.Paste();
    EXPECT_EQ(OnlyMessage(), "No Bitmap Image in Clip Board.");
    EXPECT_FALSE(fs::exists(state_.WorkingFile));
    main.OpenFile(Bmp("first.bmp", 37, 23));
    services_.clipboardFile = Bmp("clip.bmp", 120, 30);
    main.Paste();
    EXPECT_EQ(state_.PatternEngine.SourceWidth(), 120);
    EXPECT_EQ(state_.SourceFile, "");
    EXPECT_EQ(view_.recent.size(), 1u);
    EXPECT_EQ(Information(), "Image from Clip Board\r\n\r\n120 dots in width\r\n"
                             "30 dots in height\r\n16777216 colors\r\n");
}

TEST_F(MainPresenterTest, NothingReplacesThePictureWhileAConversionReadsIt) {
    MainPresenter& main = Start();
    main.OpenFile(Bmp("first.bmp", 37, 23));
    const std::string wide = Bmp("wide.bmp", 150, 40);
    services_.clipboardFile = wide;
    services_.sizeAnswer = TPoint{10, 10};
    const std::string refusal = "The image can't be replaced while it is being converted.\r\n"
                                "Open another one when the conversion has finished or is "
                                "cancelled.\r\n";
    {
        const ConversionGuard::Running running(state_.Conversions);
        main.Open();
        EXPECT_EQ(OnlyMessage(), refusal);
        main.OpenDropped({wide});
        EXPECT_EQ(OnlyMessage(), refusal);
        main.Paste();
        EXPECT_EQ(OnlyMessage(), refusal);
        main.ResizePicture();
        EXPECT_EQ(OnlyMessage(), refusal);
        main.OpenRecent(0);
        EXPECT_EQ(OnlyMessage(), refusal);
        EXPECT_TRUE(services_.openRequests.empty());
        EXPECT_EQ(state_.SourceBitmap.biWidth(), 37);
    }
    main.OpenDropped({wide, folder_.Path("first.bmp")});
    EXPECT_EQ(state_.SourceFile, wide);
}

TEST_F(MainPresenterTest, ClosingDuringAConversionStopsItFirstThenFreesEverything) {
    MainPresenter& main = Start();
    main.OpenFile(Bmp("first.bmp", 37, 23));
    const fs::path runFolder = fs::path(state_.WorkingFile).parent_path();
    {
        const ConversionGuard::Running running(state_.Conversions);
        EXPECT_EQ(main.Close(), MainPresenter::CloseAnswer::Wait);
        EXPECT_TRUE(state_.Conversions.StopRequested());
        EXPECT_EQ(view_.laterCloses, 0);
        EXPECT_EQ(state_.SourceBitmap.biWidth(), 37);
    }
    EXPECT_EQ(view_.laterCloses, 1);
    EXPECT_EQ(main.Close(), MainPresenter::CloseAnswer::Closed);
    EXPECT_EQ(method_.closes, 1);
    EXPECT_EQ(view_.placementsSaved, 1);
    EXPECT_FALSE(view_.presented);
    EXPECT_FALSE(fs::exists(runFolder));
    EXPECT_EQ(state_.SourceBitmap.biWidth(), 0);
    EXPECT_EQ(main.Close(), MainPresenter::CloseAnswer::AlreadyClosed);
    EXPECT_EQ(method_.closes, 1);
}

TEST_F(MainPresenterTest, TheRecentFilesKeepTheLastEightNewestFirst) {
    MainPresenter& main = Start();
    Strings names;
    for (int k = 0; k < 9; ++k) {
        names.insert(names.begin(), Bmp(std::to_string(k) + ".bmp", 3, 2));
        main.OpenFile(names.front());
    }
    names.resize(8);
    EXPECT_EQ(main.RecentFiles(), names);
    EXPECT_EQ(Stored("RecentFiles/Count"), "8");
    EXPECT_EQ(Stored("RecentFiles/File8"), names[7]);
    ASSERT_EQ(view_.recent.size(), 8u);
    EXPECT_EQ(view_.recent[7], "&8 " + names[7]);
    main.OpenRecent(2);
    EXPECT_EQ(main.RecentFiles()[0], names[2]);
    EXPECT_EQ(state_.SourceFile, names[2]);
}

TEST_F(MainPresenterTest, ARecentFileThatIsGoneIsTakenOffWithAMessage) {
    MainPresenter& main = Start();
    const std::string first = Bmp("first.bmp", 3, 2);
    const std::string second = Bmp("second.bmp", 5, 2);
    main.OpenFile(first);
    main.OpenFile(second);
    fs::remove(first);
    main.OpenRecent(1);
    EXPECT_EQ(OnlyMessage(), first + "\r\n can't be found.\r\n"
                                     "It has been taken off the list of recent files.\r\n");
    EXPECT_EQ(main.RecentFiles(), Strings{second});
    EXPECT_EQ(view_.recent, Strings{"&1 " + second});
    EXPECT_EQ(state_.PatternEngine.SourceWidth(), 5);
}

TEST_F(MainPresenterTest, TheSizeCommandWorksFromThePictureAsOpened) {
    MainPresenter& main = Start();
    services_.sizeAnswer = TPoint{10, 10};
    main.ResizePicture();
    EXPECT_EQ(OnlyMessage().substr(0, 27), "No Image file has been open");
    const std::string file = Bmp("narrow.bmp", 30, 20, 8);
    const testing::Bytes before = testing::ReadBytes(file);
    main.OpenFile(file);
    THandyBitmap opened;
    ASSERT_TRUE(opened.LoadFromFile(file));

    services_.sizeAnswer = TPoint{12, 8};
    main.ResizePicture();
    THandyBitmap expected;
    ASSERT_TRUE(AreaResize(opened, 12, 8, expected));
    EXPECT_EQ(state_.SourceBitmap.GetPixelColor(11, 7), expected.GetPixelColor(11, 7));
    EXPECT_EQ(state_.PatternEngine.SourceWidth(), 12);
    EXPECT_EQ(Information(), file + "\r\n\r\n12 dots in width\r\n8 dots in height\r\n"
                                    "16777216 colors\r\n(resized from 30 x 20 dots)\r\n");
    // Again from the picture as opened, not from the small one.
    services_.sizeAnswer = TPoint{60, 40};
    main.ResizePicture();
    ASSERT_TRUE(AreaResize(opened, 60, 40, expected));
    EXPECT_EQ(state_.SourceBitmap.GetPixelColor(59, 39), expected.GetPixelColor(59, 39));
    // Its own size brings it back as it was; the file opened never changes.
    services_.sizeAnswer = TPoint{30, 20};
    main.ResizePicture();
    EXPECT_EQ(testing::ReadBytes(state_.WorkingFile), before);
    EXPECT_EQ(testing::ReadBytes(file), before);
    EXPECT_EQ(Information().find("resized"), std::string::npos);
    services_.sizeAnswer = TPoint{100000, 100000};
    main.ResizePicture();
    EXPECT_EQ(OnlyMessage(), "A picture of 100000 x 100000 dots is too large to work with.\r\n");
    EXPECT_EQ(state_.SourceBitmap.biWidth(), 30);
}

TEST_F(MainPresenterTest, EraseSettingsLeavesNothingStoredAndCloses) {
    MainPresenter& main = Start("/REGISTRY");
    main.OpenFile(Bmp("first.bmp", 3, 2));
    main.EraseSettings();
    EXPECT_TRUE(testing::StoredSettings().empty());
    EXPECT_EQ(view_.closeRequests, 1);
    main.Close();
    EXPECT_TRUE(testing::StoredSettings().empty());
}

TEST_F(MainPresenterTest, TheHelpMenuAndExitReachTheirServices) {
    MainPresenter& main = Start();
    HelpFileName = Bmp("SlanterE.html", 1, 1); // any file: the help viewer is a fake
    main.ShowHelp();
    main.ShowVersion();
    main.ShowCopyright();
    main.ShowMethodWindow();
    main.Exit();
    EXPECT_EQ(services_.helpShown + services_.versionShown + services_.copyrightShown, 3);
    EXPECT_EQ(method_.fronts, 1);
    EXPECT_EQ(view_.closeRequests, 1);
}

TEST_F(MainPresenterTest, AMissingHelpFileIsReportedAndNotOpened) {
    MainPresenter& main = Start();
    HelpFileName = folder_.Path("SlanterE.html");
    main.ShowHelp();
    EXPECT_EQ(services_.helpShown, 0);
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(services_.messages[0].text, folder_.Path("SlanterE.html") + " is not found.");
    EXPECT_EQ(services_.messages[0].flags, kWarningBox);
    EXPECT_EQ(services_.messages[0].caption, "");
}

TEST_F(MainPresenterTest, EachEntryOfTheDesignedMenusRunsACommand) {
    Start();
    // The designed form has four menus and ten entries, each captioned in English.
    for (const MainCommand& command : MainMenuCommands())
        EXPECT_EQ(view_.captions.count(std::string(command.item)), 1u) << command.item;
    EXPECT_EQ(MainMenuCommands().size(), view_.captions.size() - 4);
}

} // namespace
} // namespace slanter
