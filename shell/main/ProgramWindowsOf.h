#pragma once

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "shell/ProgramState.h"

namespace slanter {

// The program's windows, made in the order of the start and freed together at the end, as
// the application object holds them, with the state they share. Each front end names the
// program-wide pointers to its three forms, which point at them meanwhile.
template <auto& MainPointer, auto& MethodPointer, auto& PreviewPointer>
class ProgramWindowsOf {
    using TMain = std::remove_pointer_t<std::remove_cvref_t<decltype(MainPointer)>>;
    using TMethod = std::remove_pointer_t<std::remove_cvref_t<decltype(MethodPointer)>>;
    using TPreview = std::remove_pointer_t<std::remove_cvref_t<decltype(PreviewPointer)>>;

  public:
    ProgramWindowsOf() = default;
    ~ProgramWindowsOf() {
        PreviewPointer = nullptr;
        MethodPointer = nullptr;
        MainPointer = nullptr;
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

    // Makes the main window, which shows itself, in the state the launch asks for
    // (`showCommand`, see LaunchState.h) over the one it restored; then makes the method and
    // the preview windows, hidden. `commandLine` holds the run's switches. False when the
    // main window stopped the start (a damaged installation); no other window is made then.
    bool Create(const std::string& commandLine, int showCommand) {
        main_ = std::make_unique<TMain>(state_, commandLine);
        MainPointer = main_.get();
        if (!main_->Presenter().Start())
            return false;
        main_->ShowAsLaunched(showCommand);
        method_ = std::make_unique<TMethod>(state_);
        MethodPointer = method_.get();
        preview_ = std::make_unique<TPreview>(state_);
        PreviewPointer = preview_.get();
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
    ProgramState state_;
    std::unique_ptr<TMain> main_;
    std::unique_ptr<TMethod> method_;
    std::unique_ptr<TPreview> preview_;
};

} // namespace slanter
