// The main window with pictures of other formats, dropped files and the recent files.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QScrollArea>
#include <QUrl>

#include "MainWindowFixture.h"
#include "bitmap/HandyBitmap.h"
#include "engine/Slanter.h"
#include "shell/main/qt/MainForm.h"
#include "support/ForeignPictures.h"
#include "support/ReferenceTable.h"

namespace slanter {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

class MainFormPictures : public testing::MainWindowTest {
  protected:
    TMainForm& Main() { return *MainForm; }
    QSize Client() { return Main().findChild<QScrollArea*>("ClientArea")->viewport()->size(); }
    // The least client width: 100, or more where the menu bar needs more.
    int Least() { return std::max(100, Main().minimumWidth()); }
    void Open(const std::string& file) {
        Main().Presenter().OpenFile(file);
        QCoreApplication::processEvents();
    }
    std::string Information() {
        TakeBoxes();
        Main().Presenter().ShowInformation();
        const auto boxes = TakeBoxes();
        return boxes.size() == 1 ? boxes[0].text : "boxes: " + std::to_string(boxes.size());
    }
    std::string OnlyMessage() {
        const auto boxes = TakeBoxes();
        return boxes.size() == 1 ? boxes[0].text : "boxes: " + std::to_string(boxes.size());
    }
    // The File menu's entries after Clipboard: "name|text".
    Strings FileMenu() {
        Strings entries;
        for (const QAction* action : Main().findChild<QMenu*>("KFile")->actions())
            entries.push_back(action->objectName().toStdString() + "|" +
                              action->text().toStdString());
        return Strings(entries.begin() + 2, entries.end());
    }
    // Pillow's decoding of `file` against the working picture SourceBitmap holds.
    std::string DifferenceFromPillow(const std::string& file) {
        const testing::TempFolder scratch;
        const auto decoded = testing::DecodeWithPillow({file}, scratch);
        if (decoded.size() != 1)
            return "Pillow did not run";
        return testing::FirstDifference(State().SourceBitmap, decoded[0], false);
    }
};

TEST_F(MainFormPictures, APngOrAPaletteOpensAsTheWorkingFileTheMethodWindowUses) {
    Start();
    const std::string png = Picture("picture.png");
    Open(png);
    EXPECT_EQ(TakeBoxes().size(), 0u);
    EXPECT_EQ(State().SourceBitmap.biBitCount(), 24);
    EXPECT_EQ(DifferenceFromPillow(png), "");
    // SourceBitmap is the working file as our reader reads it.
    THandyBitmap working;
    ASSERT_TRUE(working.LoadFromFile(State().WorkingFile)) << working.ErrorText();
    EXPECT_EQ(
        testing::FirstDifference(working, testing::DecodeWithPillow({png}, Temporary())[0], false),
        "");
    // As wide as the English menu bar needs; the engine gets the picture's own width.
    EXPECT_EQ(Client(), QSize(std::max(120, Least()), 10));
    EXPECT_EQ(State().PatternEngine.SourceWidth(), 20);
    EXPECT_GT(State().PatternEngine.PatternCount(), 0);
    EXPECT_EQ(Stored("Folder/OpenPath").toString().toStdString(), png);
    EXPECT_EQ(Information(),
              png + "\r\n\r\n20 dots in width\r\n10 dots in height\r\n16777216 colors\r\n");

    // Indexed: 8 bits with the picture's palette, so that a plain conversion keeps it.
    Open(Picture("palette.png"));
    EXPECT_EQ(State().SourceBitmap.biBitCount(), 8);
    EXPECT_EQ(State().SourceBitmap.PaletteCount(), 200);
    EXPECT_EQ(DifferenceFromPillow(Picture("palette.png")), "");
    EXPECT_EQ(State().PatternEngine.SourceWidth(), 30);
}

TEST_F(MainFormPictures, BmpFilesOurReaderRefusesForTheirHeaderAreDecodedInstead) {
    Start();
    // ImageMagick's 124-byte header, and 32 bits a pixel.
    Open(Picture("v5.bmp"));
    EXPECT_EQ(TakeBoxes().size(), 0u);
    EXPECT_EQ(DifferenceFromPillow(Picture("wide.bmp")), "");
    EXPECT_EQ(Client(), QSize(std::max(150, Least()), 40));
    const std::string deep = std::string(SLANTER_TESTDATA_DIR) + "/bmpsuite/g/rgb32.bmp";
    Open(deep);
    EXPECT_EQ(TakeBoxes().size(), 0u);
    EXPECT_EQ(DifferenceFromPillow(deep), "");
    EXPECT_EQ(Information(),
              deep + "\r\n\r\n127 dots in width\r\n64 dots in height\r\n16777216 colors\r\n");
}

// Qt reads no picture of more than 16384 x 16384 pixels; the window shows the working
// picture our reader read, so it shows every size the command line opens.
TEST_F(MainFormPictures, APicturePastQtsReadersOpensAtItsSize) {
    Start();
    Open(testing::TestDataPath("hostile/qt-limit.png"));
    EXPECT_EQ(TakeBoxes().size(), 0u);
    EXPECT_EQ(Main().findChild<QWidget*>("Image1")->size(), QSize(16385, 16384));
    EXPECT_EQ(State().PatternEngine.SourceWidth(), 16385);
}

TEST_F(MainFormPictures, DroppedFilesOpenTheFirstAsTheOpenCommandDoes) {
    Start();
    Main().Presenter().OpenDropped({Picture("picture.png"), Picture("wide.bmp")});
    EXPECT_EQ(State().PatternEngine.SourceWidth(), 20);
    EXPECT_EQ(Stored("Folder/OpenPath").toString().toStdString(), Picture("picture.png"));

    // Through the window's own drop: a web address is no file; the first local file opens.
    QMimeData data;
    data.setUrls({QUrl(QStringLiteral("https://example.org/a.png")),
                  QUrl::fromLocalFile(QString::fromStdString(Picture("wide.bmp"))),
                  QUrl::fromLocalFile(QString::fromStdString(Picture("noise.bmp")))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&Main(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&Main(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(State().PatternEngine.SourceWidth(), 150);
    EXPECT_EQ(TakeBoxes().size(), 0u);
    EXPECT_TRUE(Main().acceptDrops());
}

// Qt lists no name that is no text in the system's encoding, so the open dialog cannot
// offer one; dropped, its bytes come whole through the URL. Also a format of our own reader.
TEST_F(MainFormPictures, ATgaWhoseNameIsNoUtf8IsNotListedByQtButOpensDropped) {
    Start();
    const std::string folder = Picture("names");
    fs::create_directory(folder);
    const std::string name = folder + "/in\xff\xfe.tga";
    // Two pixels, red and blue, 24 bits stored from the top.
    testing::WriteBytes(
        name, {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 1, 0, 24, 0x20, 0, 0, 255, 255, 0, 0});
    EXPECT_TRUE(QDir(QFile::decodeName(folder.c_str())).entryList(QDir::Files).isEmpty());
    QMimeData data;
    data.setUrls(
        {QUrl::fromEncoded("file://" + QByteArray::fromStdString(name).toPercentEncoding("/"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&Main(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&Main(), &drop);
    QCoreApplication::processEvents();
    EXPECT_EQ(OnlyMessage(), "boxes: 0");
    ASSERT_EQ(State().PatternEngine.SourceWidth(), 2);
    EXPECT_EQ(State().SourceBitmap.GetPixelColor(0, 0), 0x0000ff);
    EXPECT_EQ(State().SourceBitmap.GetPixelColor(1, 0), 0xff0000);
}

// The program the file was dragged from waits for the drop's answer, not for OK.
TEST_F(MainFormPictures, AMessageAboutADroppedFileShowsOnceTheDropIsAnswered) {
    Start();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(Picture("gone.png")))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&Main(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&Main(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(TakeBoxes().size(), 0u);
    QCoreApplication::processEvents();
    EXPECT_EQ(OnlyMessage(), "Can't copy " + Picture("gone.png") + ".\r\n");
}

TEST_F(MainFormPictures, TheFileMenuListsTheLastEightPicturesNewestFirst) {
    Start();
    EXPECT_EQ(FileMenu(), (Strings{"KFileN1|", "KFileExit|E&xit"}));
    const testing::TempFolder folder;
    Strings names;
    for (int k = 0; k < 9; ++k) {
        std::string name = folder.Path("p&" + std::to_string(k) + ".bmp");
        fs::copy_file(Picture("noise.bmp"), name);
        Open(name);
        names.insert(names.begin(), name);
    }
    // A refused file is no recent one; the clipboard's picture has no file.
    Open(Picture("picture.xyz"));
    TakeBoxes();
    names.resize(8);
    EXPECT_EQ(Main().Presenter().RecentFiles(), names);
    Strings menu{"KFileN1|"};
    for (std::size_t k = 0; k < 8; ++k) {
        std::string shown = names[k];
        shown.insert(shown.find('&'), 1, '&');
        menu.push_back("KFileRecent" + std::to_string(k + 1) + "|&" + std::to_string(k + 1) + " " +
                       shown);
    }
    menu.insert(menu.end(), {"KFileN2|", "KFileExit|E&xit"});
    EXPECT_EQ(FileMenu(), menu);

    // Chosen, an entry opens and moves to the top; the list outlives the run.
    Main().findChild<QAction*>("KFileRecent3")->trigger();
    EXPECT_EQ(Main().Presenter().RecentFiles()[0], names[2]);
    Stop();
    Start();
    EXPECT_EQ(Main().Presenter().RecentFiles()[0], names[2]);
    EXPECT_EQ(FileMenu().size(), 11u);
}

} // namespace
} // namespace slanter
