#include "MainWindowFixture.h"

#include <utility>

#include <QCoreApplication>

#include "shell/General.h"
#include "shell/main/qt/MainForm.h"
#include "support/ForeignPictures.h"

namespace slanter::testing {

std::unique_ptr<TempFolder> MainWindowTest::pictures_;

void MainWindowTest::SetUpTestSuite() {
    pictures_ = std::make_unique<TempFolder>();
    const std::string command = std::string("'") + SLANTER_PYTHON + "' '" +
                                SLANTER_MAIN_WINDOW_PICTURES + "' '" + pictures_->Path() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

void MainWindowTest::TearDownTestSuite() {
    pictures_.reset();
}

void MainWindowTest::SetUp() {
    ShellTest::SetUp();
    temporary_ = std::make_unique<TempFolder>();
    if (const char* previous = std::getenv("TMPDIR")) {
        hadTemporary_ = true;
        previousTemporary_ = previous;
    }
    ::setenv("TMPDIR", temporary_->Path().c_str(), 1);
    previousShower_ =
        SetMessageBoxShower([this](const QString& text, int flags, const QString& caption) {
            shown_.push_back({text.toStdString(), flags, caption.toStdString()});
            return kOkButton;
        });
}

void MainWindowTest::TearDown() {
    Stop();
    SetMessageBoxShower(previousShower_);
    if (hadTemporary_)
        ::setenv("TMPDIR", previousTemporary_.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
    temporary_.reset();
    ShellTest::TearDown();
}

void MainWindowTest::Start(const std::string& switches, int showCommand) {
    InitGeneral({"/tools/Slanter", switches, [] { return false; }});
    SetProgramInfo();
    windows_ = std::make_unique<ProgramWindows>();
    ASSERT_TRUE(windows_->Create(switches, showCommand));
    QCoreApplication::processEvents();
}

void MainWindowTest::Stop() {
    if (windows_ && windows_->Main() != nullptr)
        windows_->Main()->close();
    windows_.reset();
}

std::string MainWindowTest::Picture(const std::string& name) {
    return pictures_->Path(name);
}

std::vector<ShownBox> MainWindowTest::TakeBoxes() {
    return std::exchange(shown_, {});
}

} // namespace slanter::testing
