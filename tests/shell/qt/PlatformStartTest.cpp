#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPushButton>

#include "ShellFixture.h"
#include "shell/qt/PlatformStart.h"
#include "shell/qt/PlatformTranslations.h"

namespace slanter {
namespace {

class PlatformStartTest : public testing::ShellTest {};

TEST_F(PlatformStartTest, StartRecordsThisProgramsFolderAndName) {
    StartGeneral();
    const QFileInfo program(QCoreApplication::applicationFilePath());
    const std::string folder = QFile::encodeName(program.absolutePath()).toStdString() + "/";
    EXPECT_EQ(WorkFolder, folder);
    EXPECT_EQ(ProgramName, "shell_qt_tests");
    EXPECT_EQ(HelpFileName, folder + (Japanese ? "shell_qt_tests.html" : "shell_qt_testsE.html"));
    EXPECT_EQ(Title, "Bit Map Slanter");
    EXPECT_EQ(Stored("Application/Path").toString().toStdString(), folder);
    EXPECT_EQ(Stored("Application/ExeName"), QVariant("shell_qt_tests"));
    EXPECT_EQ(Stored("Application/Revision"), QVariant("2"));
}

TEST_F(PlatformStartTest, TheProgramsOwnPathIsNoSwitch) {
    // The tests run without arguments of their own, whatever folder they live in.
    EXPECT_EQ(PlatformProgramStart().commandLine, "");
}

TEST_F(PlatformStartTest, AJapaneseRunHasQtsOwnDialogsAndButtonsInJapanese) {
    const auto cancel = [] {
        return QDialogButtonBox(QDialogButtonBox::Cancel).buttons()[0]->text();
    };
    const auto overwrite = [] {
        return QCoreApplication::translate("QFileDialog",
                                           "%1 already exists.\nDo you want to replace it?");
    };
    EXPECT_FALSE(LoadPlatformTranslations(false));
    EXPECT_EQ(cancel(), "Cancel");
    ASSERT_TRUE(LoadPlatformTranslations(true));
    EXPECT_EQ(cancel(), QString::fromUtf8("キャンセル"));
    EXPECT_TRUE(overwrite().contains(QString::fromUtf8("置き換え"))) << overwrite().toStdString();
    UnloadPlatformTranslations();
    EXPECT_EQ(cancel(), "Cancel");
}

} // namespace
} // namespace slanter
