#include "shell/win32/Help.h"

#include <shellapi.h>

#include "shell/FileFound.h"
#include "shell/General.h"
#include "shell/InfoTexts.h"
#include "shell/win32/MessageBox.h"
#include "shell/win32/WideText.h"

namespace slanter {

void ShowHelp(HWND owner) {
    if (!FileFound(HelpFileName)) {
        AppMessageBox(HelpNotFoundText(Japanese, HelpFileName), kWarningBox);
        return;
    }
    // A viewer that fails to start is not reported, as with any other help viewer.
    ShellExecuteW(owner, L"open", WideText(HelpFileName).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace slanter
