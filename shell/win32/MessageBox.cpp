#include "shell/win32/MessageBox.h"

#include <utility>

#include <windows.h>

#include "shell/General.h"
#include "shell/GuardedCommand.h"
#include "shell/win32/WideText.h"

namespace slanter {

namespace {

int ShowPlatformMessageBox(const std::string& text, int flags, const std::string& fullCaption) {
    // Owned by the active window of this thread; every window of the program is disabled
    // while it shows, and the one active before is active again afterwards.
    return ::MessageBoxW(::GetActiveWindow(), WideText(text).c_str(), WideText(fullCaption).c_str(),
                         static_cast<UINT>(flags) | MB_TASKMODAL);
}

MessageBoxShower& CurrentShower() {
    static MessageBoxShower shower;
    return shower;
}

} // namespace

int AppMessageBox(const std::string& text, int flags, const std::string& caption) {
    const std::string fullCaption = "  " + (caption.empty() ? Title : caption);
    const MessageBoxShower& shower = CurrentShower();
    return shower ? shower(text, flags, fullCaption)
                  : ShowPlatformMessageBox(text, flags, fullCaption);
}

MessageBoxShower SetMessageBoxShower(MessageBoxShower shower) {
    return std::exchange(CurrentShower(), std::move(shower));
}

void ShowGeneralError(const std::string& text) {
    AppMessageBox(text, kErrorBox);
}

bool RunGuarded(const std::function<void()>& command) {
    return RunReporting(command, ShowGeneralError);
}

} // namespace slanter
