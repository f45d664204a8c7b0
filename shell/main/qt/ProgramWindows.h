#pragma once

#include <memory>
#include <string>
#include <vector>

#include "shell/ProgramState.h"

namespace slanter {

class TMainForm;
class TMethodForm;
class TPreviewForm;

// The program's windows, made in the order of the start and freed together at the end,
// as the application object holds them. The program-wide pointers MainForm, MethodForm
// and PreviewForm point at them meanwhile.
class ProgramWindows {
  public:
    ProgramWindows();
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    // Makes the main window, which shows itself, and gives it the state the launch asks
    // for, over the one it restored; then makes the method and the preview windows,
    // hidden. `commandLine` holds the run's switches. False when the main window stopped
    // the start (a damaged installation); no other window is made then.
    bool Create(const std::string& commandLine, int showCommand);

    // Opens the first of the pictures named on the command line as if it were chosen in
    // the open dialog; a run shows one picture at a time.
    void OpenNamedPicture(const std::vector<std::string>& fileNames);

    // Null until Create has made it.
    TMainForm* Main() const { return main_.get(); }
    // What the windows share.
    ProgramState& State() { return state_; }

  private:
    ProgramState state_;
    std::unique_ptr<TMainForm> main_;
    std::unique_ptr<TMethodForm> method_;
    std::unique_ptr<TPreviewForm> preview_;
};

} // namespace slanter
