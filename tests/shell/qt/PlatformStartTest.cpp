#include <QCoreApplication>
#include <QFileInfo>

#include "ShellFixture.h"
#include "shell/qt/PlatformStart.h"

namespace slanter {
namespace {

class PlatformStartTest : public testing::ShellTest {};

TEST_F(PlatformStartTest, StartRecordsThisProgramsFolderAndName) {
    StartGeneral();
    const QFileInfo program(QCoreApplication::applicationFilePath());
    const std::string folder = QFile::encodeName(program.absolutePath()).toStdString() + "/";
    EXPECT_EQ(WorkFolder, folder);
    EXPECT_EQ(ProgramName, "shell_qt_tests");
    EXPECT_EQ(HelpFileName, folder + (Japanese ? "shell_qt_tests.hlp" : "shell_qt_testsE.hlp"));
    EXPECT_EQ(Title, "Bit Map Slanter");
    EXPECT_EQ(Stored("Application/Path").toString().toStdString(), folder);
    EXPECT_EQ(Stored("Application/ExeName"), QVariant("shell_qt_tests"));
    EXPECT_EQ(Stored("Application/Revision"), QVariant("2"));
}

TEST_F(PlatformStartTest, TheProgramsOwnPathIsNoSwitch) {
    // The tests run without arguments of their own, whatever folder they live in.
    EXPECT_EQ(PlatformProgramStart().commandLine, "");
}

} // namespace
} // namespace slanter
