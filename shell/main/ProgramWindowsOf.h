#pragma once

#include <memory>
#include <string>
#include <vector>

#include "shell/ProgramState.h"

namespace slanter {

// The program's windows, made in the order of the start and freed together at the end, as
// the application object holds them, with the state they share; each front end names its
// three forms. The program-wide pointers to the windows point at them meanwhile.
template <typename TMain, typename TMethod, typename TPreview>
class ProgramWindowsOf {
  public:
    struct WindowPointers {
        TMain*& main;
        TMethod*& method;
        TPreview*& preview;
    };

    explicit ProgramWindowsOf(WindowPointers pointers) : pointers_(pointers) {}
    ~ProgramWindowsOf() {
        pointers_.preview = nullptr;
        pointers_.method = nullptr;
        pointers_.main = nullptr;
        // Nothing may reach a window that goes before the one holding it.
        if (main_)
            main_->Presenter().SetMethodWindow(nullptr);
        if (method_)
            method_->SetPreviewWindow(nullptr);
        preview_.reset();
        method_.reset();
        main_.reset();
    }
    ProgramWindowsOf(const ProgramWindowsOf&) = delete;
    ProgramWindowsOf& operator=(const ProgramWindowsOf&) = delete;

    // Makes the main window, which shows itself, and has `launch` give it the state the
    // launch asks for, over the one it restored; then makes the method and the preview
    // windows, hidden. `commandLine` holds the run's switches. False when the main window
    // stopped the start (a damaged installation); no other window is made then.
    template <typename Launch>
    bool Create(const std::string& commandLine, Launch&& launch) {
        main_ = std::make_unique<TMain>(state_, commandLine);
        pointers_.main = main_.get();
        if (!main_->Presenter().Start())
            return false;
        launch(*main_);
        method_ = std::make_unique<TMethod>(state_);
        pointers_.method = method_.get();
        preview_ = std::make_unique<TPreview>(state_);
        pointers_.preview = preview_.get();
        method_->SetPreviewWindow(&preview_->Window());
        main_->Presenter().SetMethodWindow(&method_->Window());
        return true;
    }

    // Opens the first of the pictures named on the command line as if it were chosen in
    // the open dialog; a run shows one picture at a time.
    void OpenNamedPicture(const std::vector<std::string>& fileNames) {
        if (main_ && !fileNames.empty())
            main_->Presenter().OpenFile(fileNames.front());
    }

    // Null until Create has made it.
    TMain* Main() const { return main_.get(); }
    // What the windows share.
    ProgramState& State() { return state_; }

  private:
    WindowPointers pointers_;
    ProgramState state_;
    std::unique_ptr<TMain> main_;
    std::unique_ptr<TMethod> method_;
    std::unique_ptr<TPreview> preview_;
};

} // namespace slanter
