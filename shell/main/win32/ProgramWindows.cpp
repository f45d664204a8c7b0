#include "shell/main/win32/ProgramWindows.h"

#include <windows.h>

#include "method/win32/MethodForm.h"
#include "preview/win32/PreviewForm.h"
#include "shell/LaunchState.h"
#include "shell/main/win32/MainForm.h"
#include "shell/win32/MessageBox.h"

namespace slanter {

namespace {

int ShowCommandOf(int launchShowCommand) {
    switch (LaunchStateOf(launchShowCommand)) {
    case LaunchState::Minimized:
        return SW_SHOWMINIMIZED;
    case LaunchState::Maximized:
        return SW_SHOWMAXIMIZED;
    case LaunchState::Normal:
        break;
    }
    return SW_SHOWNORMAL;
}

} // namespace

ProgramWindows::ProgramWindows() = default;

ProgramWindows::~ProgramWindows() {
    PreviewForm = nullptr;
    MethodForm = nullptr;
    MainForm = nullptr;
    if (main_)
        main_->SetMethodWindow(nullptr);
    if (method_)
        method_->SetPreviewWindow(nullptr);
    preview_.reset();
    method_.reset();
    main_.reset();
}

bool ProgramWindows::Create(const std::string& commandLine, int showCommand) {
    main_ = std::make_unique<TMainForm>(state_, commandLine);
    MainForm = main_.get();
    if (!main_->FormCreate())
        return false;
    // The launch's state wins over the stored one.
    ShowWindow(main_->Hwnd(), ShowCommandOf(showCommand));
    SetForegroundWindow(main_->Hwnd());
    method_ = std::make_unique<TMethodForm>(state_);
    MethodForm = method_.get();
    preview_ = std::make_unique<TPreviewForm>(state_);
    PreviewForm = preview_.get();
    method_->SetPreviewWindow(&preview_->Window());
    main_->SetMethodWindow(&method_->Window());
    return true;
}

void ProgramWindows::OpenNamedPicture(const std::vector<std::string>& fileNames) {
    if (main_ && !fileNames.empty())
        RunGuarded([&] { main_->OpenChosenFile(fileNames.front()); });
}

} // namespace slanter
