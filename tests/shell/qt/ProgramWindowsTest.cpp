#include <algorithm>
#include <filesystem>

#include <QDir>
#include <QListWidget>
#include <QPushButton>

#include "MainWindowFixture.h"
#include "conversion/qt/FinalForm.h"
#include "engine/Slanter.h"
#include "method/qt/MethodForm.h"
#include "preview/qt/PreviewForm.h"
#include "shell/TemporaryPictures.h"
#include "shell/main/qt/MainForm.h"
#include "shell/qt/GeneralError.h"
#include "shell/qt/OpenForm.h"
#include "shell/qt/PictureFiles.h"

namespace slanter {
namespace {

namespace fs = std::filesystem;

class ProgramWindowsTest : public testing::MainWindowTest {
  protected:
    void TearDown() override {
        SetPictureFormatLister({});
        MainWindowTest::TearDown();
    }
    // The folders and files in the user's temporary location of the test.
    std::vector<std::string> TemporaryEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(Temporary().Path()))
            names.push_back(fs::relative(entry.path(), Temporary().Path()).string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(ProgramWindowsTest, TheMainWindowShowsAndTheOthersWaitHidden) {
    Start();
    ASSERT_NE(MainForm, nullptr);
    ASSERT_NE(MethodForm, nullptr);
    ASSERT_NE(PreviewForm, nullptr);
    EXPECT_TRUE(MainForm->isVisible());
    EXPECT_FALSE(MethodForm->isVisible());
    EXPECT_FALSE(PreviewForm->isVisible());
    EXPECT_FALSE(OpenForm->isVisible()); // the splash came and went
    EXPECT_EQ(MainForm->geometry(), QRect(24, 21, 251, 123));
    EXPECT_EQ(MethodForm->geometry(), QRect(25, 155, 462, 178));
    EXPECT_EQ(PreviewForm->size(), QSize(201, 201));
    EXPECT_EQ(MethodForm->windowTitle(), "Method");
    EXPECT_EQ(PreviewForm->windowTitle(), "Preview");
    // The run's folder for its pictures, empty until a picture is opened.
    ASSERT_EQ(TemporaryEntries().size(), 1u);
    EXPECT_EQ(TemporaryEntries()[0].substr(0, 8), "slanter-");
    EXPECT_EQ(State().WorkingFile, Temporary().Path(TemporaryEntries()[0]) + "/Temp0000.bmp");
}

TEST_F(ProgramWindowsTest, JapaneseCaptionsOfTheOtherWindows) {
    Start("/JAPANESE");
    EXPECT_EQ(MethodForm->windowTitle(), "変換方法");
    EXPECT_EQ(PreviewForm->windowTitle(), "プレビュー");
}

TEST_F(ProgramWindowsTest, TheLaunchStateOverridesTheRestoredOne) {
    WriteSetting("MainForm", "State", "Maximized");
    Start("/ENGLISH", 1);
    EXPECT_EQ(MainForm->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized), 0);
    Stop();
    WriteSetting("MainForm", "State", "Normal");
    Start("/ENGLISH", 3);
    EXPECT_TRUE(MainForm->windowState() & Qt::WindowMaximized);
    Stop();
    Start("/ENGLISH", 7);
    EXPECT_TRUE(MainForm->windowState() & Qt::WindowMinimized);
}

TEST_F(ProgramWindowsTest, PlacementsAreRestoredAtStartAndSavedAtClose) {
    WriteSetting("MainForm", "Left", 300);
    WriteSetting("MainForm", "Width", 400);
    WriteSetting("MethodForm", "Left", 40);
    WriteSetting("MethodForm", "Height", 250);
    WriteSetting("PreviewForm", "Top", 60);
    WriteSetting("PreviewForm", "Width", 999);
    Start();
    EXPECT_EQ(MainForm->geometry(), QRect(300, 21, 400, 123));
    EXPECT_EQ(MethodForm->geometry(), QRect(40, 155, 462, 250));
    EXPECT_EQ(PreviewForm->geometry(), QRect(496, 60, 201, 201));

    MethodForm->setGeometry(50, 51, 300, 200);
    PreviewForm->move(70, 71);
    MainForm->setGeometry(10, 11, 260, 130);
    MainForm->close();
    EXPECT_EQ(Stored("MainForm/Left"), QVariant("10"));
    EXPECT_EQ(Stored("MainForm/Height"), QVariant("130"));
    EXPECT_EQ(Stored("MethodForm/Top"), QVariant("51"));
    EXPECT_EQ(Stored("MethodForm/Width"), QVariant("300"));
    EXPECT_EQ(Stored("PreviewForm/Left").toInt(), PreviewForm->geometry().left());
    EXPECT_EQ(Stored("PreviewForm/Width"), QVariant("999")); // never written by the window
    EXPECT_FALSE(MethodForm->isVisible());
}

TEST_F(ProgramWindowsTest, CloseRemovesThisRunsPicturesAndNoOneElses) {
    Start();
    // What another run and another program keep in the same temporary location.
    fs::create_directory(Temporary().Path("slanter-other"));
    testing::WriteBytes(Temporary().Path("slanter-other/Temp0000.bmp"), {1});
    testing::WriteBytes(Temporary().Path("Temp0001.bmp"), {2});
    MainForm->Presenter().OpenFile(Picture("noise.bmp"));
    const fs::path folder = fs::path(State().WorkingFile).parent_path();
    // A result file of a conversion, noted as the conversion notes it.
    State().TemporaryFiles->Writing(folder / "Temp0001.bmp");
    testing::WriteBytes((folder / "Temp0001.bmp").string(), {3});
    ASSERT_TRUE(fs::exists(State().WorkingFile));

    int closed = 0;
    QObject::connect(MainForm, &TMainForm::Closed, [&closed] { ++closed; });
    MainForm->Presenter().Exit();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_EQ(TemporaryEntries(), (std::vector<std::string>{"Temp0001.bmp", "slanter-other",
                                                            "slanter-other/Temp0000.bmp"}));
    EXPECT_EQ(State().TemporaryFiles, nullptr);
    EXPECT_EQ(State().SourceBitmap.biWidth(), 0);
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(ProgramWindowsTest, TwoRunsSideBySideKeepTheirOwnWorkingFiles) {
    Start();
    MainForm->Presenter().OpenFile(Picture("noise.bmp"));
    const std::string first = State().WorkingFile;
    // A second run of the program, with windows of its own.
    auto second = std::make_unique<ProgramWindows>();
    ASSERT_TRUE(second->Create("/ENGLISH", 1));
    second->Main()->Presenter().OpenFile(Picture("wide.bmp"));
    const std::string other = second->State().WorkingFile;
    EXPECT_NE(first, other);
    second->Main()->close();
    second.reset();
    EXPECT_FALSE(fs::exists(other));
    EXPECT_EQ(testing::ReadBytes(first), testing::ReadBytes(Picture("noise.bmp")));
}

TEST_F(ProgramWindowsTest, AStoreThatCannotBeWrittenStillLetsTheProgramEnd) {
    Start();
    MainForm->Presenter().OpenFile(Picture("noise.bmp"));
    const fs::path folder = fs::path(State().WorkingFile).parent_path();
    TakeBoxes();
    // A folder where the store's file should be cannot be written, even by root.
    QFile::remove(StoreFileName());
    ASSERT_TRUE(QDir().mkpath(StoreFileName()));
    int closed = 0;
    QObject::connect(MainForm, &TMainForm::Closed, [&closed] { ++closed; });
    MainForm->close();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(fs::exists(folder));
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].flags, kWarningBox);
    QDir(StoreFileName()).removeRecursively();
}

TEST_F(ProgramWindowsTest, AStoreThatCannotBeWrittenLetsTheUserOpenConvertAndSave) {
    QFile::remove(StoreFileName());
    ASSERT_TRUE(QDir().mkpath(StoreFileName()));
    Start();
    MainForm->Presenter().OpenFile(Picture("noise.bmp"));
    ASSERT_GT(State().PatternEngine.PatternCount(), 0);
    MethodForm->findChild<QListWidget*>(QStringLiteral("ListBox1"))->setCurrentRow(0);
    MethodForm->findChild<QPushButton*>(QStringLiteral("Button2"))->click();
    ASSERT_EQ(MethodForm->ResultWindows().size(), 1u);
    const std::string saved = Temporary().Path("saved.bmp");
    MethodForm->ResultWindows()[0]->SaveResultAs(saved);
    EXPECT_TRUE(fs::exists(saved));
    MainForm->close();
    // Told once, at the first write, with a warning rather than an error.
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind("Can't save the settings to ", 0), 0u);
    EXPECT_EQ(boxes[0].flags, kWarningBox);
    QDir(StoreFileName()).removeRecursively();
}

TEST_F(ProgramWindowsTest, AStoreThatCannotBeReadStillStarts) {
    RawStore().setValue("MainForm/Left", QStringList{"1", "2"});
    Start();
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Invalid data type for 'Left'");
    EXPECT_EQ(boxes[0].flags, kErrorBox);
    EXPECT_TRUE(MainForm->isVisible());
}

TEST_F(ProgramWindowsTest, DeleteRegistryErasesAndClosingWritesNothingAgain) {
    Start("/ENGLISH /REGISTRY");
    MainForm->Presenter().OpenFile(Picture("noise.bmp"));
    ASSERT_TRUE(StoreExists());
    const fs::path folder = fs::path(State().WorkingFile).parent_path();
    MainForm->Presenter().EraseSettings();
    EXPECT_FALSE(MainForm->isVisible());
    EXPECT_FALSE(StoreExists());
    EXPECT_FALSE(fs::exists(folder));
}

TEST_F(ProgramWindowsTest, ADamagedInstallationStopsTheStart) {
    SetPictureFormatLister([](bool writable) {
        return writable ? std::vector<std::string>{"bmp"} : std::vector<std::string>{"bmp", "png"};
    });
    InitGeneral({"/tools/Slanter", "/ENGLISH", [] { return false; }});
    SetProgramInfo();
    windows_ = std::make_unique<ProgramWindows>();
    EXPECT_FALSE(windows_->Create("/ENGLISH", 1));
    const auto boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Bit Map Slanter cannot start: its installation is damaged.\r\n"
                             "No reader for ICO pictures was found.\r\n"
                             "Please install the program again.");
    EXPECT_EQ(MethodForm, nullptr);
    EXPECT_FALSE(OpenForm->isVisible());
    EXPECT_TRUE(TemporaryEntries().empty());
}

TEST_F(ProgramWindowsTest, APictureNamedOnTheCommandLineOpensAtStart) {
    Start();
    windows_->OpenNamedPicture({Picture("wide.bmp"), Picture("noise.bmp")});
    EXPECT_EQ(State().PatternEngine.SourceWidth(), 150);
    EXPECT_TRUE(MethodForm->isVisible());
    windows_->OpenNamedPicture({});
    EXPECT_EQ(State().PatternEngine.SourceWidth(), 150);
}

} // namespace
} // namespace slanter
