#pragma once

#include <memory>

#include <QImage>
#include <QWidget>

#include "preview/PreviewPresenter.h"
#include "preview/PreviewView.h"
#include "shell/qt/QtServices.h"

class QCloseEvent;
namespace Ui {
class PreviewForm;
}

namespace slanter {

struct ProgramState;

// The preview window, which draws the chosen pattern's lattice and, beside it once a
// picture is open, the wallpaper the pattern makes of it. Made hidden at start; the user
// cannot size it, so its placement is a position and a state. Its flow is
// PreviewPresenter's.
class TPreviewForm : public QWidget, private PreviewView {
    Q_OBJECT

  public:
    explicit TPreviewForm(ProgramState& state, QWidget* parent = nullptr);
    ~TPreviewForm() override;

    PreviewWindow& Window() { return presenter_; }
    // What Image1 shows now, in the display's own pixels.
    QImage Picture() const { return lattice_; }
    // What the picture view shows now, in the display's own pixels; null while it is hidden.
    QImage PictureView() const;
    // The size of the square the wallpaper is fitted into, in the window's pixels.
    int PictureViewSide() const { return presenter_.PictureViewSide(); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // PreviewView
    TPoint ScreenRoom() const override;
    TPoint LatticeSize() const override;
    TPoint LatticePixels() const override;
    std::int32_t OptionHeight() const override;
    std::int32_t DisplayPixels(std::int32_t length) override;
    void SetCaption(std::string_view item, const std::string& text) override;
    void ShowLattice(const PreviewRaster& drawing) override;
    void LayOut(const PreviewLayout& layout) override;
    void ShowWallpaper(const PicturePixels& wallpaper) override;
    void PaintNow() override {}
    void ShowInFront() override;
    bool IsShown() const override { return isVisible(); }
    void HideWindow() override { hide(); }
    void SavePlacement() override;

    std::unique_ptr<Ui::PreviewForm> ui_;
    QtServices services_;
    PreviewPresenter presenter_;
    QImage lattice_;
    qreal pixelRatio_ = 1; // the display's scale the last wallpaper was drawn for
};

// The preview window of this run; null before it is made and after it is gone.
extern TPreviewForm* PreviewForm;

} // namespace slanter
