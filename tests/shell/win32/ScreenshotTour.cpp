// A test-only driver of the Windows desktop program, for looking at its windows under
// wine: it starts the program's windows as the program does, goes the whole way a user
// goes (open a picture, choose a pattern, preview, convert, tile nine times, zoom, save)
// and writes a BMP picture of each window as the screen shows it.
//
//     slanter_win32_screenshot_tour FOLDER PICTURE ICON LARGE_PICTURE /JAPANESE|/ENGLISH
//
// Writes FOLDER/LANG-main.bmp, -method, -preview, -preview-outline, -result-9,
// -result-9-50, -result-1-200, -main-icon, -large-main, -large-result-1, -large-result-9,
// -large-result-fit and -screen (LANG "ja" or "en"), and FOLDER/LANG-result.bmp as the
// result window saved it. Exit code 0 when every step was done.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "bitmap/HandyBitmap.h"
#include "conversion/ResultZoom.h"
#include "conversion/win32/FinalForm.h"
#include "engine/Slanter.h"
#include "method/win32/MethodForm.h"
#include "preview/win32/PreviewForm.h"
#include "shell/General.h"
#include "shell/SettingsStore.h"
#include "shell/main/win32/MainForm.h"
#include "shell/main/win32/ProgramWindows.h"
#include "shell/win32/MessageBox.h"
#include "shell/win32/PictureSizeDialog.h"
#include "shell/win32/Wnd.h"

namespace {

using namespace slanter;

std::string folder;
std::string language;
int failures = 0;

void Settle() {
    for (int k = 0; k < 10; ++k) {
        ProcessPendingMessages();
        Sleep(60);
    }
}

// The screen's pixels in `area`, as a 24-bit BMP file.
void CaptureArea(const RECT& area, const std::string& name) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    THandyBitmap picture;
    picture.NewImage(width, height, 24);
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.SetPixelColor(x, height - 1 - y,
                                  THandyBitmap::SwapRedBlue(static_cast<std::int32_t>(
                                      pixels[static_cast<std::size_t>(y) * width + x])));
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(section);
    ReleaseDC(nullptr, screen);
    const std::string file = folder + "\\" + language + "-" + name + ".bmp";
    if (!picture.SaveToFile(file)) {
        std::fprintf(stderr, "cannot write %s\n", file.c_str());
        ++failures;
    }
}

void Capture(HWND window, const std::string& name) {
    Settle();
    SetForegroundWindow(window);
    Settle();
    RECT frame{};
    GetWindowRect(window, &frame);
    // The window manager's frame around it too.
    InflateRect(&frame, 6, 6);
    frame.top -= 24;
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&frame, &frame, &screen);
    CaptureArea(frame, name);
}

void Step(bool done, const char* what) {
    if (!done) {
        std::fprintf(stderr, "step failed: %s\n", what);
        ++failures;
    }
}

// The pattern with the smallest tile: the quickest to convert.
int SmallestPattern(const TSlanter& engine) {
    int best = -1;
    std::int64_t bestArea = 0;
    for (std::int32_t k = 0; k < engine.PatternCount(); ++k) {
        const TPoint size = engine.PatternSize(k);
        const std::int64_t area = std::int64_t{size.X} * size.Y;
        if (best < 0 || area < bestArea) {
            best = k;
            bestArea = area;
        }
    }
    return best;
}

TFinalForm& ConvertRow(int row) {
    MethodForm->ListBox1.Select(row);
    MethodForm->Button2.Click();
    Settle();
    return *MethodForm->ResultWindows().back();
}

TPictureSizeDialog* sizeDialog = nullptr;

void CALLBACK PictureSizeShown(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    sizeDialog->WidthEdit.SetText("32");
    Capture(sizeDialog->Hwnd(), "picture-size");
    CaptureArea({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                "picture-size-screen");
    sizeDialog->CancelButton.Click();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s FOLDER PICTURE ICON LARGE /JAPANESE|/ENGLISH\n", argv[0]);
        return 2;
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    folder = argv[1];
    const std::string switches = argv[5];
    language = switches == "/JAPANESE" ? "ja" : "en";
    InitGeneral({"C:\\tools\\Slanter.exe", switches, [] { return false; }});
    SetProgramInfo();
    EraseSettings();
    SetMessageBoxShower([](const std::string& text, int, const std::string&) {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        ++failures;
        return kOkButton;
    });
    {
        ProgramWindows windows;
        Step(windows.Create(switches, SW_SHOWNORMAL), "start");
        TMainForm& main = *windows.Main();
        main.Presenter().OpenFile(argv[2]);
        Capture(main.Hwnd(), "main");
        {
            // Pictured from inside its own modal loop, as the user meets it, then cancelled.
            TPictureSizeDialog size;
            const TPoint opened{windows.State().SourceBitmap.biWidth(),
                                windows.State().SourceBitmap.biHeight()};
            Step(size.Create(main.Hwnd(), language == "ja", opened, opened), "size dialog");
            sizeDialog = &size;
            SetTimer(nullptr, 0, 100, &PictureSizeShown);
            Step(!size.RunModal(), "size dialog cancelled");
        }
        Step(MethodForm->ListBox1.Count() > 3, "patterns listed");
        MethodForm->ListBox1.Select(3);
        Capture(MethodForm->Hwnd(), "method");
        // Shift+Tab from the list, as a keyboard user reaches Convert.
        MethodForm->Window().BringToFront();
        MethodForm->ListBox1.SetFocus();
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = 0x80;
        SetKeyboardState(keys);
        MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
        DispatchOne(tab);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        Step(GetFocus() == MethodForm->Button2.Hwnd(), "Convert reached by the keys");
        Capture(MethodForm->Hwnd(), "method-keys");
        MethodForm->Button1.Click();
        Capture(PreviewForm->Hwnd(), "preview");
        PreviewForm->CheckBox1.Click();
        Capture(PreviewForm->Hwnd(), "preview-outline");
        TFinalForm& result = ConvertRow(3);
        result.Presenter().ShowView(9);
        Capture(result.Hwnd(), "result-9");
        result.Presenter().ZoomTo(50);
        Capture(result.Hwnd(), "result-9-50");
        result.Presenter().ShowView(1);
        result.Presenter().ZoomTo(200);
        Capture(result.Hwnd(), "result-1-200");
        result.Presenter().SaveResultAs(folder + "\\" + language + "-result.bmp");
        CaptureArea({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, "screen");

        main.Presenter().OpenFile(argv[3]);
        Capture(main.Hwnd(), "main-icon");

        main.Presenter().OpenFile(argv[4]);
        Capture(main.Hwnd(), "large-main");
        const int large = SmallestPattern(windows.State().PatternEngine);
        Step(large >= 0, "a large pattern");
        TFinalForm& largeResult = ConvertRow(large);
        largeResult.Presenter().ZoomTo(100);
        Capture(largeResult.Hwnd(), "large-result-1");
        largeResult.Presenter().ShowView(9);
        const SIZE client = largeResult.ClientArea().ClientSize();
        largeResult.ClientArea().ScrollTo((largeResult.Presenter().Shown().X - client.cx) / 2,
                                          (largeResult.Presenter().Shown().Y - client.cy) / 2);
        Capture(largeResult.Hwnd(), "large-result-9");
        largeResult.Presenter().ZoomTo(kZoomToFit);
        Capture(largeResult.Hwnd(), "large-result-fit");
        CaptureArea({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                    "large-screen");
        main.Close();
    }
    EraseSettings();
    return failures == 0 ? 0 : 1;
}
