#pragma once

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <QString>

#include "ShellFixture.h"
#include "shell/LaunchState.h"
#include "shell/qt/MessageBox.h"
#include "shell/main/qt/ProgramWindows.h"
#include "support/TempFolder.h"

namespace slanter::testing {

struct ShownBox {
    std::string text;
    int flags;
    std::string caption;
};

// The program's windows as a run makes them, with every message box caught instead of
// shown and the user's temporary location in a folder of the test's own. The pictures of
// main_window_pictures.py are made once for all tests.
class MainWindowTest : public ShellTest {
  protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Starts with the language of `switches` ("/ENGLISH" unless it names another).
    void Start(const std::string& switches = "/ENGLISH", int showCommand = kShowNormal);
    // Closes and frees the windows, as the end of a run does.
    void Stop();

    static std::string Picture(const std::string& name);
    // The user's temporary location of this test.
    const TempFolder& Temporary() const { return *temporary_; }
    // The boxes shown so far, emptied.
    std::vector<ShownBox> TakeBoxes();
    // What the windows share.
    ProgramState& State() { return windows_->State(); }

    std::unique_ptr<ProgramWindows> windows_;
    std::vector<ShownBox> shown_;

  private:
    static std::unique_ptr<TempFolder> pictures_;
    std::unique_ptr<TempFolder> temporary_;
    std::string previousTemporary_;
    bool hadTemporary_ = false;
    MessageBoxShower previousShower_;
};

} // namespace slanter::testing
