// The result window in this process under wine: its saved file against slanter-cli's,
// its views and zoom painted, the clipboard both ways, the paints it asks for.
#include <algorithm>
#include <filesystem>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "cli/CliCommand.h"
#include "conversion/ResultZoom.h"
#include "conversion/win32/FinalForm.h"
#include "method/win32/MethodForm.h"
#include "shell/FileFound.h"
#include "shell/win32/BackgroundWork.h"
#include "shell/win32/FileDialogs.h"
#include "support/PatternedBitmap.h"
#include "tests/cli/CliRun.h"
#include "tests/shell/win32/ProgramFixture.h"

namespace slanter::testing {
namespace {

class ResultWindow : public ProgramFixture {
  protected:
    // Opens `file`, converts its pattern `pattern` and answers the result window.
    TFinalForm& Convert(const std::string& file, int pattern, bool smoothing) {
        Main().Presenter().OpenFile(file);
        (smoothing ? MethodForm->RadioButton6 : MethodForm->RadioButton5).Click();
        MethodForm->ListBox1.Select(pattern);
        MethodForm->Button2.Click();
        Pump();
        return *MethodForm->ResultWindows().back();
    }
};

TEST_F(ResultWindow, TheSavedFilesAreSlanterCliOutputByteForByte) {
    for (const int bits : {8, 24}) {
        for (const bool smoothing : {false, true}) {
            for (const std::string kind : {"bmp", "png"}) {
                SCOPED_TRACE(std::to_string(bits) + (smoothing ? " bits, smoothed, " : " bits, ") +
                             kind);
                const std::string source = Write("source.bmp", PatternedBitmap(bits, 53, 37));
                TFinalForm& result = Convert(source, 4, smoothing);
                ASSERT_FALSE(result.Picture().IsEmpty());
                const std::string saved = folder.Path("window." + kind);
                result.Presenter().SaveResultAs(saved);
                const std::string expected = folder.Path("cli." + kind);
                cli::Arguments words{"convert", source, expected, "--pattern", "4"};
                if (smoothing)
                    words.push_back("--smooth");
                ASSERT_EQ(cli::RunWords(words).code, 0);
                EXPECT_EQ(ReadBytes(saved), ReadBytes(expected));
                EXPECT_TRUE(messages.empty());
            }
        }
    }
}

// The faults the Windows window had of its own: the result file written in place, kept
// after the window closed, a save dialog never in the picture's folder.
TEST_F(ResultWindow, SaveAsStartsInThePicturesFolderAndAClosedWindowDeletesItsFile) {
    const std::string source = Write("folder.bmp", PatternedBitmap(24, 30, 20));
    TFinalForm& result = Convert(source, 1, false);
    const std::string file = result.Presenter().ResultFile();
    ASSERT_TRUE(FileFound(file));
    std::vector<std::string> folders;
    std::string offered;
    const auto previous = SetFileDialogRunner([&](bool, const FileDialogSettings& settings) {
        folders.push_back(settings.folder);
        offered = settings.fileName;
        return std::optional<std::string>();
    });
    result.RunCommand(result.Menu().Id("KFileSaveAs"));
    SetFileDialogRunner(previous);
    EXPECT_EQ(folders, std::vector<std::string>{folder.Path() + "\\"});
    EXPECT_TRUE(offered.starts_with("folder-") && offered.ends_with("deg.bmp")) << offered;
    result.Close();
    Pump();
    EXPECT_FALSE(result.IsVisible());
    EXPECT_FALSE(FileFound(file));
}

TEST_F(ResultWindow, TheViewsTileThePictureAndTheZoomScalesIt) {
    TFinalForm& result = Convert(Write("tiles.bmp", PatternedBitmap(24, 50, 40)), 3, false);
    const TPoint size{result.Picture().Width(), result.Picture().Height()};
    EXPECT_EQ(result.Presenter().Shown(), size);
    result.RunCommand(result.Menu().Id("KView4"));
    EXPECT_EQ(result.Presenter().Shown(), (TPoint{2 * size.X, 2 * size.Y}));
    EXPECT_TRUE(result.Menu().IsChecked("KView4"));
    // The copy to the right begins with the picture's own first column.
    const HWND canvas = result.ClientArea().Hwnd();
    EXPECT_EQ(Painted(canvas, size.X, 0), result.Picture().ColorAt(0, 0));
    EXPECT_EQ(Painted(canvas, size.X + 3, size.Y + 2), result.Picture().ColorAt(3, 2));
    result.RunCommand(result.Menu().Id("KView200"));
    EXPECT_EQ(result.Presenter().Shown(), (TPoint{4 * size.X, 4 * size.Y}));
    EXPECT_EQ(Painted(canvas, 2 * 5 + 1, 2 * 7 + 1), result.Picture().ColorAt(5, 7));
    result.Presenter().ZoomStep(-1);
    EXPECT_EQ(result.Presenter().Zoom(), 100);
}

TEST_F(ResultWindow, ACopiedIndexedResultComesBackWithItsPalette) {
    TFinalForm& result = Convert(Write("indexed.bmp", PatternedBitmap(8, 45, 30)), 2, false);
    ASSERT_TRUE(result.Picture().IsIndexed());
    result.RunCommand(result.Menu().Id("KFileClipboard"));
    Main().Presenter().Paste();
    ASSERT_TRUE(messages.empty());
    THandyBitmap saved;
    ASSERT_TRUE(saved.LoadFromFile(result.Presenter().ResultFile()));
    EXPECT_EQ(State().SourceBitmap.biBitCount(), 8);
    EXPECT_EQ(State().SourceBitmap.biWidth(), saved.biWidth());
    for (std::int32_t y = 0; y < saved.biHeight(); y += 7)
        for (std::int32_t x = 0; x < saved.biWidth(); x += 5)
            EXPECT_EQ(State().SourceBitmap.GetPixelColor(x, y), saved.GetPixelColor(x, y));
}

TEST_F(ResultWindow, WhileItConvertsTheCancelButtonLiesInsideItsPanel) {
    Main().Presenter().OpenFile(Write("cancel.bmp", PatternedBitmap(24, 300, 200)));
    MethodForm->ListBox1.Select(3);
    bool seen = false;
    const auto previous = SetPendingMessagesProcessor([&seen] {
        if (seen || MethodForm->ResultWindows().empty())
            return;
        TFinalForm& result = *MethodForm->ResultWindows().back();
        if (!result.Button1.IsVisible())
            return;
        seen = true;
        EXPECT_FALSE(result.ClientArea().IsVisible());
        RECT client{};
        GetClientRect(result.Hwnd(), &client);
        const RECT button = result.Button1.Bounds();
        EXPECT_GE(button.top, result.Label2.Bounds().bottom);
        EXPECT_LE(button.bottom, client.bottom);
        EXPECT_GT(button.right - button.left, 40);
        EXPECT_GT(button.bottom - button.top, 15);
    });
    MethodForm->Button2.Click();
    SetPendingMessagesProcessor(previous);
    EXPECT_TRUE(seen);
}

TEST_F(ResultWindow, EscWhileItConvertsCancelsTheRun) {
    Main().Presenter().OpenFile(Write("esc.bmp", PatternedBitmap(24, 300, 200)));
    MethodForm->ListBox1.Select(3);
    const auto previous = SetPendingMessagesProcessor([] {
        if (!MethodForm->ResultWindows().empty())
            MethodForm->ResultWindows().back()->OnKeyDown(VK_ESCAPE);
    });
    MethodForm->Button2.Click();
    SetPendingMessagesProcessor(previous);
    ASSERT_EQ(MethodForm->ResultWindows().size(), 1u);
    EXPECT_FALSE(MethodForm->ResultWindows().back()->IsVisible());
}

// A visible child of `window` of the class `className` (and the caption `text`, if given).
HWND VisibleChild(HWND window, const wchar_t* className, const wchar_t* text = nullptr) {
    for (HWND child = FindWindowExW(window, nullptr, className, text); child != nullptr;
         child = FindWindowExW(window, child, className, text)) {
        if (IsWindowVisible(child))
            return child;
    }
    return nullptr;
}

// Work that waits for Cancel, which shows at the window's foot, under a progress bar's
// length, once the work has run for a second; the window's messages go on meanwhile.
TEST_F(ResultWindow, WorkInTheBackgroundShowsCancelPastASecondAndStopsOnIt) {
    TFinalForm& result = Convert(Write("long.bmp", PatternedBitmap(24, 30, 20)), 1, false);
    const HWND window = result.Hwnd();
    bool barSeen = false;
    const std::string answer = RunInBackgroundOf(window, "Cancel", [&](BackgroundControl& control) {
        control.permille = 500;
        HWND cancel = nullptr;
        for (int wait = 0; wait < 500 && cancel == nullptr; ++wait) {
            Sleep(10);
            cancel = VisibleChild(window, L"BUTTON", L"Cancel");
        }
        barSeen = VisibleChild(window, L"msctls_progress32") != nullptr;
        if (cancel != nullptr)
            PostMessageW(cancel, BM_CLICK, 0, 0);
        for (int wait = 0; wait < 500 && !control.cancelled; ++wait)
            Sleep(10);
        return std::string(control.cancelled ? "stopped" : "not stopped");
    });
    EXPECT_EQ(answer, "stopped");
    EXPECT_TRUE(barSeen);
    EXPECT_EQ(VisibleChild(window, L"BUTTON", L"Cancel"), nullptr);
}

// A key pressed on the result window, with Ctrl held or not, through the loop's dispatch.
void PressOn(HWND window, UINT key, bool control = false) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(state);
    MSG down{window, WM_KEYDOWN, key, 1, 0, {}};
    DispatchOne(down);
    state[VK_CONTROL] = 0;
    SetKeyboardState(state);
}

TEST_F(ResultWindow, TheKeysScrollTheViewAsADocumentViewerDoes) {
    TFinalForm& result = Convert(Write("keys.bmp", PatternedBitmap(24, 300, 200)), 3, false);
    result.RunCommand(result.Menu().Id("KView9"));
    result.RunCommand(result.Menu().Id("KView200"));
    ScrollView& view = result.ClientArea();
    const SIZE canvas = view.CanvasSize();
    const SIZE client = view.ClientSize();
    ASSERT_GT(canvas.cx, client.cx);
    ASSERT_GT(canvas.cy, client.cy);
    const POINT last{canvas.cx - client.cx, canvas.cy - client.cy};
    const auto at = [&view] { return std::pair{view.ScrollPosition().x, view.ScrollPosition().y}; };
    PressOn(result.Hwnd(), VK_END);
    EXPECT_EQ(at(), std::pair(last.x, 0L));
    PressOn(result.Hwnd(), VK_HOME);
    EXPECT_EQ(at(), std::pair(0L, 0L));
    PressOn(result.Hwnd(), VK_DOWN);
    PressOn(result.Hwnd(), VK_RIGHT);
    EXPECT_EQ(at(), std::pair(16L, 16L));
    PressOn(result.Hwnd(), VK_NEXT);
    EXPECT_EQ(at(), std::pair(16L, std::min<LONG>(16 + client.cy, last.y)));
    PressOn(result.Hwnd(), VK_END, true);
    EXPECT_EQ(at(), std::pair(last.x, last.y));
    PressOn(result.Hwnd(), VK_HOME, true);
    EXPECT_EQ(at(), std::pair(0L, 0L));
}

// The most times one window is asked to paint while the waiting messages run; a window
// that asks again from its own paint is asked until the limit.
int MostPaintsOfOneWindow(int limit) {
    std::map<HWND, int> paints;
    MSG message;
    for (int k = 0; k < limit && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++k) {
        if (message.message == WM_PAINT)
            ++paints[message.hwnd];
        DispatchOne(message);
    }
    int most = 0;
    for (const auto& entry : paints)
        most = std::max(most, entry.second);
    return most;
}

TEST_F(ResultWindow, NoWindowAsksToBePaintedAgainAndAgain) {
    Main().Presenter().OpenFile(Write("idle.bmp", PatternedBitmap(24, 300, 200)));
    MethodForm->ListBox1.Select(3);
    MethodForm->Button1.Click();
    int most = 0;
    const auto previous =
        SetPendingMessagesProcessor([&most] { most = std::max(most, MostPaintsOfOneWindow(500)); });
    MethodForm->Button2.Click();
    SetPendingMessagesProcessor(previous);
    EXPECT_LT(most, 10);
    TFinalForm& result = *MethodForm->ResultWindows().back();
    for (const char* view : {"KView9", "KViewFit", "KView200"}) {
        SCOPED_TRACE(view);
        result.RunCommand(result.Menu().Id(view));
        EXPECT_LT(MostPaintsOfOneWindow(500), 10);
    }
}

} // namespace
} // namespace slanter::testing
