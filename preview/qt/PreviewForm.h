#pragma once

#include <memory>

#include <QImage>
#include <QWidget>

#include "engine/Point.h"
#include "preview/PicturePreview.h"

class QCloseEvent;
namespace Ui {
class PreviewForm;
}

namespace slanter {

struct ProgramState;

// The preview window, which draws the chosen pattern's lattice and, beside it once a
// picture is open, the wallpaper the pattern makes of it. Made hidden at start; the user
// cannot size it, so its placement is a position and a state. The drawings stay until the
// next DrawPreview; the window never redraws them by itself.
class TPreviewForm : public QWidget {
    Q_OBJECT

  public:
    explicit TPreviewForm(ProgramState& state, QWidget* parent = nullptr);
    ~TPreviewForm() override;

    // Shows the window with the lattice of the pattern the engine has selected, and the
    // wallpaper of the opened picture, plain or smoothed as Smoothing says; with no pattern
    // selected, a white image alone.
    void DrawPreview();
    // What Image1 shows now: the lattice, one pixel of the drawing to a pixel of the picture.
    QImage Picture() const;
    // What the picture view shows now, in device pixels; null while it is hidden.
    QImage PictureView() const;
    // The size of the square the wallpaper is fitted into, in the window's pixels.
    int PictureViewSide() const { return viewSide_; }

    // Whether the next DrawPreview smooths the wallpaper; set by the method window.
    bool Smoothing = false;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void FormCreate();
    void FormClose();
    // Lays out the lattice alone, or the lattice with the picture view and its option.
    void ShowPictureView(bool shown);
    // Shows the last wallpaper drawn, with the tile's outline when it is asked for.
    void CheckBox1Click();
    // Draws the selected pattern's lattice (or white, without `pattern`) and has Image1
    // show it, drawn in the display's own pixels on a scaled display.
    void ShowPicture(bool pattern);

    std::unique_ptr<Ui::PreviewForm> ui_;
    ProgramState& state_;
    QImage picture_;
    int viewSide_ = 0;
    PicturePixels wallpaper_; // the last wallpaper drawn, in device pixels, no outline
    TPoint wallpaperTile_;
    qreal pixelRatio_ = 1;
};

// The preview window of this run; null before it is made and after it is gone.
extern TPreviewForm* PreviewForm;

} // namespace slanter
