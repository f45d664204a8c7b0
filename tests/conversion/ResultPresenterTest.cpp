#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bitmap/HandyBitmap.h"
#include "conversion/ResultPresenter.h"
#include "conversion/ResultView.h"
#include "conversion/ResultZoom.h"
#include "conversion/TileFill.h"
#include "shell/DesktopWallpaper.h"
#include "shell/General.h"
#include "shell/MessageFlags.h"
#include "shell/SettingsStore.h"
#include "support/FakeResultView.h"
#include "support/FakeServices.h"
#include "support/FullDisk.h"
#include "support/MemorySettings.h"
#include "support/PatternedBitmap.h"
#include "support/TempFolder.h"
#include "tests/cli/CliRun.h"

namespace slanter {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::ReadBytes;
using Window = testing::ResultWindowFakes;
constexpr char kSeparator = testing::TempFolder::kSeparator;

class ResultPresenterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Japanese = false;
        SettingsWritable = true;
        testing::StoredSettings().clear();
        state_.TemporaryFiles = std::make_unique<TemporaryPictures>(folder_.Path());
        ASSERT_FALSE(state_.TemporaryFiles->Folder().empty());
        state_.WorkingFile = state_.TemporaryFiles->WorkingFileName();
        state_.PatternEngine.SetSortOnAngle(false);
    }
    void TearDown() override {
        windows_.clear();
        Japanese = false;
    }

    // Opens `picture` as the main window does, from a file of the user's.
    void Open(THandyBitmap picture) {
        state_.TemporaryFiles->Writing(state_.WorkingFile);
        ASSERT_TRUE(picture.SaveToFile(state_.WorkingFile)) << picture.ErrorText();
        ASSERT_TRUE(state_.SourceBitmap.LoadFromFile(state_.WorkingFile));
        state_.PatternEngine.SetSourceSize(
            {state_.SourceBitmap.biWidth(), state_.SourceBitmap.biHeight()});
        state_.SourceFile = folder_.Path("pictures") + kSeparator + "photo.bmp";
    }
    void Select(int index) {
        state_.PatternEngine.SetPatternIndex(index);
        ASSERT_EQ(state_.PatternEngine.PatternIndex(), index);
    }
    Window& NewWindow() {
        windows_.push_back(std::make_unique<Window>(state_));
        return *windows_.back();
    }
    Window& Converted(std::int32_t number, bool smoothing = false) {
        Window& window = NewWindow();
        window.presenter.Convert(number, smoothing);
        return window;
    }
    // A result of 107 x 8, the first pattern by angle of a 12 x 8 picture.
    Window& WideResult() {
        state_.PatternEngine.SetSortOnAngle(true);
        Open(testing::PatternedBitmap(8, 12, 8));
        Select(0);
        EXPECT_EQ(state_.PatternEngine.PatternSize(0), (TPoint{107, 8}));
        return Converted(1);
    }
    std::string Temporary(const std::string& name) const {
        return state_.TemporaryFiles->FileName(name);
    }
    std::vector<std::string> TemporaryNames() const {
        std::vector<std::string> names;
        // The pictures only, not the run's lock.
        for (const auto& entry : fs::directory_iterator(state_.TemporaryFiles->Folder()))
            if (entry.path().extension() == ".bmp")
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // What slanter-cli writes for the selected pattern (by area) of the working file.
    Bytes CliResult(const std::string& name, bool smoothing) {
        const std::string output = folder_.Path(name);
        cli::Arguments words{"convert",   state_.WorkingFile,
                             output,      "--sort=area",
                             "--pattern", std::to_string(state_.PatternEngine.PatternIndex())};
        if (smoothing)
            words.push_back("--smooth");
        EXPECT_EQ(cli::RunWords(words).code, 0);
        return ReadBytes(output);
    }

    testing::TempFolder folder_;
    ProgramState state_;
    std::vector<std::unique_ptr<Window>> windows_;
};

TEST_F(ResultPresenterTest, TheResultFileHoldsTheBytesTheCommandLineWritesAtEveryDepth) {
    for (const int depth : {1, 4, 8, 16, 24}) {
        for (const bool smoothing : {false, true}) {
            SCOPED_TRACE(std::to_string(depth) + (smoothing ? " bits smoothed" : " bits"));
            Open(testing::PatternedBitmap(depth, 40, 30));
            Select(0);
            Window& window = Converted(1, smoothing);
            ASSERT_TRUE(window.services.messages.empty()) << window.services.LastMessage();
            EXPECT_EQ(window.presenter.ResultFile(), Temporary("Temp0001.bmp"));
            EXPECT_EQ(ReadBytes(window.presenter.ResultFile()), CliResult("cli.bmp", smoothing));
            // Closed, so that the next run may take its name again.
            window.view.CloseWindow();
        }
    }
}

TEST_F(ResultPresenterTest, AFinishedRunShowsThePictureInViewOneAtFullSize) {
    Open(testing::PatternedBitmap(8, 40, 30));
    Select(0);
    Window& window = NewWindow();
    window.services.meanwhile = [&] {
        EXPECT_TRUE(window.view.progressPanel);
        EXPECT_FALSE(window.view.resultArea);
        EXPECT_TRUE(state_.Conversions.Runs());
    };
    window.presenter.Convert(1, false);
    EXPECT_GT(window.services.pendingMessageRuns, 0);
    EXPECT_TRUE(window.view.resultArea);
    EXPECT_FALSE(window.view.closed);
    // 72 x 32, the first pattern of a 40 x 30 picture by area.
    EXPECT_EQ(window.view.laidOut, 1);
    EXPECT_EQ(window.view.shown, (TPoint{72, 32}));
    EXPECT_TRUE(window.view.windowSized);
    EXPECT_EQ(window.view.Ticked(), (std::vector<std::string>{"KView1", "KView100"}));
    EXPECT_FALSE(state_.Conversions.Runs());
}

TEST_F(ResultPresenterTest, TheCaptionCarriesTheSerialNumberInEitherLanguage) {
    Open(testing::PatternedBitmap(24, 12, 8));
    Select(0);
    EXPECT_EQ(Converted(3).view.caption, "Converted(3)");
    Japanese = true;
    Window& japanese = NewWindow();
    japanese.view.caption = "完成画像";
    japanese.presenter.Convert(4, false);
    EXPECT_EQ(japanese.view.caption, "完成画像(4)");
    EXPECT_EQ(japanese.presenter.ResultFile(), Temporary("Temp0004.bmp"));
}

TEST_F(ResultPresenterTest, TwoColumnsShowNoughtThenAHundredPercentWithTheirEstimates) {
    // A 2 x 2 picture's first pattern by area is a 2 x 2 tile.
    Open(testing::PatternedBitmap(24, 2, 2));
    Select(0);
    ASSERT_EQ(state_.PatternEngine.PatternSize(0), (TPoint{2, 2}));
    Window& window = NewWindow();
    // Each reading of the clock is a second after the one before.
    double day = 45000.0;
    window.presenter.SetClock([&] { return day += 1.0 / 86400; });
    window.presenter.Convert(1, false);
    EXPECT_EQ(window.view.progress, (std::vector<std::string>{"0% Finish in about 1 seconds",
                                                              "100% Finish in about 0 seconds"}));
    EXPECT_EQ(window.view.bar, 100);
}

TEST_F(ResultPresenterTest, CancelDuringAColumnStopsBeforeTheNextWritesNothingAndCloses) {
    Open(testing::PatternedBitmap(24, 12, 8));
    Select(0);
    Window& window = NewWindow();
    int calls = 0;
    window.services.meanwhile = [&] {
        if (calls++ == 6)
            window.presenter.Cancel();
    };
    window.presenter.Convert(1, false);
    EXPECT_EQ(calls, 7);
    EXPECT_TRUE(window.presenter.CancelRequested());
    EXPECT_TRUE(window.view.closed);
    EXPECT_EQ(TemporaryNames(), (std::vector<std::string>{"Temp0000.bmp"}));
    EXPECT_TRUE(window.services.messages.empty());
    EXPECT_FALSE(state_.Conversions.Runs());
}

TEST_F(ResultPresenterTest, EscWhileTheResultFileIsWrittenCancelsTheRunAndLeavesNoFile) {
    Open(testing::PatternedBitmap(24, 12, 8));
    Select(0);
    Window& window = NewWindow();
    const int columns = state_.PatternEngine.PatternSize(0).X;
    int calls = 0;
    window.services.meanwhile = [&] {
        if (++calls > columns)
            window.presenter.Cancel();
    };
    window.presenter.Convert(1, false);
    EXPECT_GT(calls, columns); // the write let events run
    EXPECT_TRUE(window.view.closed);
    EXPECT_FALSE(window.view.resultArea);
    EXPECT_EQ(TemporaryNames(), (std::vector<std::string>{"Temp0000.bmp"}));
    EXPECT_TRUE(window.services.messages.empty());
}

TEST_F(ResultPresenterTest, ClosedDuringTheRunTheRunGoesOnAndItsFileGoesAfter) {
    Open(testing::PatternedBitmap(24, 12, 8));
    Select(0);
    Window& window = NewWindow();
    int calls = 0;
    window.services.meanwhile = [&] {
        if (calls++ == 2)
            window.view.CloseWindow();
    };
    window.presenter.Convert(1, false);
    // Once a column, and meanwhile the result file is written.
    EXPECT_GE(calls, state_.PatternEngine.PatternSize(0).X);
    EXPECT_FALSE(window.presenter.InfoText().empty());
    EXPECT_FALSE(window.view.resultArea);
    EXPECT_TRUE(window.view.released);
    EXPECT_EQ(TemporaryNames(), (std::vector<std::string>{"Temp0000.bmp"}));
}

TEST_F(ResultPresenterTest, AStopAskedForByTheProgramCancelsTheRunAndThenRunsWhatWaited) {
    Open(testing::PatternedBitmap(24, 12, 8));
    Select(0);
    Window& window = NewWindow();
    int calls = 0;
    int followed = 0;
    window.services.meanwhile = [&] {
        if (calls++ == 3)
            state_.Conversions.Stop([&] { ++followed; });
    };
    window.presenter.Convert(1, false);
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(followed, 1);
    EXPECT_TRUE(window.view.closed);
    EXPECT_EQ(TemporaryNames(), (std::vector<std::string>{"Temp0000.bmp"}));
}

TEST_F(ResultPresenterTest, AResultFileThatCannotBeWrittenEndsTheRunWithAMessage) {
    Open(testing::PatternedBitmap(24, 12, 8));
    Select(0);
    // A folder where the result file should go.
    fs::create_directory(Temporary("Temp0001.bmp"));
    Window& window = Converted(1);
    ASSERT_EQ(window.services.messages.size(), 1u);
    EXPECT_EQ(window.services.LastMessage(), "Can't write the converted image to " +
                                                 Temporary("Temp0001.bmp") +
                                                 ".\r\n(it is a folder, not a regular file)\r\n");
    EXPECT_EQ(window.services.messages[0].flags, kWarningBox);
    EXPECT_TRUE(window.view.closed);
    EXPECT_FALSE(window.view.resultArea);
    EXPECT_FALSE(state_.Conversions.Runs());
}

#ifndef _WIN32
// No partial file is left behind, not even until the program ends.
TEST_F(ResultPresenterTest, AResultFileOnAFullDiskSaysWhyAndLeavesNothing) {
    Open(testing::PatternedBitmap(24, 60, 40));
    Select(0);
    testing::FullDisk full(state_.TemporaryFiles->Folder(), 1000);
    full.Fill();
    Window& window = Converted(1);
    EXPECT_EQ(window.services.LastMessage(), "Can't write the converted image to " +
                                                 Temporary("Temp0001.bmp") + ".\r\n(" +
                                                 full.Reason() + ")\r\n");
    for (const std::string& name : TemporaryNames())
        EXPECT_TRUE(name == "filler" || name == "Temp0000.bmp") << name;
}
#endif

TEST_F(ResultPresenterTest, AResultFileThatCannotBeReadBackEndsTheRunWithAMessage) {
    Open(testing::PatternedBitmap(24, 60, 40));
    Select(0);
    Window& window = NewWindow();
    window.view.readError = "out of memory";
    window.presenter.Convert(1, false);
    EXPECT_EQ(window.services.LastMessage(), "Can't read the converted image back from " +
                                                 Temporary("Temp0001.bmp") +
                                                 ".\r\n(out of memory)\r\n");
    EXPECT_TRUE(window.view.closed);
}

TEST_F(ResultPresenterTest, ATileBeyondOneHundredMillionBytesIsConvertedNotRefused) {
    Open(testing::PatternedBitmap(24, 4, 4));
    // The engine's picture size alone decides the tile: 9874 x 7291 at 24 bits.
    state_.PatternEngine.SetSourceSize({3000, 3000});
    Select(7);
    ASSERT_EQ(state_.PatternEngine.PatternSize(7), (TPoint{9874, 7291}));
    Window& window = NewWindow();
    window.services.meanwhile = [&] { window.presenter.Cancel(); };
    window.presenter.Convert(1, false);
    EXPECT_GE(window.services.pendingMessageRuns, 1);
    EXPECT_TRUE(window.services.messages.empty());
    EXPECT_EQ(TemporaryNames(), (std::vector<std::string>{"Temp0000.bmp"}));
}

TEST_F(ResultPresenterTest, FromTheTenThousandthConversionNoNeededFileIsOverwritten) {
    Open(testing::PatternedBitmap(24, 12, 8));
    Select(0);
    const Bytes working = ReadBytes(state_.WorkingFile);
    Window& first = Converted(1);
    const Bytes firstResult = ReadBytes(first.presenter.ResultFile());
    // Another pattern, so that an overwrite would show.
    Select(1);
    Window& later = Converted(10000);
    EXPECT_EQ(later.presenter.ResultFile(), Temporary("Temp0002.bmp"));
    EXPECT_EQ(ReadBytes(state_.WorkingFile), working);
    EXPECT_EQ(ReadBytes(first.presenter.ResultFile()), firstResult);
    // Once the first window is closed its name is free again.
    first.view.CloseWindow();
    EXPECT_EQ(Converted(10001).presenter.ResultFile(), Temporary("Temp0001.bmp"));
}

TEST_F(ResultPresenterTest, TheInformationNamesTheResultsSizeAndColoursInBothLanguages) {
    Open(testing::PatternedBitmap(8, 12, 8));
    Select(0); // 22 x 8
    Window& english = Converted(1, true);
    english.presenter.ShowInformation();
    ASSERT_EQ(english.services.messages.size(), 1u);
    EXPECT_EQ(english.services.messages[0].text,
              "Horizontal\r\nRight Up\r\nSmoothing On\r\n\r\n22 dots in width\r\n8 dots in "
              "height\r\n16777216 colors\r\n");
    EXPECT_EQ(english.services.messages[0].flags, kInformationBox);
    EXPECT_EQ(english.services.messages[0].caption, "Bitmap Information");
    Japanese = true;
    state_.PatternEngine.SetRightUp(false);
    Window& japanese = Converted(2);
    japanese.presenter.ShowInformation();
    EXPECT_EQ(japanese.services.LastMessage(), "横ならび\r\n左上がり\r\nスムージングしない\r\n\r\n"
                                               "幅 22ドット\r\n高さ 8ドット\r\n256色\r\n");
    EXPECT_EQ(japanese.services.messages[0].caption, "ビットマップの情報");
}

TEST_F(ResultPresenterTest, ClosingTheWindowDeletesItsResultFile) {
    Window& window = WideResult();
    ASSERT_TRUE(fs::exists(window.presenter.ResultFile()));
    window.view.CloseWindow();
    EXPECT_FALSE(fs::exists(window.presenter.ResultFile()));
    EXPECT_TRUE(window.view.released);
}

TEST_F(ResultPresenterTest, ClosedWhileSavingItsFileStaysNeededUntilTheSaveEnds) {
    Window& window = WideResult();
    const std::string file = window.presenter.ResultFile();
    const Bytes result = ReadBytes(file);
    bool neededMeanwhile = false;
    window.services.beforeWork = [&](BackgroundControl&) {
        window.view.CloseWindow();
        neededMeanwhile = fs::exists(file) && window.presenter.NeedsResultFile(file);
    };
    window.presenter.SaveResultAs(folder_.Path("saved.bmp"));
    EXPECT_TRUE(neededMeanwhile);
    EXPECT_EQ(ReadBytes(folder_.Path("saved.bmp")), result);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_FALSE(window.presenter.NeedsResultFile(file));
}

TEST_F(ResultPresenterTest, SaveAsFirstOpensInThePicturesFolderThenWhereTheLastSaveWent) {
    Window& window = WideResult();
    fs::create_directory(folder_.Path("pictures"));
    window.services.saveAnswers.push_back(folder_.Path("saved.png"));
    window.presenter.SaveAs();
    window.presenter.SaveAs(); // cancelled
    ASSERT_EQ(window.services.saveRequests.size(), 2u);
    const FileDialogRequest& first = window.services.saveRequests[0];
    EXPECT_EQ(first.folder, folder_.Path("pictures") + kSeparator);
    EXPECT_EQ(first.filter,
              "Bitmap Files (*.bmp)|*.bmp|PNG Files (*.png)|*.png|All Files (*.*)|*.*");
    // photo.bmp's first pattern by angle, 4.26 degrees as `patterns 12 8` lists it.
    EXPECT_EQ(first.fileName, "photo-4.26deg.bmp");
    EXPECT_EQ(first.defaultExtension, "bmp");
    // The next save offers the folder and the format the last one went to.
    EXPECT_EQ(window.services.saveRequests[1].folder, folder_.Path() + kSeparator);
    EXPECT_EQ(window.services.saveRequests[1].fileName, "photo-4.26deg.png");
    EXPECT_EQ(window.services.saveRequests[1].defaultExtension, "png");
    EXPECT_TRUE(window.services.messages.empty());
}

TEST_F(ResultPresenterTest, SaveAsRunsInTheBackgroundWithProgressAndCancelKeepsTheOldFile) {
    Window& window = WideResult();
    const std::string target = folder_.Path("saved.png");
    testing::WriteBytes(target, {'o', 'l', 'd'});
    window.services.beforeWork = [&](BackgroundControl& control) {
        EXPECT_FALSE(window.view.saveAsOffered);
        window.presenter.SaveAs(); // no second save meanwhile
        control.cancelled = true;
    };
    window.presenter.SaveResultAs(target);
    EXPECT_EQ(window.services.backgroundRuns, 1);
    EXPECT_TRUE(window.services.saveRequests.empty());
    EXPECT_EQ(ReadBytes(target), (Bytes{'o', 'l', 'd'}));
    EXPECT_TRUE(window.services.messages.empty());
    EXPECT_EQ(ReadSetting("Folder", "SavePath", "").Text(), "");
    EXPECT_TRUE(window.view.saveAsOffered);
}

TEST_F(ResultPresenterTest, EscDuringASaveStopsItAndKeepsTheOldFile) {
    Window& window = WideResult();
    EXPECT_FALSE(window.presenter.Escape()); // nothing goes on
    const std::string target = folder_.Path("saved.bmp");
    testing::WriteBytes(target, {'o', 'l', 'd'});
    window.services.beforeWork = [&](BackgroundControl&) {
        EXPECT_TRUE(window.presenter.Escape());
    };
    window.presenter.SaveResultAs(target);
    EXPECT_EQ(ReadBytes(target), (Bytes{'o', 'l', 'd'}));
    EXPECT_TRUE(window.services.messages.empty());
    // The next save is not stopped by the last one's Esc.
    window.services.beforeWork = {};
    window.presenter.SaveResultAs(target);
    EXPECT_EQ(ReadBytes(target), ReadBytes(window.presenter.ResultFile()));
}

TEST_F(ResultPresenterTest, SetAsWallpaperSavesAPngUnderANewNameAndSetsIt) {
    Window& window = WideResult();
    fs::create_directory(folder_.Path("mine"));
    window.services.picturesFolder = folder_.Path("mine") + kSeparator;
    const std::string first = folder_.Path("mine") + kSeparator + "photo-4.26deg.png";
    testing::WriteBytes(first, {'o', 'l', 'd'});
    window.presenter.SetAsWallpaper();
    const std::string second = folder_.Path("mine") + kSeparator + "photo-4.26deg-2.png";
    ASSERT_EQ(window.services.wallpapers, std::vector<std::string>{second});
    EXPECT_EQ(ReadBytes(first), (Bytes{'o', 'l', 'd'}));
    EXPECT_TRUE(window.services.messages.empty());
    // Where no desktop takes it, the message names the saved file.
    window.services.wallpaperAnswer = std::string(kNoKnownDesktop);
    window.presenter.SetAsWallpaper();
    EXPECT_NE(window.services.LastMessage().find("photo-4.26deg-3.png"), std::string::npos);
    // The save dialog's folder and format stay the user's own.
    EXPECT_EQ(ReadSetting("Folder", "SavePath", "").Text(), "");
    // The PNG file is what Save As writes.
    window.presenter.SaveResultAs(folder_.Path("saved.png"));
    EXPECT_EQ(ReadBytes(second), ReadBytes(folder_.Path("saved.png")));
}

// The screen's size offered first, the name telling the size, and the picture the tile
// laid from its top-left corner.
TEST_F(ResultPresenterTest, AWallpaperOfTheSizeChosenIsTheResultLaidFromItsCorner) {
    Window& window = WideResult();
    window.services.screenSize = {64, 36};
    window.services.sizeAnswer = TPoint{150, 20};
    window.services.saveAnswers.push_back(folder_.Path("wall.bmp"));
    window.presenter.SaveWallpaperOfSize();
    ASSERT_EQ(window.services.saveRequests.size(), 1u);
    EXPECT_EQ(window.services.saveRequests[0].fileName, "photo-4.26deg-150x20.bmp");
    EXPECT_EQ(window.services.sizesAsked,
              (std::vector<std::pair<TPoint, TPoint>>{{TPoint{64, 36}, TPoint{64, 36}}}));
    THandyBitmap tile, wall, expected;
    ASSERT_TRUE(tile.LoadFromFile(window.presenter.ResultFile()));
    ASSERT_TRUE(wall.LoadFromFile(folder_.Path("wall.bmp")));
    ASSERT_TRUE(FillWithTile(tile, 150, 20, expected));
    ASSERT_TRUE(expected.SaveToFile(folder_.Path("expected.bmp")));
    EXPECT_EQ(ReadBytes(folder_.Path("wall.bmp")), ReadBytes(folder_.Path("expected.bmp")));
}

TEST_F(ResultPresenterTest, SaveAsPngWritesWhatTheCommandLineWrites) {
    for (const bool smoothing : {false, true}) {
        SCOPED_TRACE(smoothing ? "smoothed" : "plain");
        Open(testing::PatternedBitmap(8, 12, 8));
        Select(0);
        Window& window = Converted(smoothing ? 2 : 1, smoothing);
        const std::string png = folder_.Path(smoothing ? "saved.png" : "SAVED.PNG");
        window.presenter.SaveResultAs(png);
        EXPECT_TRUE(window.services.messages.empty()) << window.services.LastMessage();
        EXPECT_EQ(ReadBytes(png), CliResult("cli.png", smoothing));
    }
}

// A picture with clear parts: the result window's file holds the cells, what it keeps
// goes beside, and a PNG saved later is RGBA (colour type 6 in its header).
TEST_F(ResultPresenterTest, SaveAsPngKeepsTheTransparencyOfThePicture) {
    Open(testing::PatternedBitmap(24, 12, 8));
    KeptLayer& kept = state_.SourceBitmap.Kept();
    ASSERT_TRUE(kept.ResetPixels(12, 8, 8, true));
    kept.Pixels()[5] = MakeKeptPixel(10, 20, 30, 0);
    Select(0);
    Window& window = Converted(1);
    const std::string png = folder_.Path("clear.png");
    window.presenter.SaveResultAs(png);
    const Bytes written = ReadBytes(png);
    ASSERT_GT(written.size(), 25u);
    EXPECT_EQ(written[24], 8);
    EXPECT_EQ(written[25], 6);
}

TEST_F(ResultPresenterTest, ClosingTheWindowDeletesWhatItsResultKeptBesideIt) {
    Open(testing::PatternedBitmap(24, 12, 8));
    ASSERT_TRUE(state_.SourceBitmap.Kept().ResetPixels(12, 8, 16, false));
    Select(0);
    Window& window = Converted(1);
    const std::string beside = window.presenter.ResultFile() + ".kept";
    ASSERT_TRUE(fs::exists(beside));
    window.view.CloseWindow();
    EXPECT_FALSE(fs::exists(beside));
}

TEST_F(ResultPresenterTest, ASaveThatCannotBeWrittenIsReportedAndItsFolderNotRemembered) {
    Window& window = WideResult();
    WriteSetting("Folder", "SavePath", "kept");
    const std::string target = folder_.Path("missing") + "/saved.bmp";
    window.presenter.SaveResultAs(target);
    EXPECT_EQ(ReadSetting("Folder", "SavePath", "").Text(), "kept");
    ASSERT_EQ(window.services.messages.size(), 1u);
    EXPECT_EQ(window.services.messages[0].flags, kWarningBox);
    EXPECT_EQ(window.services.LastMessage().rfind("Can't save to " + target + ".\r\n(", 0), 0u);
    EXPECT_FALSE(fs::exists(target));
}

#ifndef _WIN32
TEST_F(ResultPresenterTest, SaveAsOnAFullDiskKeepsTheOldFileByteForByteAndSaysWhy) {
    Window& window = WideResult();
    const std::string disk = folder_.Path("disk");
    fs::create_directory(disk);
    testing::FullDisk full(disk, 1000);
    const Bytes old = {'o', 'l', 'd'};
    testing::WriteBytes(disk + "/keep.png", old);
    full.Fill();
    window.presenter.SaveResultAs(disk + "/keep.png");
    EXPECT_EQ(ReadBytes(disk + "/keep.png"), old);
    EXPECT_EQ(window.services.LastMessage(),
              "Can't save to " + disk + "/keep.png.\r\n(" + full.Reason() + ")\r\n");
}
#endif

TEST_F(ResultPresenterTest, AnExtensionNeitherBmpNorPngIsRefusedNamingTheTwo) {
    Window& window = WideResult();
    const std::string target = folder_.Path("wrong.jpg");
    window.presenter.SaveResultAs(target);
    EXPECT_EQ(window.services.LastMessage(),
              "Can't save to " + target +
                  ".\r\nThe converted image is saved as a .bmp or a .png file.\r\n");
    EXPECT_EQ(window.services.backgroundRuns, 0);
    EXPECT_FALSE(fs::exists(target));
}

TEST_F(ResultPresenterTest, ASaveWhoseResultFileHasGoneIsReported) {
    Window& window = WideResult();
    fs::remove(window.presenter.ResultFile());
    Japanese = true;
    window.presenter.SaveResultAs(folder_.Path("saved.bmp"));
    EXPECT_EQ(window.services.LastMessage(),
              window.presenter.ResultFile() +
                  " が、\r\n見つからないので保存できません。\r\nもう一度変換してください。\r\n");
    EXPECT_FALSE(fs::exists(folder_.Path("saved.bmp")));
}

TEST_F(ResultPresenterTest, CopyPutsTheResultFileOnTheClipboardOnceItIsShown) {
    Open(testing::PatternedBitmap(24, 12, 8));
    Select(0);
    Window& window = NewWindow();
    window.services.meanwhile = [&] { window.presenter.CopyToClipboard(); };
    window.presenter.Convert(1, false);
    EXPECT_TRUE(window.services.copiedFiles.empty());
    window.presenter.CopyToClipboard();
    EXPECT_EQ(window.services.copiedFiles, std::vector<std::string>{window.presenter.ResultFile()});
}

TEST_F(ResultPresenterTest, EachZoomSizesTheViewAndTheViewsKeepTheirMeaning) {
    Window& window = WideResult();
    ResultPresenter& result = window.presenter;
    result.ZoomTo(200);
    EXPECT_EQ(window.view.shown, (TPoint{214, 16}));
    EXPECT_EQ(window.view.Ticked(), (std::vector<std::string>{"KView1", "KView200"}));
    // Nine tiles at 50%: 321 x 24 shown in 160 x 12.
    result.ShowView(9);
    result.ZoomTo(50);
    EXPECT_EQ(window.view.shown, (TPoint{160, 12}));
    EXPECT_EQ(window.view.laidOut, 9);
    result.ShowView(1);
    EXPECT_EQ(window.view.shown, (TPoint{53, 4}));
    EXPECT_EQ(window.view.Ticked(), (std::vector<std::string>{"KView1", "KView50"}));
    for (const int step : {1, 1, 1})
        result.ZoomStep(step);
    EXPECT_EQ(result.Zoom(), 200);
    for (const int step : {-1, -1, -1, -1})
        result.ZoomStep(step);
    EXPECT_EQ(result.Zoom(), 25);
    EXPECT_EQ(window.view.shown, (TPoint{26, 2}));
}

TEST_F(ResultPresenterTest, TheViewCommandsDoNothingBeforeTheResultIsShown) {
    Open(testing::PatternedBitmap(8, 12, 8));
    Select(0);
    Window& window = NewWindow();
    for (const auto& command : ResultCommands())
        command.run(window.presenter);
    EXPECT_EQ(window.presenter.Zoom(), 100);
    EXPECT_EQ(window.view.laidOut, 0);
    EXPECT_TRUE(window.services.saveRequests.empty());
    EXPECT_TRUE(window.services.copiedFiles.empty());
}

// 107 x 8 nine times is 321 x 24; fitted into 160 x 100 it keeps its proportions.
TEST_F(ResultPresenterTest, AFittedViewFollowsTheWindowsRoomAndZoomsInFromTheFit) {
    Window& window = WideResult();
    window.view.room = {160, 100};
    window.presenter.ShowView(9);
    window.presenter.ZoomTo(kZoomToFit);
    EXPECT_EQ(window.view.shown, (TPoint{160, 11}));
    EXPECT_EQ(window.view.Ticked(), (std::vector<std::string>{"KView9", "KViewFit"}));
    // Fitting changes the zoom, never the window; nor does another view while fitted.
    EXPECT_FALSE(window.view.windowSized);
    window.presenter.ShowView(4);
    EXPECT_FALSE(window.view.windowSized);
    window.presenter.ShowView(9);
    window.view.room = {107, 100};
    window.presenter.Resized();
    EXPECT_EQ(window.view.shown, (TPoint{107, 8}));
    EXPECT_FALSE(window.view.windowSized);
    // The fit shows a third of the grid: the next step in is 50%.
    window.presenter.ZoomStep(1);
    EXPECT_EQ(window.presenter.Zoom(), 50);
    window.view.room = {50, 50};
    window.presenter.Resized(); // no longer fitted: nothing follows
    EXPECT_EQ(window.view.shown, (TPoint{160, 12}));
}

} // namespace
} // namespace slanter
