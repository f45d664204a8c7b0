#include "shell/main/win32/ProgramWindows.h"

#include <windows.h>

#include "shell/LaunchState.h"

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

bool ProgramWindows::Create(const std::string& commandLine, int showCommand) {
    return ProgramWindowsOf::Create(commandLine, [showCommand](TMainForm& form) {
        // The launch's state wins over the stored one.
        ShowWindow(form.Hwnd(), ShowCommandOf(showCommand));
        SetForegroundWindow(form.Hwnd());
    });
}

} // namespace slanter
