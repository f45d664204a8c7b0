#include "shell/main/qt/ProgramWindows.h"

#include "method/qt/MethodForm.h"
#include "preview/qt/PreviewForm.h"
#include "shell/LaunchState.h"
#include "shell/main/qt/MainForm.h"
#include "shell/qt/GeneralError.h"
#include "shell/qt/WindowOnScreen.h"

namespace slanter {

namespace {

void ApplyLaunchState(TMainForm& form, int showCommand) {
    Qt::WindowStates state = form.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    switch (LaunchStateOf(showCommand)) {
    case LaunchState::Minimized:
        state |= Qt::WindowMinimized;
        break;
    case LaunchState::Maximized:
        state |= Qt::WindowMaximized;
        break;
    case LaunchState::Normal:
        break;
    }
    form.setWindowState(state);
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
    KeepFramesOnScreen();
    main_ = std::make_unique<TMainForm>(state_, commandLine);
    MainForm = main_.get();
    if (!main_->FormCreate())
        return false;
    ApplyLaunchState(*main_, showCommand);
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
