// The whole program, driven as a user drives it: a picture opened in the main window,
// the options and a pattern chosen in the method window, a preview, a conversion, the
// tiled view, the save and the copy; the saved file must be the command line's.
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <QAction>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>

#include "bitmap/HandyBitmap.h"
#include "cli/AngleChoice.h"
#include "cli/CliCommand.h"
#include "conversion/qt/FinalForm.h"
#include "engine/Slanter.h"
#include "method/qt/MethodForm.h"
#include "preview/qt/PreviewForm.h"
#include "shell/main/qt/MainForm.h"
#include "shell/qt/Clipboard.h"
#include "shell/qt/MainWindowFixture.h"

namespace slanter {
namespace {

struct Journey {
    const char* picture;
    int bitCount; // of the picture
    bool horizontal;
    bool rightUp;
    bool smoothing;
    bool sortOnAngle;
    int row; // the pattern clicked
    int resultBitCount;
};

void PrintTo(const Journey& journey, std::ostream* out) {
    *out << journey.picture << (journey.horizontal ? " rows" : " columns")
         << (journey.rightUp ? " right" : " left") << (journey.smoothing ? " smooth" : "")
         << (journey.sortOnAngle ? " by angle" : " by area") << " row " << journey.row;
}

class EndToEndTest : public testing::MainWindowTest, public ::testing::WithParamInterface<Journey> {
  protected:
    void TearDown() override {
        SetClipboardWriter({});
        MainWindowTest::TearDown();
    }

    static void Click(const std::string& name) {
        auto* button = MethodForm->findChild<QAbstractButton*>(QString::fromStdString(name));
        ASSERT_NE(button, nullptr) << name;
        ASSERT_TRUE(button->isEnabled()) << name;
        button->click();
        QCoreApplication::processEvents();
    }
    static void Choose(bool first, int pair) {
        Click("RadioButton" + std::to_string(first ? 2 * pair - 1 : 2 * pair));
    }
};

TEST_P(EndToEndTest, ThePictureGoesFromTheFileToASavedCopiedResult) {
    const Journey& journey = GetParam();
    std::optional<QImage> copied;
    SetClipboardWriter([&copied](const QImage& picture) { copied = picture; });
    Start();

    const std::string picture = Picture(journey.picture);
    MainForm->Presenter().OpenFile(picture);
    QCoreApplication::processEvents();
    ASSERT_TRUE(TakeBoxes().empty());
    ASSERT_EQ(State().SourceBitmap.biBitCount(), journey.bitCount);
    ASSERT_TRUE(MethodForm->isVisible());

    // Each option away from its present choice and back where the journey wants it, so
    // that every choice is a click.
    Choose(!journey.horizontal, 1);
    Choose(journey.horizontal, 1);
    Choose(!journey.rightUp, 2);
    Choose(journey.rightUp, 2);
    // The smoothing pair's first button is Off.
    Choose(journey.smoothing, 3);
    Choose(!journey.smoothing, 3);
    Choose(!journey.sortOnAngle, 4);
    Choose(journey.sortOnAngle, 4);

    auto* list = MethodForm->findChild<QListWidget*>("ListBox1");
    ASSERT_GT(list->count(), journey.row);
    list->setCurrentRow(journey.row);
    QCoreApplication::processEvents();

    Click("Button1");
    ASSERT_TRUE(PreviewForm->isVisible());
    EXPECT_EQ(State().PatternEngine.PatternIndex(), journey.row);
    const QImage preview = PreviewForm->Picture();
    int red = 0;
    for (int y = 0; y < preview.height(); ++y)
        for (int x = 0; x < preview.width(); ++x)
            red += preview.pixel(x, y) == 0xFFFF0000;
    EXPECT_GT(red, 100);

    Click("Button2");
    ASSERT_EQ(MethodForm->ResultWindows().size(), 1u);
    TFinalForm* result = MethodForm->ResultWindows()[0];
    ASSERT_NE(result, nullptr);
    ASSERT_TRUE(result->isVisible());
    ASSERT_TRUE(TakeBoxes().empty());

    auto* tile9 = result->findChild<QAction*>("KView9");
    ASSERT_NE(tile9, nullptr);
    tile9->trigger();
    EXPECT_TRUE(tile9->isChecked());
    EXPECT_TRUE(result->findChild<QWidget*>("PaintBox9")->isVisible());

    const std::string saved = Temporary().Path("saved.bmp");
    result->SaveResultAs(saved);
    result->findChild<QAction*>("KFileClipboard")->trigger();
    ASSERT_TRUE(TakeBoxes().empty());

    // The same choices on the command line.
    const std::string fromCli = Temporary().Path("cli.bmp");
    std::vector<std::string> words{"convert", picture, fromCli, "--pattern",
                                   std::to_string(journey.row)};
    if (!journey.horizontal)
        words.push_back("--vertical");
    if (!journey.rightUp)
        words.push_back("--left");
    if (journey.smoothing)
        words.push_back("--smooth");
    words.push_back(journey.sortOnAngle ? "--sort=angle" : "--sort=area");
    std::ostringstream out, err;
    ASSERT_EQ(cli::RunCli(words, out, err), cli::kExitOk) << err.str();

    const testing::Bytes savedBytes = testing::ReadBytes(saved);
    ASSERT_FALSE(savedBytes.empty());
    EXPECT_TRUE(savedBytes == testing::ReadBytes(fromCli));
    THandyBitmap savedBitmap;
    ASSERT_TRUE(savedBitmap.LoadFromFile(saved));
    EXPECT_EQ(savedBitmap.biBitCount(), journey.resultBitCount);
    const TPoint tile = State().PatternEngine.PatternSize(journey.row);
    EXPECT_EQ(savedBitmap.biWidth(), tile.X);
    EXPECT_EQ(savedBitmap.biHeight(), tile.Y);

    // What went to the clipboard is the result as saved.
    ASSERT_TRUE(copied.has_value());
    const QImage savedPicture(QString::fromStdString(saved));
    ASSERT_FALSE(savedPicture.isNull());
    EXPECT_EQ(copied->convertToFormat(QImage::Format_RGB32),
              savedPicture.convertToFormat(QImage::Format_RGB32));
}

// What the issue promised a user: a PNG photo dropped on the window, the pattern nearest
// 30 degrees, converted and saved as PNG, the same file as "slanter-cli convert photo.png
// tile.png --angle 30" writes.
TEST_F(EndToEndTest, ADroppedPngConvertsAndSavesAsThePngTheCommandLineWrites) {
    Start();
    const std::string photo = Picture("picture.png");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(photo))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(MainForm, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(MainForm, &drop);
    QCoreApplication::processEvents();
    ASSERT_TRUE(TakeBoxes().empty());
    ASSERT_EQ(State().SourceBitmap.biWidth(), 20);
    ASSERT_TRUE(MethodForm->isVisible());
    // The options as a new user finds them, which are the command line's defaults.
    ASSERT_TRUE(State().PatternEngine.Horizontal() && State().PatternEngine.RightUp() &&
                State().PatternEngine.SortOnAngle());

    auto* list = MethodForm->findChild<QListWidget*>("ListBox1");
    const int row = cli::NearestAnglePattern(State().PatternEngine, 30);
    ASSERT_GE(row, 0);
    list->setCurrentRow(row);
    QCoreApplication::processEvents();
    Click("Button2");
    ASSERT_EQ(MethodForm->ResultWindows().size(), 1u);
    TFinalForm* result = MethodForm->ResultWindows()[0];
    ASSERT_NE(result, nullptr);
    const std::string saved = Temporary().Path("tile.png");
    result->SaveResultAs(saved);
    ASSERT_TRUE(TakeBoxes().empty());

    const std::string fromCli = Temporary().Path("cli.png");
    std::ostringstream out, err;
    ASSERT_EQ(cli::RunCli({"convert", photo, fromCli, "--angle", "30"}, out, err), cli::kExitOk)
        << err.str();
    const testing::Bytes savedBytes = testing::ReadBytes(saved);
    ASSERT_GT(savedBytes.size(), 8u);
    EXPECT_EQ(std::string(savedBytes.begin() + 1, savedBytes.begin() + 4), "PNG");
    EXPECT_TRUE(savedBytes == testing::ReadBytes(fromCli));
}

INSTANTIATE_TEST_SUITE_P(TwoPictures, EndToEndTest,
                         ::testing::Values(
                             // 37 x 23 noise in 24 bits: columns rising left, smoothed, by area.
                             Journey{"noise.bmp", 24, false, false, true, false, 2, 24},
                             // 30 x 20 in 8 bits with a palette: rows rising right, not smoothed,
                             // by angle; the result keeps the palette.
                             Journey{"narrow.bmp", 8, true, true, false, true, 5, 8},
                             // The same picture smoothed, in columns rising left: 24 bits.
                             Journey{"narrow.bmp", 8, false, false, true, false, 1, 24}),
                         [](const ::testing::TestParamInfo<Journey>& info) {
                             return "Journey" + std::to_string(info.index);
                         });

} // namespace
} // namespace slanter
