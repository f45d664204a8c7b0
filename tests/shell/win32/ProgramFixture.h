#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "bitmap/HandyBitmap.h"
#include "shell/General.h"
#include "shell/SettingsStore.h"
#include "shell/main/win32/MainForm.h"
#include "shell/win32/MessageBox.h"
#include "shell/main/win32/ProgramWindows.h"
#include "shell/win32/Wnd.h"
#include "support/TempFolder.h"

namespace slanter::testing {

// The program's windows in this process, on the virtual display, with a fresh settings
// key; the messages it shows are collected instead of shown.
class ProgramFixture : public ::testing::Test {
  protected:
    // With `keepSettings`, the settings written before stay for the start.
    void Start(bool japanese, bool keepSettings = false) {
        const std::string switches = japanese ? "/JAPANESE" : "/ENGLISH";
        InitGeneral({"C:\\tools\\Slanter.exe", switches, [] { return false; }});
        SetProgramInfo();
        if (!keepSettings)
            EraseSettings();
        previous_ = SetMessageBoxShower([this](const std::string& text, int, const std::string&) {
            messages.push_back(text);
            return kOkButton;
        });
        windows = std::make_unique<ProgramWindows>();
        ASSERT_TRUE(windows->Create(switches, SW_SHOWNORMAL));
        Pump();
    }
    void SetUp() override { Start(false); }
    void TearDown() override {
        if (windows && windows->Main() != nullptr)
            windows->Main()->Close();
        windows.reset();
        SetMessageBoxShower(previous_);
        SettingsWritable = true;
        EraseSettings();
    }

    TMainForm& Main() { return *windows->Main(); }
    ProgramState& State() { return windows->State(); }
    static void Pump() { ProcessPendingMessages(); }

    // A picture file in the test's folder.
    std::string Write(const std::string& name, THandyBitmap& picture) {
        const std::string fileName = folder.Path(name);
        EXPECT_TRUE(picture.SaveToFile(fileName));
        return fileName;
    }
    std::string Write(const std::string& name, THandyBitmap&& picture) {
        return Write(name, picture);
    }

    // The colour painted at client point (x, y) of the window.
    static COLORREF Painted(HWND window, int x, int y) {
        UpdateWindow(window);
        HDC dc = GetDC(window);
        const COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(window, dc);
        return colour;
    }

    // A picture's colour value (red low) as GDI gives it.
    static COLORREF AsColorRef(std::int32_t value) {
        return RGB(value & 0xFF, value >> 8 & 0xFF, value >> 16 & 0xFF);
    }

    std::unique_ptr<ProgramWindows> windows;
    TempFolder folder;
    std::vector<std::string> messages;

  private:
    MessageBoxShower previous_;
};

} // namespace slanter::testing
