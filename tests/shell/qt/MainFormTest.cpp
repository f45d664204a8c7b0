#include <algorithm>
#include <filesystem>
#include <optional>

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include "MainWindowFixture.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/PictureDecoder.h"
#include "conversion/qt/FinalForm.h"
#include "engine/Slanter.h"
#include "method/qt/MethodForm.h"
#include "shell/ConversionGuard.h"
#include "shell/MainTexts.h"
#include "shell/PendingMessages.h"
#include "shell/TemporaryPictures.h"
#include "shell/main/qt/MainForm.h"
#include "shell/qt/Clipboard.h"
#include "shell/qt/GeneralError.h"
#include "shell/qt/OpenDialog.h"
#include "shell/qt/WindowOnScreen.h"
#include "support/BmpBuilder.h"
#include "support/ForeignPictures.h"

namespace slanter {
namespace {

namespace fs = std::filesystem;

class MainFormTest : public testing::MainWindowTest {
  protected:
    void TearDown() override {
        SetClipboardReader({});
        SetOpenDialogRunner({});
        SetPendingMessagesProcessor({});
        MainWindowTest::TearDown();
    }

    TMainForm& Main() { return *MainForm; }
    // What the window shows of its picture: the scroll area's viewport, which is the
    // whole client area while no scroll bar is needed.
    QSize Client() { return Main().findChild<QScrollArea*>("ClientArea")->viewport()->size(); }
    // The least client width: 100, or more where the menu bar needs more.
    int Least() { return std::max(100, Main().minimumWidth()); }
    // Whether every menu shows on the bar, none behind Qt's extension button.
    bool WholeMenuBar() {
        QCoreApplication::processEvents();
        const auto* bar = Main().findChild<QMenuBar*>("MainMenu1");
        for (QAction* menu : bar->actions()) {
            if (!bar->rect().contains(bar->actionGeometry(menu)))
                return false;
        }
        const auto* extension = bar->findChild<QToolButton*>("qt_menubar_ext_button");
        return extension == nullptr || extension->isHidden();
    }
    void Open(const std::string& file) {
        Main().Presenter().OpenFile(file);
        QCoreApplication::processEvents();
    }

    // The information box's text; it must be the only box shown.
    std::string Information() {
        TakeBoxes();
        Main().Presenter().ShowInformation();
        const auto boxes = TakeBoxes();
        return boxes.size() == 1 ? boxes[0].text : "boxes: " + std::to_string(boxes.size());
    }
    // The one message shown since the last look.
    std::string OnlyMessage(int flags = kWarningBox) {
        const auto boxes = TakeBoxes();
        if (boxes.size() != 1)
            return "boxes: " + std::to_string(boxes.size());
        EXPECT_EQ(boxes[0].flags, flags);
        EXPECT_EQ(boxes[0].caption, "  Bit Map Slanter");
        return boxes[0].text;
    }
    static THandyBitmap Loaded(const std::string& file) {
        THandyBitmap bitmap;
        EXPECT_TRUE(bitmap.LoadFromFile(file)) << bitmap.ErrorText();
        return bitmap;
    }
    std::vector<double> Angles() {
        std::vector<double> angles;
        for (int i = 0; i < State().PatternEngine.PatternCount(); ++i)
            angles.push_back(State().PatternEngine.AngleDegrees(i));
        return angles;
    }
    // "name|text" for each entry of the menu, "-" marking a hidden one.
    std::vector<std::string> Entries(const char* menuName) {
        std::vector<std::string> entries;
        const auto* menu = Main().findChild<QMenu*>(menuName);
        entries.push_back(menu->title().toStdString());
        for (const QAction* action : menu->actions()) {
            std::string entry = action->isVisible() ? "" : "-";
            entry += action->objectName().toStdString();
            entry += "|";
            entry += action->text().toStdString();
            entries.push_back(entry);
        }
        return entries;
    }
};

using Strings = std::vector<std::string>;

TEST_F(MainFormTest, TheMenuBarShowsEveryMenuWhateverThePictureInEitherLanguage) {
    for (const char* language : {"/JAPANESE", "/ENGLISH"}) {
        Start(language);
        EXPECT_TRUE(WholeMenuBar()) << language;
        for (const char* picture : {"icon.ico", "noise.bmp", "narrow.bmp", "wide.bmp"}) {
            Open(Picture(picture));
            EXPECT_TRUE(WholeMenuBar()) << language << " " << picture;
            EXPECT_GE(Client().width(), 100);
        }
        // Nor can the user make the window narrower.
        Main().resize(40, Main().height());
        EXPECT_TRUE(WholeMenuBar()) << language;
        Stop();
    }
}

TEST_F(MainFormTest, MenusAsDesignedInJapanese) {
    Start("/JAPANESE");
    std::vector<std::string> bar;
    for (const QAction* action : Main().findChild<QMenuBar*>("MainMenu1")->actions())
        bar.push_back(action->text().toStdString());
    EXPECT_EQ(bar, (Strings{"ファイル(&File)", "画像(&Picture)", "表示(&View)", "ヘルプ(&Help)"}));
    EXPECT_EQ(Entries("KPicture"),
              (Strings{"画像(&Picture)", "KPictureSize|サイズの変更(&Size)..."}));
    EXPECT_EQ(Entries("KFile"),
              (Strings{"ファイル(&File)", "KFileOpen|元にする画像ファイルを開く(&Open)...",
                       "KFileClipboard|クリップボードから読み込む(&Clipboard)", "KFileN1|",
                       "KFileExit|終了(E&xit)"}));
    EXPECT_EQ(Entries("KView"),
              (Strings{"表示(&View)", "KViewMethod|変換方法ウィンドウの表示(&Method)",
                       "KViewInformation|ビットマップの情報(&Information)..."}));
    EXPECT_EQ(Entries("KHelp"), (Strings{"ヘルプ(&Help)", "KHelpHelp|ヘルプ(&Help)", "KHelpN1|",
                                         "-KHelpDeleteRegistry|レジストリ情報を削除して終了",
                                         "-KHelpN2|", "KHelpCopyright|著作権情報(&Copyright)...",
                                         "KHelpVersion|バージョン情報(&Version)..."}));
    EXPECT_EQ(Main().windowTitle(), "Bit Map Slanter");
}

TEST_F(MainFormTest, MenusInEnglishWithTheRegistrySwitch) {
    Start("/english /registry");
    EXPECT_EQ(Entries("KFile"),
              (Strings{"&File", "KFileOpen|&Open Image File ...",
                       "KFileClipboard|Copy from &Clipboard", "KFileN1|", "KFileExit|E&xit"}));
    EXPECT_EQ(Entries("KPicture"), (Strings{"&Picture", "KPictureSize|&Size ..."}));
    EXPECT_EQ(Entries("KView"), (Strings{"&View", "KViewMethod|Show &Method Window",
                                         "KViewInformation|Bitmap &Information ..."}));
    EXPECT_EQ(Entries("KHelp"), (Strings{"&Help", "KHelpHelp|&Help", "KHelpN1|",
                                         "KHelpDeleteRegistry|Delete Registry and Quit", "KHelpN2|",
                                         "KHelpCopyright|&Copyright Information ...",
                                         "KHelpVersion|&Version Information ..."}));
}

TEST_F(MainFormTest, ABitmapIsCopiedShownFittedAndLoaded) {
    Start();
    const std::string file = Picture("noise.bmp");
    Open(file);
    EXPECT_EQ(TakeBoxes().size(), 0u);
    EXPECT_EQ(testing::ReadBytes(State().WorkingFile), testing::ReadBytes(file));
    EXPECT_EQ(fs::path(State().WorkingFile).parent_path().parent_path(),
              fs::path(Temporary().Path()));
    EXPECT_EQ(State().SourceBitmap.biWidth(), 37);
    EXPECT_EQ(State().SourceBitmap.biHeight(), 23);
    // Narrower than the least client width: the window is that wide, the engine gets 37.
    EXPECT_EQ(Client(), QSize(Least(), 23));
    EXPECT_EQ(State().PatternEngine.SourceWidth(), 37);
    EXPECT_EQ(State().PatternEngine.SourceHeight(), 23);
    EXPECT_GT(State().PatternEngine.PatternCount(), 0);
    EXPECT_TRUE(MethodForm->isVisible());
    EXPECT_EQ(Stored("Folder/OpenPath").toString().toStdString(), file);
    EXPECT_EQ(Information(),
              file + "\r\n\r\n37 dots in width\r\n23 dots in height\r\n16777216 colors\r\n");
}

TEST_F(MainFormTest, TheSameFileTwiceGivesTheSameWindowAndPatterns) {
    Start();
    Main().showMaximized();
    Open(Picture("wide.bmp"));
    EXPECT_FALSE(Main().windowState() & Qt::WindowMaximized);
    EXPECT_EQ(Client(), QSize(std::max(150, Least()), 40));
    const QSize window = Main().size();
    const std::vector<double> angles = Angles();
    Open(Picture("narrow.bmp"));
    EXPECT_EQ(Client(), QSize(Least(), 20));
    Open(Picture("wide.bmp"));
    Open(Picture("wide.bmp"));
    EXPECT_EQ(Main().size(), window);
    EXPECT_EQ(Client(), QSize(std::max(150, Least()), 40));
    EXPECT_EQ(Angles(), angles);
    EXPECT_EQ(TakeBoxes().size(), 0u);
}

// Where the record and the decoded picture differ in the top `bits` bits of a channel;
// empty when they agree. Row y of the record is the picture's row height - 1 - y.
std::string HighBitsDifference(const THandyBitmap& bitmap, const testing::ForeignPicture& picture,
                               const int (&bits)[3]) {
    if (bitmap.biWidth() != picture.width || bitmap.biHeight() != picture.height)
        return "sizes differ";
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::int32_t color = bitmap.GetPixelColor(x, picture.height - 1 - y);
            const std::size_t at = 3 * (static_cast<std::size_t>(y) * picture.width + x);
            for (int c = 0; c < 3; ++c) {
                const int shift = 8 - bits[c];
                if ((color >> (8 * c) & 255) >> shift != picture.rgb[at + c] >> shift)
                    return "pixel " + std::to_string(x) + "," + std::to_string(y);
            }
        }
    }
    return "";
}

TEST_F(MainFormTest, CompressedBitmapsBecomeAWorkingFileOurReaderTakes) {
    Start();
    const testing::TempFolder scratch;
    const std::string suite = std::string(SLANTER_TESTDATA_DIR) + "/bmpsuite/g/";
    struct Case {
        const char* file;
        const char* sameImage; // the suite's uncompressed file of the same picture
        int bits[3];           // the bits of each channel the file stores
    };
    for (const Case& c :
         {Case{"pal8rle.bmp", "pal8.bmp", {8, 8, 8}}, Case{"pal4rle.bmp", "pal4.bmp", {8, 8, 8}},
          Case{"rgb16-565.bmp", "rgb16-565.bmp", {5, 6, 5}}}) {
        SCOPED_TRACE(c.file);
        const std::string file = suite + c.file;
        Open(file);
        EXPECT_EQ(TakeBoxes().size(), 0u);
        const THandyBitmap working = Loaded(State().WorkingFile);
        EXPECT_EQ(working.InfoHeader().biCompression, 0);
        const auto pillow = testing::DecodeWithPillow({suite + c.sameImage}, scratch);
        ASSERT_EQ(pillow.size(), 1u);
        ASSERT_TRUE(pillow[0].ok) << pillow[0].error;
        EXPECT_EQ(HighBitsDifference(working, pillow[0], c.bits), "");
        EXPECT_EQ(State().SourceBitmap.biWidth(), pillow[0].width);
        EXPECT_EQ(State().PatternEngine.SourceWidth(), pillow[0].width);
        EXPECT_GT(State().PatternEngine.PatternCount(), 0);
        EXPECT_EQ(Information().substr(0, file.size() + 2), file + "\r\n");
    }
}

TEST_F(MainFormTest, ABitmapOurReaderRefusesLeavesNothingToPreviewOrConvert) {
    Start();
    const std::string first = Picture("noise.bmp");
    Open(first);
    // Damaged, not of another kind: two bytes more than its bfSize. The platform shows it,
    // our reader refuses it, and no decoder is asked to stand in.
    const testing::TempFolder folder;
    const std::string refused = folder.Path("long.bmp");
    testing::Bytes bytes = testing::ReadBytes(Picture("wide.bmp"));
    bytes.insert(bytes.end(), {0, 0});
    testing::WriteBytes(refused, bytes);
    Open(refused);
    EXPECT_EQ(OnlyMessage(), refused + " has invalid format.\r\n(illegal bfSize)\r\n");
    EXPECT_EQ(State().PatternEngine.PatternCount(), 0);
    EXPECT_EQ(State().PatternEngine.SourceWidth(), 0);
    // The window shows the new picture; the name stays the last one opened.
    EXPECT_EQ(Client(), QSize(std::max(150, Least()), 40));
    // The information box tells of that picture alone, never with the refused one's figures.
    EXPECT_EQ(Information(), first + "\r\n\r\n37 dots in width\r\n23 dots in height\r\n"
                                     "16777216 colors\r\n");

    // The engine keeps the options the method window gave it.
    State().PatternEngine.SetHorizontal(false);
    Open(refused);
    TakeBoxes();
    EXPECT_FALSE(State().PatternEngine.Horizontal());
    Open(first);
    EXPECT_EQ(State().PatternEngine.SourceWidth(), 37);
    EXPECT_GT(State().PatternEngine.PatternCount(), 0);
}

TEST_F(MainFormTest, IconsInEitherCaseShowAtTheStandardIconSize) {
    Start();
    const testing::TempFolder folder;
    const std::string upper = folder.Path("ICON.ICO");
    fs::copy_file(Picture("icon.ico"), upper);
    for (const std::string& file : {Picture("icon.ico"), upper}) {
        SCOPED_TRACE(file);
        Open(file);
        EXPECT_EQ(TakeBoxes().size(), 0u);
        const THandyBitmap working = Loaded(State().WorkingFile);
        ASSERT_EQ(working.biWidth(), 32);
        ASSERT_EQ(working.biHeight(), 32);
        // The 32-pixel image, its transparent top-left corner on white (row 31 is the top).
        EXPECT_EQ(working.GetPixelColor(20, 11), 0x0000FF);
        EXPECT_EQ(working.GetPixelColor(2, 29), 0xFFFFFF);
        // Drawn over black as well, the clear corner stays clear in the picture.
        const KeptLayer& kept = State().SourceBitmap.Kept();
        ASSERT_TRUE(kept.HasAlpha());
        EXPECT_EQ(KeptChannel(kept.Pixels()[29 * 32 + 2], 3), 0u);
        EXPECT_EQ(kept.Pixels()[11 * 32 + 20], MakeKeptPixel(255, 0, 0, 255));
        EXPECT_EQ(State().PatternEngine.SourceWidth(), 32);
        EXPECT_EQ(Client(), QSize(Least(), 32));
        EXPECT_EQ(Stored("Folder/OpenPath").toString().toStdString(), file);
        EXPECT_EQ(Information(),
                  file + "\r\n\r\n32 dots in width\r\n32 dots in height\r\n16777216 colors\r\n");
    }
    // An icon without an image of that size is scaled to it.
    Open(Picture("large.ico"));
    const THandyBitmap large = Loaded(State().WorkingFile);
    EXPECT_EQ(large.biWidth(), 32);
    EXPECT_EQ(large.GetPixelColor(16, 16), 0x00FFFF);
}

TEST_F(MainFormTest, JapaneseMessagesOfTheOpenCommand) {
    Start("/JAPANESE");
    Open(Picture("picture.xyz"));
    EXPECT_EQ(OnlyMessage(), Picture("picture.xyz") + " は、\r\nビットマップ画像ではありません。");
    Open(Picture("missing.bmp"));
    EXPECT_EQ(OnlyMessage(), Picture("missing.bmp") + " を、\r\nコピーすることができません。\r\n");
    Open(Picture("narrow.bmp"));
    TakeBoxes();
    Main().Presenter().ShowInformation();
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              Picture("narrow.bmp") + "\r\n\r\n幅 30ドット\r\n高さ 20ドット\r\n256色\r\n");
    EXPECT_EQ(boxes[0].caption, "  ビットマップの情報");
    EXPECT_EQ(boxes[0].flags, kWarningBox);
}

TEST_F(MainFormTest, AnUnwritableTemporaryFolderGivesTheCantCopyMessageAndChangesNothing) {
    Start();
    Open(Picture("noise.bmp"));
    const QSize window = Main().size();
    const std::vector<double> angles = Angles();
    // The run's folder turns into a file: nothing can be written there, not even by root.
    const fs::path folder = fs::path(State().WorkingFile).parent_path();
    fs::remove_all(folder);
    testing::WriteBytes(folder.string(), {1, 2, 3});

    Open(Picture("wide.bmp"));
    EXPECT_EQ(OnlyMessage(), "Can't copy " + Picture("wide.bmp") + ".\r\n");
    Open(Picture("icon.ico"));
    EXPECT_EQ(OnlyMessage(), "Can't copy " + Picture("icon.ico") + ".\r\n");
    SetClipboardReader([] { return QImage(5, 5, QImage::Format_RGB32); });
    Main().Presenter().Paste();
    EXPECT_EQ(OnlyMessage(), "Can't copy Image from Clip Board.\r\n");

    EXPECT_EQ(Main().size(), window);
    EXPECT_EQ(Angles(), angles);
    EXPECT_EQ(State().PatternEngine.SourceWidth(), 37);
    EXPECT_EQ(State().SourceBitmap.biWidth(), 37);
    EXPECT_EQ(Information().substr(0, Picture("noise.bmp").size()), Picture("noise.bmp"));
    fs::remove(folder);
}

TEST_F(MainFormTest, APictureThePlatformCannotDecodeEndsInTheErrorBox) {
    Start();
    Open(Picture("noise.bmp"));
    const testing::TempFolder folder;
    const std::string broken = folder.Path("broken.bmp");
    testing::WriteBytes(broken, {'B', 'M', 0, 0, 1, 2, 3});
    Open(broken);
    std::string text = OnlyMessage(kErrorBox);
    EXPECT_EQ(text.substr(0, broken.size() + 2), broken + "\r\n");
    const std::string icon = folder.Path("broken.ico");
    testing::WriteBytes(icon, {0, 0, 1, 0, 9, 9});
    Open(icon);
    text = OnlyMessage(kErrorBox);
    EXPECT_EQ(text.substr(0, icon.size() + 2), icon + "\r\n");
    EXPECT_EQ(State().PatternEngine.SourceWidth(), 37);
    EXPECT_EQ(Client(), QSize(Least(), 23));
    EXPECT_EQ(Information().substr(0, Picture("noise.bmp").size()), Picture("noise.bmp"));
}

// A result with clear parts goes on the clipboard as the plain bitmap and, beside it, as
// a PNG file that keeps its opacity.
TEST_F(MainFormTest, ACopyWithOpacityOffersAPngBesideTheBitmap) {
    const QByteArray png("\x89PNG\r\n\x1a\n", 8);
    PutClipboardPicture(QImage(4, 4, QImage::Format_RGB32), png);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasImage());
    EXPECT_EQ(data->data(QStringLiteral("image/png")), png);
}

TEST_F(MainFormTest, TheClipboardsPictureBecomesTheWorkingFile) {
    Start();
    WriteSetting("Folder", "OpenPath", "/p/last.bmp");
    QImage picture(120, 30, QImage::Format_ARGB32);
    picture.fill(QColor(10, 20, 30));
    picture.setPixelColor(3, 4, QColor(0, 0, 0, 0)); // transparent shows white
    SetClipboardReader([picture] { return picture; });
    Main().Presenter().Paste();
    EXPECT_EQ(TakeBoxes().size(), 0u);
    const THandyBitmap working = Loaded(State().WorkingFile);
    EXPECT_EQ(working.biBitCount(), 24);
    EXPECT_EQ(working.GetPixelColor(0, 0), 10 | 20 << 8 | 30 << 16);
    EXPECT_EQ(working.GetPixelColor(3, 30 - 1 - 4), 0xFFFFFF);
    EXPECT_EQ(Client(), QSize(std::max(120, Least()), 30));
    EXPECT_EQ(State().PatternEngine.SourceWidth(), 120);
    EXPECT_EQ(Information(), "Image from Clip Board\r\n\r\n120 dots in width\r\n"
                             "30 dots in height\r\n16777216 colors\r\n");
    EXPECT_EQ(Stored("Folder/OpenPath"), QVariant("/p/last.bmp"));
}

TEST_F(MainFormTest, TheOpenCommandPreselectsTheLastFileThatStillExists) {
    Start();
    std::vector<OpenDialogSettings> asked;
    std::optional<QString> answer = QString::fromStdString(Picture("narrow.bmp"));
    SetOpenDialogRunner([&](QWidget*, const OpenDialogSettings& settings) {
        asked.push_back(settings);
        return answer;
    });
    Main().Presenter().Open();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].fileName, "");
    EXPECT_EQ(asked[0].filter, OpenDialogFilter(false, DecodedExtensions()));
    EXPECT_EQ(asked[0].defaultSuffix, "bmp");
    EXPECT_EQ(State().PatternEngine.SourceWidth(), 30);

    // Cancelled: nothing changes.
    answer.reset();
    Main().Presenter().Open();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].fileName.toStdString(), Picture("narrow.bmp"));
    EXPECT_EQ(State().PatternEngine.SourceWidth(), 30);
    EXPECT_EQ(TakeBoxes().size(), 0u);

    WriteSetting("Folder", "OpenPath", Picture("gone.bmp"));
    Main().Presenter().Open();
    EXPECT_EQ(asked.back().fileName, "");
}

TEST_F(MainFormTest, ASettingsStoreThatFailsEndsTheCommandInTheErrorBox) {
    Start();
    RawStore().setValue("Folder/OpenPath", QStringList{"a", "b"});
    Main().findChild<QAction*>("KFileOpen")->trigger();
    EXPECT_EQ(OnlyMessage(kErrorBox), "Invalid data type for 'OpenPath'");
}

TEST_F(MainFormTest, EachMenuItemReachesItsCommand) {
    Start();
    const auto flagsOf = [this](const char* item) {
        TakeBoxes();
        Main().findChild<QAction*>(item)->trigger();
        const auto boxes = TakeBoxes();
        return boxes.size() == 1 ? boxes[0].flags : -static_cast<int>(boxes.size());
    };
    EXPECT_EQ(flagsOf("KViewInformation"), kWarningBox);
    EXPECT_EQ(flagsOf("KHelpVersion"), kInformationBox);
    EXPECT_EQ(flagsOf("KHelpCopyright"), kInformationBox);
    EXPECT_EQ(flagsOf("KHelpHelp"), kWarningBox); // the help file is missing
    EXPECT_FALSE(MethodForm->isVisible());
    Main().findChild<QAction*>("KViewMethod")->trigger();
    EXPECT_TRUE(MethodForm->isVisible());
    Main().findChild<QAction*>("KFileExit")->trigger();
    EXPECT_FALSE(Main().isVisible());
    EXPECT_EQ(State().TemporaryFiles, nullptr);
}

TEST_F(MainFormTest, OpenPasteAndQuitTakeThePlatformsKeys) {
    Start();
    const auto keys = [this](const char* item) {
        return Main().findChild<QAction*>(item)->shortcuts();
    };
    EXPECT_EQ(keys("KFileOpen"), QKeySequence::keyBindings(QKeySequence::Open));
    EXPECT_EQ(keys("KFileClipboard"), QKeySequence::keyBindings(QKeySequence::Paste));
    // Where the platform names no key for Quit, the usual one serves.
    const QList<QKeySequence> quit = QKeySequence::keyBindings(QKeySequence::Quit);
    EXPECT_EQ(keys("KFileExit"),
              quit.isEmpty() ? QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Q)} : quit);
    EXPECT_FALSE(keys("KFileOpen").isEmpty());
    // Opening and quitting act from every window of the program.
    for (const char* item : {"KFileOpen", "KFileExit"})
        EXPECT_EQ(Main().findChild<QAction*>(item)->shortcutContext(), Qt::ApplicationShortcut)
            << item;
}

TEST_F(MainFormTest, ClosingTheProgramDuringAConversionStopsItFirst) {
    Start();
    Open(Picture("wide.bmp"));
    State().PatternEngine.SetPatternIndex(0);
    auto* form = new TFinalForm(State(), MethodForm); // owned by the method window
    int calls = 0;
    SetPendingMessagesProcessor([&] {
        if (calls++ == 2)
            Main().close();
        // Nothing the conversion reads has gone.
        EXPECT_NE(State().TemporaryFiles, nullptr);
        EXPECT_EQ(State().SourceBitmap.biWidth(), 150);
    });
    form->Window().Convert(1, false);
    EXPECT_EQ(calls, 3);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(fs::exists(State().TemporaryFiles->FileName("Temp0001.bmp")));
    // The close waited for the conversion and follows now.
    EXPECT_TRUE(Main().isVisible());
    QCoreApplication::processEvents();
    EXPECT_FALSE(Main().isVisible());
    EXPECT_EQ(State().TemporaryFiles, nullptr);
}

TEST_F(MainFormTest, APictureLargerThanTheScreenGivesAWindowOnTheScreenWithScrollBars) {
    Start();
    const QRect screen = AvailableArea(Main());
    const QSize picture(screen.width() + 150, screen.height() + 90);
    const std::string file = Temporary().Path("large.bmp");
    THandyBitmap large;
    large.NewImage(picture.width(), picture.height(), 8);
    large.SetPaletteCount(2);
    ASSERT_TRUE(large.SaveToFile(file)) << large.ErrorText();
    Main().move(screen.center());
    Open(file);
    EXPECT_TRUE(screen.contains(Main().frameGeometry())) << Main().frameGeometry().x();
    // The scroll bars reach the rest; the engine gets the picture's whole size.
    const auto* area = Main().findChild<QScrollArea*>("ClientArea");
    EXPECT_EQ(area->horizontalScrollBar()->maximum() + area->viewport()->width(), picture.width());
    EXPECT_EQ(area->verticalScrollBar()->maximum() + area->viewport()->height(), picture.height());
    EXPECT_EQ(State().PatternEngine.SourceWidth(), picture.width());
    EXPECT_EQ(State().PatternEngine.SourceHeight(), picture.height());
}

// Also run on a display scaled by two.
TEST_F(MainFormTest, EachPicturePixelIsABlockOfWholeDisplayPixels) {
    Start();
    Open(Picture("noise.bmp"));
    const QImage picture =
        QImage(QString::fromStdString(Picture("noise.bmp"))).convertToFormat(QImage::Format_RGB32);
    const QImage shown = Main().findChild<QWidget*>("Image1")->grab().toImage().convertToFormat(
        QImage::Format_RGB32);
    const int scale = qRound(shown.devicePixelRatio());
    ASSERT_EQ(shown.size(), picture.size() * scale);
    int wrong = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            wrong += shown.pixel(x, y) != picture.pixel(x / scale, y / scale);
    EXPECT_EQ(wrong, 0);
}

} // namespace
} // namespace slanter
