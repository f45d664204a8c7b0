#pragma once

#include <memory>
#include <string>
#include <vector>

#include "shell/ProgramState.h"

namespace slanter {

class TMainForm;
class TMethodForm;
class TPreviewForm;

// The program's windows for one run: the main window first, shown in the launch's state,
// then the method and preview windows, made hidden. Freed in the reverse order.
class ProgramWindows {
  public:
    ProgramWindows();
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    // False when the main window refused to start (a damaged installation).
    bool Create(const std::string& commandLine, int showCommand);
    // The first picture named on the command line, opened as the open command does.
    void OpenNamedPicture(const std::vector<std::string>& fileNames);
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
