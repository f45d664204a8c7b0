// The desktop program on the Windows API: the start, the windows, the message loop.
#include <windows.h>

#include <commctrl.h>

#include "shell/main/win32/MainForm.h"
#include "shell/main/win32/ProgramWindows.h"
#include "shell/win32/MessageBox.h"
#include "shell/win32/PlatformStart.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace slanter;
    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // A settings store that cannot be written is reported; the program runs without it.
    RunGuarded(StartGeneral);

    ProgramWindows windows;
    if (!windows.Create(PlatformProgramStart().commandLine, LaunchShowCommand()))
        return 1;
    windows.Main()->Closed = [] { PostQuitMessage(0); };
    windows.OpenNamedPicture(PictureArguments());
    return RunMessageLoop();
}
