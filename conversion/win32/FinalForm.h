#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/Point.h"
#include "shell/win32/Controls.h"
#include "shell/win32/DesignedMenu.h"
#include "shell/win32/ScreenPicture.h"
#include "shell/win32/ScrollView.h"
#include "shell/win32/Wnd.h"

namespace slanter {

class THandyBitmap;
struct ProgramState;

// The window of one conversion. Its maker sets ResultNumber and Smoothing, selects the
// pattern in the pattern engine and calls Convert, which shows a progress panel with a
// Cancel button, computes the result on every core, writes it to the run's numbered
// result file and shows that file, read back with the program's own reader, in view 1.
// Afterwards the window shows the result alone or tiled at a zoom, saves it, copies it to
// the clipboard and tells its size and colours. Closing the window hides it and frees its
// picture; it lives as long as its owner.
class TFinalForm : public Wnd {
  public:
    // Made hidden, owned by the window `owner` (shown above it, never disabled with it).
    explicit TFinalForm(ProgramState& state, HWND owner = nullptr);
    ~TFinalForm() override;

    // Runs the conversion and returns when it has finished, failed or been cancelled; a
    // failed or cancelled run closes the window. A window converts once.
    void Convert();

    // The view commands: the picture alone (1) or tiled (4, 9), at the chosen zoom, the
    // window sized to fit but kept on the work area, its scroll bars showing the rest.
    void KViewClick(int view);
    // `zoom` a percentage of kZoomChoices or kZoomToFit.
    void KViewZoomClick(int zoom);
    void KViewZoomStep(int step);
    int Zoom() const { return zoom_; }
    int View() const { return view_; }
    // The zoomed view's size in device pixels.
    TPoint Shown() const { return shown_; }
    void KFileSaveAsClick();
    // Writes the result's picture to `fileName` (BMP or PNG by its extension) through a
    // temporary file and a rename, and remembers its folder.
    void SaveResultAs(const std::string& fileName);
    void KFileClipboardClick();
    void KViewInformationClick();

    const std::string& ResultFile() const { return resultFile_; }
    const ScreenPicture& Picture() const { return picture_; }
    DesignedMenu& Menu() { return *menu_; }
    ScrollView& ClientArea() { return clientArea_; }
    // The local date and time as a day count, in place of the clock (tests).
    void SetClock(std::function<double()> clock) { clock_ = std::move(clock); }

    bool CancelRequested = false;
    std::string InfoText;
    bool Smoothing = false;
    std::int32_t ResultNumber = 0;
    std::unique_ptr<THandyBitmap> ResultBitmap;

    ProgressBar ProgressBar1;
    Label Label1;
    Label Label2;
    Button Button1;

    bool OnKeyDown(WPARAM key) override;

  protected:
    void OnClose() override;
    void OnSize(int width, int height) override;

  private:
    // A designed length at the scale of the monitor the window is on.
    int Px(int designed) const;
    void FormCreate();
    void SetEnglishCaptions();
    bool RunConversion();
    void ShowProgressPanel();
    void LayOutPanels();
    bool ShowResult();
    std::string ChooseResultFile() const;
    bool NeededElsewhere(const std::string& fileName) const;
    void LayOutView(bool sizeWindow);
    void CheckZoom();
    void PaintView(HDC dc, const RECT& dirty) const;
    void Message(const std::string& text);

    ProgramState& state_;
    std::unique_ptr<DesignedMenu> menu_;
    ScrollView clientArea_;
    std::string resultFile_;
    ScreenPicture picture_;
    std::function<double()> clock_;
    bool started_ = false;
    bool converting_ = false;
    bool closed_ = false;
    bool running_ = false; // the progress panel is up
    int view_ = 1;
    int zoom_ = 100;
    TPoint shown_;
    bool layingOut_ = false;
};

} // namespace slanter
