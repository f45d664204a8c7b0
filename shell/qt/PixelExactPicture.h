#pragma once

#include <QImage>
#include <QObject>

class QWidget;

namespace slanter {

// Paints a picture on a widget at its natural size, each of its pixels a block of whole
// display pixels on a display scaled by a whole factor: never blurred between neighbours.
// Only what is exposed is drawn, so a picture larger than the screen costs no scaled copy.
class PixelExactPicture : public QObject {
  public:
    // Paints on `target` from now on, in place of what it paints itself.
    explicit PixelExactPicture(QWidget& target);

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& target_;
    QImage picture_;
};

} // namespace slanter
