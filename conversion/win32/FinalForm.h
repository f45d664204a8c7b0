#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "conversion/ResultPresenter.h"
#include "conversion/ResultView.h"
#include "shell/win32/Controls.h"
#include "shell/win32/DesignedMenu.h"
#include "shell/win32/ScreenPicture.h"
#include "shell/win32/ScrollView.h"
#include "shell/win32/Win32Services.h"
#include "shell/win32/Wnd.h"

namespace slanter {

struct ProgramState;

// The window of one conversion (ResultPresenter): the designed form bound to the flow,
// the view's canvas sized in device pixels and painted from the picture read back with
// the program's own reader.
class TFinalForm : public Wnd, private ResultView {
  public:
    // Made hidden, owned by the window `owner` (shown above it, never disabled with it).
    explicit TFinalForm(ProgramState& state, HWND owner = nullptr);
    ~TFinalForm() override;

    ResultWindow& Window() { return presenter_; }
    ResultPresenter& Presenter() { return presenter_; }
    const ScreenPicture& Picture() const { return picture_; }
    DesignedMenu& Menu() { return *menu_; }
    ScrollView& ClientArea() { return clientArea_; }

    ProgressBar ProgressBar1;
    Label Label1;
    Label Label2;
    Button Button1;

    bool OnKeyDown(WPARAM key) override;

  protected:
    void OnClose() override;
    void OnSize(int width, int height) override;

  private:
    std::string Caption() const override { return Text(); }
    void SetCaption(const std::string& caption) override { SetText(caption); }
    void ShowProgressPanel() override;
    void ShowProgress(int percent, const std::string& done, const std::string& estimate) override;
    std::string ReadPicture(const std::string& resultFile) override;
    TPoint PictureSize() const override { return {picture_.Width(), picture_.Height()}; }
    void ShowResultArea() override;
    void ReleasePicture() override;
    TPoint Room(bool sizeWindow) override;
    void LayOut(int view, TPoint shown, bool sizeWindow) override;
    void SetChecked(std::string_view item, bool checked) override {
        menu_->SetChecked(item, checked);
    }
    void EnableSaveAs(bool enabled) override;
    void CloseWindow() override { Close(); }

    // A designed length at the scale of the monitor the window is on.
    int Px(int designed) const;
    void FormCreate();
    void SetEnglishCaptions();
    void LayOutPanels();
    void PaintView(HDC dc, const RECT& dirty) const;

    Win32Services services_;
    ResultPresenter presenter_;
    std::unique_ptr<DesignedMenu> menu_;
    ScrollView clientArea_;
    ScreenPicture picture_;
    int view_ = 1;
    TPoint shown_;
};

} // namespace slanter
