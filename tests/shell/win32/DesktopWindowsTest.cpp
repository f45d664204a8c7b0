// The main, method and preview windows in this process under wine: commands sent, their
// controls and painted pixels read back.
#include <cstring>

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include "bitmap/AreaResize.h"
#include "cli/CliCommand.h"
#include "conversion/win32/FinalForm.h"
#include "engine/Slanter.h"
#include "method/win32/MethodForm.h"
#include "preview/PreviewDrawing.h"
#include "preview/PreviewRaster.h"
#include "preview/win32/PreviewForm.h"
#include "shell/InfoTexts.h"
#include "shell/win32/PictureSizeDialog.h"
#include "shell/win32/PlatformStart.h"
#include "shell/win32/SplashForm.h"
#include "shell/win32/WideText.h"
#include "shell/win32/WorkArea.h"
#include "support/PatternedBitmap.h"
#include "tests/cli/CliRun.h"
#include "tests/shell/win32/ProgramFixture.h"

namespace slanter::testing {
namespace {

class DesktopWindows : public ProgramFixture {
  protected:
    // The preview paints the core's drawing of the selected pattern, `side` pixels square.
    void ExpectLattice(int side, std::initializer_list<POINT> points) {
        ASSERT_EQ(PreviewForm->Picture().Width(), side);
        const PreviewRaster raster(ComputePreviewDrawing(State().PatternEngine, side, side));
        for (const POINT at : points)
            EXPECT_EQ(Painted(PreviewForm->Hwnd(), at.x, at.y),
                      AsColorRef(static_cast<std::int32_t>(
                          raster.Pixels()[static_cast<std::size_t>(at.y) * side + at.x])));
    }
};

TEST_F(DesktopWindows, APictureOpensAtItsSizeShownPixelForPixelAndListsItsPatterns) {
    THandyBitmap picture = PatternedBitmap(24, 320, 90);
    const std::string file = Write("picture.bmp", picture);
    Main().Presenter().OpenFile(file);
    Pump();
    EXPECT_TRUE(messages.empty());
    const SIZE client = Main().ClientArea().ClientSize();
    // Wider than the menu bar, which the window never cuts, also at 144 dots per inch.
    EXPECT_EQ(client.cx, 320);
    EXPECT_EQ(client.cy, 90);
    // Row 0 of the record is the bottom row shown.
    for (const POINT at : {POINT{0, 0}, POINT{319, 89}, POINT{77, 40}})
        EXPECT_EQ(Painted(Main().ClientArea().Hwnd(), at.x, at.y),
                  AsColorRef(picture.GetPixelColor(at.x, 89 - at.y)));
    EXPECT_EQ(MethodForm->ListBox1.Count(), State().PatternEngine.PatternCount());
    EXPECT_TRUE(MethodForm->IsVisible());
    EXPECT_EQ(Main().Menu().Text("KFileExit"), "E&xit");
}

TEST_F(DesktopWindows, ADroppedFileOpensAndHeadsTheRecentFiles) {
    const std::string file = Write("dropped.bmp", PatternedBitmap(8, 40, 30));
    const std::wstring name = WideText(file);
    const std::size_t size = sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t);
    HGLOBAL drop = GlobalAlloc(GHND, size);
    auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), name.c_str(),
                name.size() * sizeof(wchar_t));
    GlobalUnlock(drop);
    SendMessageW(Main().Hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(Main().Presenter().SourceName(), file);
    ASSERT_EQ(Main().Presenter().RecentFiles().size(), 1u);
    HMENU fileMenu = Main().Menu().Menu("KFile");
    wchar_t text[300] = {};
    // Open, Clipboard, separator, then the newest recent file.
    GetMenuStringW(fileMenu, 3, text, 300, MF_BYPOSITION);
    EXPECT_EQ(Utf8Text(text), "&1 " + file);
}

TEST_F(DesktopWindows, TheOptionsReachTheEngineAndOutliveTheWindow) {
    Main().Presenter().OpenFile(Write("options.bmp", PatternedBitmap(24, 60, 40)));
    MethodForm->RadioButton2.Click();
    Pump();
    EXPECT_FALSE(State().PatternEngine.Horizontal());
    MethodForm->RadioButton4.Click();
    EXPECT_FALSE(State().PatternEngine.RightUp());
    // 77 at 96 dots per inch, whatever the display's scale.
    MethodForm->HeaderControl1.SetSectionWidth(1, Scaled(77, WindowDpi(MethodForm->Hwnd())));
    MethodForm->Close();
    EXPECT_EQ(ReadSetting("MethodForm", "Row", "").Text(), "Vertical");
    EXPECT_EQ(ReadSetting("MethodForm", "Rotation", "").Text(), "Clockwize");
    EXPECT_EQ(ReadSetting("MethodForm", "Width(1)", 0).Integer(), 77);
}

TEST_F(DesktopWindows, ASelectedRowOffersTheCommandsAndTheOpenPreviewFollowsIt) {
    Main().Presenter().OpenFile(Write("preview.bmp", PatternedBitmap(24, 64, 48)));
    EXPECT_FALSE(MethodForm->Button1.IsEnabled());
    MethodForm->ListBox1.Select(2);
    EXPECT_TRUE(MethodForm->Button2.IsEnabled());
    MethodForm->Button1.Click();
    Pump();
    ASSERT_TRUE(PreviewForm->IsVisible());
    EXPECT_FALSE(PreviewForm->PictureView().IsEmpty());
    MethodForm->ListBox1.Select(5);
    Pump();
    EXPECT_EQ(State().PatternEngine.PatternIndex(), 5);
    // The lattice painted is the core's drawing of the selected pattern, in device pixels.
    const int side = Scaled(201, WindowDpi(PreviewForm->Hwnd()));
    ExpectLattice(side, {POINT{0, 0}, POINT{100, 100}, POINT{150, 37}});
}

TEST_F(DesktopWindows, AFileOfAnotherKindIsRefusedWithTheMessage) {
    const std::string file = folder.Path("notes.txt");
    WriteBytes(file, {'h', 'i'});
    Main().Presenter().OpenFile(file);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(file), std::string::npos);
    EXPECT_TRUE(Main().Presenter().SourceName().empty());
}

// A 32 x 32 icon of 32 bits: its left half clear, its right half opaque red.
Bytes HalfClearIcon() {
    Bytes bytes{0, 0, 1, 0, 1, 0, 32, 32, 0, 0, 1, 0, 32, 0};
    const auto put = [&bytes](std::uint32_t value, int count) {
        for (int k = 0; k < count; ++k)
            bytes.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
    };
    put(40 + 32 * 32 * 4 + 32 * 4, 4); // the picture's bytes
    put(22, 4);                        // where it starts
    put(40, 4);
    put(32, 4);
    put(64, 4); // colours and mask
    put(1, 2);
    put(32, 2);
    put(0, 4);
    put(32 * 32 * 4 + 32 * 4, 4);
    put(0, 16);
    for (int pixel = 0; pixel < 32 * 32; ++pixel)
        put(pixel % 32 < 16 ? 0 : 0xFFFF0000, 4); // blue, green, red, opacity
    put(0, 4 * 32);                               // the mask, all shown
    return bytes;
}

TEST_F(DesktopWindows, AnIconsClearPartsStayClearInThePicture) {
    const std::string file = folder.Path("half.ico");
    WriteBytes(file, HalfClearIcon());
    Main().Presenter().OpenFile(file);
    Pump();
    EXPECT_TRUE(messages.empty());
    const std::int32_t side = State().SourceBitmap.biWidth();
    const KeptLayer& kept = State().SourceBitmap.Kept();
    ASSERT_TRUE(kept.HasAlpha());
    const std::int64_t row = std::int64_t{side / 2} * side;
    EXPECT_EQ(KeptChannel(kept.Pixels()[row + side / 8], 3), 0u);
    EXPECT_EQ(kept.Pixels()[row + side * 7 / 8], MakeKeptPixel(255, 0, 0, 255));
}

TEST_F(DesktopWindows, JapaneseCaptionsComeFromTheDesignedForms) {
    TearDown();
    Start(true);
    EXPECT_EQ(Main().Menu().Text("KFile"), "ファイル(&File)");
    EXPECT_EQ(MethodForm->GroupBox1.Text(), "並べかた");
    EXPECT_EQ(MethodForm->HeaderControl1.SectionCaption(0), "角度");
    EXPECT_EQ(PreviewForm->CheckBox1.Text(), "タイルの輪郭を表示(&O)");
}

TEST_F(DesktopWindows, AnEnglishRunCaptionsTheListsHeader) {
    EXPECT_EQ(MethodForm->HeaderControl1.SectionCaption(2), "Slide");
}

TEST_F(DesktopWindows, AWrappedMenuBarIsBackOnOneLineOnceAPictureIsShown) {
    const HMENU bar = Main().Menu().Bar();
    const auto oneLine = [&] {
        RECT first{};
        RECT last{};
        GetMenuItemRect(Main().Hwnd(), bar, 0, &first);
        GetMenuItemRect(Main().Hwnd(), bar, GetMenuItemCount(bar) - 1, &last);
        return first.top == last.top;
    };
    // Narrower than the bar wraps it, where the system lets the size be set.
    Main().SetClientSize(40, 100);
    Main().Presenter().OpenFile(Write("small.bmp", PatternedBitmap(24, 10, 10)));
    EXPECT_TRUE(oneLine());
}

TEST_F(DesktopWindows, APlacementStoredOffTheScreenComesBackOntoTheWorkArea) {
    TearDown();
    WriteSetting("MethodForm", "Left", std::int32_t{-5000});
    WriteSetting("MethodForm", "Top", std::int32_t{9000});
    WriteSetting("MethodForm", "Width", std::int32_t{300});
    WriteSetting("MethodForm", "Height", std::int32_t{200});
    Start(false, true);
    RECT frame{};
    GetWindowRect(MethodForm->Hwnd(), &frame);
    const ScreenRect area = WorkAreaOf(MethodForm->Hwnd());
    EXPECT_GE(frame.left, area.left);
    EXPECT_LE(frame.bottom, area.top + area.height);
    EXPECT_EQ(frame.right - frame.left, 300);
}

TEST(PictureSizeDialog, EachFieldBringsTheOthersAlong) {
    TPictureSizeDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr, false, {6000, 4000}, {6000, 4000}));
    EXPECT_EQ(dialog.PercentEdit.Text(), "100.00");
    dialog.WidthEdit.SetText("1920");
    EXPECT_EQ(dialog.HeightEdit.Text(), "1280");
    EXPECT_EQ(dialog.PercentEdit.Text(), "32.00");
    dialog.HeightEdit.SetText("1080");
    EXPECT_EQ(dialog.ChosenSize(), (TPoint{1620, 1080}));
    dialog.PercentEdit.SetText("12.5");
    EXPECT_EQ(dialog.ChosenSize(), (TPoint{750, 500}));
    // The field typed in keeps what was typed, though the sizes round; a field still
    // being typed holds no size.
    dialog.PercentEdit.SetText("33.33");
    EXPECT_EQ(dialog.PercentEdit.Text(), "33.33");
    EXPECT_EQ(dialog.ChosenSize(), (TPoint{2000, 1333}));
    dialog.WidthEdit.SetText("");
    EXPECT_EQ(dialog.ChosenSize(), std::nullopt);
    EXPECT_EQ(dialog.HeightEdit.Text(), "1333");
}

TEST_F(DesktopWindows, TheListAndTheConversionWorkFromTheResizedPictureAndTheFileStays) {
    THandyBitmap opened = PatternedBitmap(24, 60, 40);
    const std::string file = Write("large.bmp", opened);
    Main().Presenter().OpenFile(file);
    std::pair<TPoint, TPoint> offered;
    TPoint wanted{30, 20};
    const PictureSizeAsker before = SetPictureSizeAsker([&](TPoint original, TPoint current) {
        offered = {original, current};
        return std::optional<TPoint>(wanted);
    });
    Main().RunCommand(Main().Menu().Id("KPictureSize"));
    EXPECT_EQ(offered, (std::pair{TPoint{60, 40}, TPoint{60, 40}}));
    THandyBitmap expected;
    ASSERT_TRUE(AreaResize(opened, 30, 20, expected));
    for (const POINT at : {POINT{0, 0}, POINT{29, 19}, POINT{13, 7}})
        EXPECT_EQ(Painted(Main().ClientArea().Hwnd(), at.x, at.y),
                  AsColorRef(expected.GetPixelColor(at.x, 19 - at.y)));
    EXPECT_EQ(State().PatternEngine.SourceWidth(), 30);
    EXPECT_EQ(MethodForm->ListBox1.Count(), State().PatternEngine.PatternCount());
    // The result is slanter-cli's of the same picture at the same size.
    MethodForm->ListBox1.Select(2);
    MethodForm->Button2.Click();
    Pump();
    EXPECT_EQ(GetWindow(MethodForm->ResultWindows().back()->Hwnd(), GW_OWNER), nullptr);
    const std::string saved = folder.Path("window.bmp");
    MethodForm->ResultWindows().back()->Presenter().SaveResultAs(saved);
    const std::string cliResult = folder.Path("cli.bmp");
    ASSERT_EQ(
        cli::RunWords({"convert", file, cliResult, "--pattern", "2", "--scale", "30x20"}).code, 0);
    EXPECT_EQ(ReadBytes(saved), ReadBytes(cliResult));
    messages.clear();
    Main().Presenter().ShowInformation();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("30 dots in width\r\n20 dots in height\r\n16777216 colors\r\n"
                               "(resized from 60 x 40 dots)"),
              std::string::npos);
    // Its own size brings the picture back; the file was never changed.
    offered = {};
    wanted = {60, 40};
    Main().Presenter().ResizePicture();
    EXPECT_EQ(offered.second, (TPoint{30, 20}));
    EXPECT_EQ(ReadBytes(State().WorkingFile), ReadBytes(file));
    EXPECT_EQ(ReadBytes(file), ReadBytes(Write("again.bmp", opened)));
    SetPictureSizeAsker(before);
}

// The system's message when a window has come onto a monitor of another scale.
void MoveToScale(HWND window, int dpi, RECT suggested) {
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

TEST_F(DesktopWindows, OnAMonitorOfAnotherScaleTheWindowsTakeItsSizes) {
    Main().Presenter().OpenFile(Write("scaled.bmp", PatternedBitmap(24, 64, 48)));
    MethodForm->ListBox1.Select(2);
    MethodForm->Button1.Click();
    // Half as large again as where the windows are now.
    const int dpi = WindowDpi(MethodForm->Hwnd()) * 3 / 2;
    const RECT before = MethodForm->Button1.Bounds();
    const RECT suggested{40, 50, 40 + 600, 50 + 500};
    MoveToScale(MethodForm->Hwnd(), dpi, suggested);
    RECT frame{};
    GetWindowRect(MethodForm->Hwnd(), &frame);
    EXPECT_TRUE(EqualRect(&frame, &suggested));
    const RECT after = MethodForm->Button1.Bounds();
    EXPECT_EQ(after.right - after.left, MulDiv(before.right - before.left, 3, 2));
    EXPECT_EQ(SendMessageW(MethodForm->ListBox1.Hwnd(), LB_GETITEMHEIGHT, 0, 0), Scaled(15, dpi));
    const int column = MethodForm->HeaderControl1.SectionWidth(1);
    // The lattice is drawn anew in device pixels: at 144 dots per inch 201 designed pixels
    // are 302 (301.5 rounded).
    RECT preview{};
    GetWindowRect(PreviewForm->Hwnd(), &preview);
    MoveToScale(PreviewForm->Hwnd(), dpi, preview);
    Pump();
    const int side = Scaled(201, dpi);
    if (dpi == 144) {
        EXPECT_EQ(side, 302);
    }
    ExpectLattice(side, {POINT{0, 0}, POINT{side / 2, side / 2}, POINT{side - 1, 73}});
    // Column widths are kept at 96 dots per inch, as the designed lengths are.
    MethodForm->Close();
    EXPECT_EQ(ReadSetting("MethodForm", "Width(1)", 0).Integer(), MulDiv(column, 96, dpi));
}

// What the splash showed when the main window was made: the one top-most window of the
// thread that was up then.
struct SplashSeen {
    HWND window = nullptr;
    RECT frame{};
    std::string texts;
};
SplashSeen seenSplash;

BOOL CALLBACK TakeText(HWND child, LPARAM) {
    wchar_t text[100] = {};
    GetWindowTextW(child, text, 100);
    seenSplash.texts += Utf8Text(text) + "|";
    return TRUE;
}

BOOL CALLBACK TakeTopMost(HWND window, LPARAM) {
    if ((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0 || !IsWindowVisible(window))
        return TRUE;
    seenSplash.window = window;
    GetWindowRect(window, &seenSplash.frame);
    EnumChildWindows(window, TakeText, 0);
    return FALSE;
}

LRESULT CALLBACK WatchCreation(int code, WPARAM wParam, LPARAM lParam) {
    const auto* create =
        code == HCBT_CREATEWND ? reinterpret_cast<CBT_CREATEWNDW*>(lParam) : nullptr;
    // The main window: the first top-level window with a menu.
    if (create != nullptr && seenSplash.window == nullptr && create->lpcs->hMenu != nullptr &&
        (create->lpcs->style & WS_CHILD) == 0)
        EnumThreadWindows(GetCurrentThreadId(), TakeTopMost, 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(DesktopWindows, TheSplashIsUpWhileTheMainWindowIsMadeAndGoneAfter) {
    TearDown();
    seenSplash = {};
    HHOOK hook = SetWindowsHookExW(WH_CBT, WatchCreation, nullptr, GetCurrentThreadId());
    Start(false);
    UnhookWindowsHookEx(hook);
    ASSERT_NE(seenSplash.window, nullptr);
    EXPECT_EQ(seenSplash.texts, std::string(Title) + "|" +
                                    VersionNumberText(MajorVersion, MinorVersion, Revision) + "|");
    // A third of the free room from the screen's top-left corner.
    const int width = seenSplash.frame.right - seenSplash.frame.left;
    const int height = seenSplash.frame.bottom - seenSplash.frame.top;
    EXPECT_EQ(seenSplash.frame.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 3);
    EXPECT_EQ(seenSplash.frame.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 3);
    EXPECT_FALSE(SplashShown());
    EXPECT_FALSE(IsWindow(seenSplash.window));
    EXPECT_TRUE(Main().IsVisible());
}

// On a system whose own faces lack Japanese (wine's English prefix), a Japanese run still
// finds a face that draws it, rather than one that only claims the character set.
TEST(ControlFont, AJapaneseRunDrawsKanaAndKanji) {
    const bool before = Japanese;
    Japanese = true;
    const LOGFONTW description = ControlFontAt(12);
    Japanese = before;
    const HFONT font = CreateFontIndirectW(&description);
    ASSERT_NE(font, nullptr);
    HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, font);
    WORD glyphs[2] = {};
    GetGlyphIndicesW(screen, L"\u3042\u5909", 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
    EXPECT_NE(glyphs[0], 0xFFFF);
    EXPECT_NE(glyphs[1], 0xFFFF);
}

} // namespace
} // namespace slanter::testing
