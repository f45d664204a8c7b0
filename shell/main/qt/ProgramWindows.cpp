#include "shell/main/qt/ProgramWindows.h"

#include "shell/LaunchState.h"
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

bool ProgramWindows::Create(const std::string& commandLine, int showCommand) {
    KeepFramesOnScreen();
    return ProgramWindowsOf::Create(
        commandLine, [showCommand](TMainForm& form) { ApplyLaunchState(form, showCommand); });
}

} // namespace slanter
