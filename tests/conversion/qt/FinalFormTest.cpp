#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QWidget>

#include "FinalFormFixture.h"
#include "cli/CliCommand.h"
#include "shell/ConversionGuard.h"
#include "shell/SharedObjects.h"
#include "shell/qt/PendingMessages.h"
#include "shell/qt/ResultPicture.h"
#include "support/BlockPicture.h"
#include "support/FullDisk.h"
#include "support/PatternedBitmap.h"

namespace slanter {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::ReadBytes;

// The run of a conversion as the events between its columns see it.
class FinalFormRun : public testing::FinalFormTest {
  protected:
    template <class T>
    static T* Part(TFinalForm& form, const char* name) {
        return form.findChild<T*>(name);
    }
    // Runs `step` in place of the pending events before each column: call k comes before
    // column k, and the last one before the last column.
    void BetweenColumns(std::function<void(int call)> step) {
        SetPendingMessagesProcessor([this, step = std::move(step)] { step(calls_++); });
    }
    Bytes CliResult(const std::vector<std::string>& options) {
        const std::string output = Folder().Path("cli.bmp");
        std::vector<std::string> words = {"convert", WorkingFile, output};
        words.insert(words.end(), options.begin(), options.end());
        std::ostringstream out, err;
        EXPECT_EQ(cli::RunCli(words, out, err), 0) << err.str();
        return ReadBytes(output);
    }
    int calls_ = 0;
};

TEST_F(FinalFormRun, TheResultFileHoldsTheBytesTheCommandLineWritesAtEveryDepth) {
    for (const int depth : {1, 4, 8, 16, 24}) {
        for (const bool smoothing : {false, true}) {
            Open(testing::PatternedBitmap(depth, 40, 30));
            Select(0);
            TFinalForm& form = Converted(1, smoothing);
            ASSERT_TRUE(TakeBoxes().empty()) << depth;
            EXPECT_EQ(form.ResultFile(), TemporaryFiles->FileName("Temp0001.bmp"));
            std::vector<std::string> options = {"--pattern", "0", "--sort=area"};
            if (smoothing)
                options.push_back("--smooth");
            const Bytes written = ReadBytes(form.ResultFile());
            ASSERT_FALSE(written.empty());
            EXPECT_EQ(written, CliResult(options)) << depth << " bits, smoothing " << smoothing;
            // The window is closed, so its file may be written again by the next run.
            form.close();
        }
    }
}

TEST_F(FinalFormRun, AFinishedRunShowsThePictureInViewOne) {
    Open(testing::PatternedBitmap(8, 40, 30));
    Select(0);
    TFinalForm& form = NewForm(1);
    BetweenColumns([&](int) {
        EXPECT_TRUE(form.isVisible());
        EXPECT_FALSE(Part<QMenu>(form, "KFile")->isEnabled());
        EXPECT_FALSE(Part<QLabel>(form, "Image1")->isVisible());
        EXPECT_TRUE(state_.Conversions.Runs());
    });
    form.Convert();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.ResultBitmap, nullptr);
    EXPECT_FALSE(Part<QWidget>(form, "Panel1")->isVisible());
    EXPECT_FALSE(Part<QWidget>(form, "Panel2")->isVisible());
    auto* image = Part<QLabel>(form, "Image1");
    EXPECT_TRUE(image->isVisible());
    // 72 x 32, the first pattern of a 40 x 30 picture by area.
    EXPECT_EQ(image->size(), QSize(72, 32));
    EXPECT_EQ(
        image->grab().toImage().convertToFormat(QImage::Format_RGB32),
        QImage(QString::fromStdString(form.ResultFile())).convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(Part<QMenu>(form, "KFile")->isEnabled());
    EXPECT_TRUE(Part<QMenu>(form, "KView")->isEnabled());
    EXPECT_TRUE(Part<QAction>(form, "KView1")->isChecked());
    EXPECT_FALSE(state_.Conversions.Runs());
}

TEST_F(FinalFormRun, TheCaptionCarriesTheSerialNumberInEitherLanguage) {
    Open(testing::PatternedBitmap(24, 12, 8));
    Select(0);
    EXPECT_EQ(Converted(3).windowTitle(), "Converted(3)");
    Japanese = true;
    TFinalForm& japanese = Converted(4);
    EXPECT_EQ(japanese.windowTitle(), "完成画像(4)");
    EXPECT_EQ(japanese.ResultFile(), TemporaryFiles->FileName("Temp0004.bmp"));
}

TEST_F(FinalFormRun, TheBarIsGrownToItsWorkingSizeWithCancelCentredBelow) {
    Open(testing::PatternedBitmap(24, 12, 8));
    Select(0);
    TFinalForm& form = NewForm(1);
    BetweenColumns([&](int call) {
        if (call > 0)
            return;
        EXPECT_EQ(Part<QProgressBar>(form, "ProgressBar1")->size(), QSize(200, 16));
        auto* panel = Part<QWidget>(form, "Panel1");
        auto* button = Part<QPushButton>(form, "Button1");
        EXPECT_EQ(panel->height(), 32);
        EXPECT_EQ(button->text(), "Cancel");
        EXPECT_EQ(button->geometry(), QRect((panel->width() - 75) / 2, 4, 75, 25));
        EXPECT_EQ(Part<QLabel>(form, "Label1")->text(), "0%");
        EXPECT_EQ(Part<QLabel>(form, "Label2")->text(), "");
    });
    form.Convert();
}

TEST_F(FinalFormRun, TwoColumnsShowNoughtThenAHundredPercentWithTheirEstimates) {
    // A 2 x 2 picture's first pattern by area is a 2 x 2 tile.
    Open(testing::PatternedBitmap(24, 2, 2));
    Select(0);
    ASSERT_EQ(engine_.PatternSize(0), (TPoint{2, 2}));
    TFinalForm& form = NewForm(1);
    // Each reading of the clock is one second after the one before, so before column c
    // the c + 1 columns so far took a second each and W - c - 1 remain.
    double day = 45000.0;
    form.SetClock([&] { return day += 1.0 / 86400; });
    std::vector<std::string> shown;
    const auto look = [&] {
        shown.push_back(Part<QLabel>(form, "Label1")->text().toStdString() + " " +
                        Part<QLabel>(form, "Label2")->text().toStdString());
    };
    BetweenColumns([&](int call) {
        if (call > 0)
            look();
    });
    form.Convert();
    look();
    EXPECT_EQ(shown, (std::vector<std::string>{"0% Finish in about 1 seconds",
                                               "100% Finish in about 0 seconds"}));
}

TEST_F(FinalFormRun, AResultOneColumnWideShowsAFullBar) {
    Open(testing::PatternedBitmap(24, 1, 1));
    Select(0);
    ASSERT_EQ(engine_.PatternSize(0), (TPoint{1, 1}));
    TFinalForm& form = Converted(1);
    EXPECT_EQ(Part<QLabel>(form, "Label1")->text(), "100%");
    EXPECT_EQ(Part<QProgressBar>(form, "ProgressBar1")->value(), 100);
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_TRUE(fs::exists(form.ResultFile()));
}

TEST_F(FinalFormRun, CancelDuringAColumnStopsBeforeTheNextAndWritesNothing) {
    Open(testing::PatternedBitmap(24, 12, 8));
    Select(0);
    TFinalForm& form = NewForm(1);
    const int k = 5;
    // Pressed while column k is computed: the press is seen before column k + 1.
    BetweenColumns([&](int call) {
        if (call == k + 1)
            Part<QPushButton>(form, "Button1")->click();
    });
    form.Convert();
    EXPECT_EQ(calls_, k + 2);
    EXPECT_TRUE(form.CancelRequested);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.ResultBitmap, nullptr);
    EXPECT_EQ(TemporaryNames(), (std::vector<std::string>{"Temp0000.bmp"}));
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_FALSE(state_.Conversions.Runs());
}

TEST_F(FinalFormRun, EscPressesCancel) {
    Open(testing::PatternedBitmap(24, 12, 8));
    Select(0);
    TFinalForm& form = NewForm(1);
    BetweenColumns([&](int call) {
        if (call != 2)
            return;
        // The key reaches the focused button first, which leaves Esc to the window.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(Part<QPushButton>(form, "Button1"), &press);
    });
    form.Convert();
    EXPECT_EQ(calls_, 3);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(TemporaryNames(), (std::vector<std::string>{"Temp0000.bmp"}));
}

TEST_F(FinalFormRun, ClosingTheWindowDuringTheRunHidesItAndTheRunGoesOn) {
    Open(testing::PatternedBitmap(24, 12, 8));
    Select(0);
    TFinalForm& form = NewForm(1);
    BetweenColumns([&](int call) {
        if (call == 2)
            form.close();
    });
    form.Convert();
    EXPECT_EQ(calls_, engine_.PatternSize(0).X);
    EXPECT_FALSE(form.isVisible());
    // Written, and deleted once the run is over: no command of a closed window reaches it.
    EXPECT_FALSE(fs::exists(form.ResultFile()));
    EXPECT_FALSE(form.InfoText.empty());
}

TEST_F(FinalFormRun, AStopAskedForByTheProgramCancelsTheRunAndThenRunsWhatWaited) {
    Open(testing::PatternedBitmap(24, 12, 8));
    Select(0);
    TFinalForm& form = NewForm(1);
    int followed = 0;
    BetweenColumns([&](int call) {
        if (call == 3)
            state_.Conversions.Stop([&] { ++followed; });
    });
    form.Convert();
    EXPECT_EQ(calls_, 4);
    EXPECT_EQ(followed, 1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(TemporaryNames(), (std::vector<std::string>{"Temp0000.bmp"}));
}

TEST_F(FinalFormRun, DisablingTheOwnerLeavesCancelWorking) {
    Open(testing::PatternedBitmap(24, 12, 8));
    Select(0);
    QWidget owner;
    auto* form = new TFinalForm(state_, &owner); // freed with owner
    owner.setEnabled(false);
    bool enabled = false;
    BetweenColumns([&](int) { enabled = Part<QPushButton>(*form, "Button1")->isEnabled(); });
    form->ResultNumber = 1;
    form->Convert();
    EXPECT_TRUE(enabled);
}

TEST_F(FinalFormRun, AResultFileThatCannotBeWrittenEndsTheRunWithAMessage) {
    Open(testing::PatternedBitmap(24, 12, 8));
    Select(0);
    // A folder where the result file should go.
    fs::create_directory(TemporaryFiles->FileName("Temp0001.bmp"));
    TFinalForm& form = Converted(1);
    const std::string file = TemporaryFiles->FileName("Temp0001.bmp");
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Can't write the converted image to " + file +
                                 ".\r\n(it is a folder, not a regular file)\r\n");
    EXPECT_EQ(boxes[0].flags, kWarningBox);
    EXPECT_EQ(boxes[0].caption, "  Bit Map Slanter");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.ResultBitmap, nullptr);
    EXPECT_FALSE(Part<QMenu>(form, "KFile")->isEnabled());
    EXPECT_FALSE(state_.Conversions.Runs());
}

#ifndef _WIN32
// No partial file is left behind, not even until the program ends.
TEST_F(FinalFormRun, AResultFileOnAFullDiskSaysWhyAndLeavesNothing) {
    Open(testing::PatternedBitmap(24, 60, 40));
    Select(0);
    testing::FullDisk full(TemporaryFiles->Folder(), 1000);
    full.Fill();
    Converted(1);
    const std::string file = TemporaryFiles->FileName("Temp0001.bmp");
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Can't write the converted image to " + file + ".\r\n(" + full.Reason() + ")\r\n");
    for (const auto& entry : fs::directory_iterator(TemporaryFiles->Folder()))
        EXPECT_TRUE(entry.path().filename() == "filler" ||
                    entry.path().filename() == "Temp0000.bmp")
            << entry.path();
}
#endif

TEST_F(FinalFormRun, AResultFileThatCannotBeReadBackEndsTheRunWithAMessage) {
    Open(testing::PatternedBitmap(24, 60, 40));
    Select(0);
    SetResultPictureReader([](const std::string&) {
        return ReadBackPicture{QImage(), "out of memory"};
    });
    TFinalForm& form = Converted(1);
    SetResultPictureReader({});
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    const std::string file = TemporaryFiles->FileName("Temp0001.bmp");
    EXPECT_EQ(boxes[0].text,
              "Can't read the converted image back from " + file + ".\r\n(out of memory)\r\n");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.ResultBitmap, nullptr);
}

TEST_F(FinalFormRun, ATileBeyondOneHundredMillionBytesIsConvertedNotRefused) {
    Open(testing::PatternedBitmap(24, 4, 4));
    // The engine's picture size alone decides the tile: 9874 x 7291 at 24 bits, about
    // 216 MB of pixel data. The run starts; cancelled at once, it writes nothing.
    engine_.SetSourceSize({3000, 3000});
    Select(7);
    ASSERT_EQ(engine_.PatternSize(7), (TPoint{9874, 7291}));
    TFinalForm& form = NewForm(1);
    BetweenColumns([&](int) { Part<QPushButton>(form, "Button1")->click(); });
    form.Convert();
    EXPECT_GE(calls_, 1);
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_TRUE(form.CancelRequested);
    EXPECT_EQ(TemporaryNames(), (std::vector<std::string>{"Temp0000.bmp"}));
}

TEST_F(FinalFormRun, FromTheTenThousandthConversionNoNeededFileIsOverwritten) {
    Open(testing::PatternedBitmap(24, 12, 8));
    Select(0);
    const Bytes working = ReadBytes(WorkingFile);
    TFinalForm& first = Converted(1);
    const Bytes firstResult = ReadBytes(first.ResultFile());
    // Another pattern, so that an overwrite would show.
    Select(1);
    TFinalForm& later = Converted(10000);
    EXPECT_EQ(later.ResultFile(), TemporaryFiles->FileName("Temp0002.bmp"));
    EXPECT_EQ(ReadBytes(WorkingFile), working);
    EXPECT_EQ(ReadBytes(first.ResultFile()), firstResult);
    EXPECT_EQ(later.windowTitle(), "Converted(10000)");
    // Once the first window is closed its name is free again.
    first.close();
    EXPECT_EQ(Converted(10001).ResultFile(), TemporaryFiles->FileName("Temp0001.bmp"));
}

struct InfoCase {
    int depth;
    bool smoothing;
    const char* colors;
};

void PrintTo(const InfoCase& c, std::ostream* out) {
    *out << c.depth << " bits, smoothing " << (c.smoothing ? "on" : "off");
}

class ResultInformation : public FinalFormRun, public ::testing::WithParamInterface<InfoCase> {};

TEST_P(ResultInformation, TheTextNamesTheResultsSizeAndColoursInBothLanguages) {
    const InfoCase c = GetParam();
    Open(testing::PatternedBitmap(c.depth, 12, 8));
    Select(0); // 22 x 8
    const std::string colors = c.colors;
    TFinalForm& english = Converted(1, c.smoothing);
    EXPECT_EQ(english.InfoText,
              std::string("Horizontal\r\nRight Up\r\nSmoothing ") + (c.smoothing ? "On" : "Off") +
                  "\r\n\r\n22 dots in width\r\n8 dots in height\r\n" + colors + " colors\r\n");
    TakeBoxes();
    english.KViewInformationClick();
    Japanese = true;
    engine_.SetRightUp(false);
    TFinalForm& japanese = Converted(2, c.smoothing);
    EXPECT_EQ(japanese.InfoText, std::string("横ならび\r\n左上がり\r\nスムージング") +
                                     (c.smoothing ? "した" : "しない") +
                                     "\r\n\r\n幅 22ドット\r\n高さ 8ドット\r\n" + colors + "色\r\n");
    japanese.KViewInformationClick();
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, english.InfoText);
    EXPECT_EQ(boxes[0].caption, "  Bitmap Information");
    EXPECT_EQ(boxes[1].text, japanese.InfoText);
    EXPECT_EQ(boxes[1].flags, kInformationBox);
    EXPECT_EQ(boxes[1].caption, "  ビットマップの情報");
}

INSTANTIATE_TEST_SUITE_P(
    EveryDepth, ResultInformation,
    ::testing::Values(InfoCase{1, false, "2"}, InfoCase{1, true, "16777216"},
                      InfoCase{4, false, "16"}, InfoCase{4, true, "16777216"},
                      InfoCase{8, false, "256"}, InfoCase{8, true, "16777216"},
                      InfoCase{16, false, "65536"}, InfoCase{16, true, "16777216"},
                      InfoCase{24, false, "16777216"}, InfoCase{24, true, "16777216"}),
    [](const ::testing::TestParamInfo<InfoCase>& info) {
        return std::to_string(info.param.depth) + (info.param.smoothing ? "BitsSmoothed" : "Bits");
    });

} // namespace
} // namespace slanter
