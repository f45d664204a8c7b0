#pragma once

#include <memory>

#include <QImage>
#include <QWidget>

class QCloseEvent;
namespace Ui {
class PreviewForm;
}

namespace slanter {

// The preview window, which draws the chosen pattern's lattice. Made hidden at start;
// its frame keeps the designed size, so its placement is a position and a state. The
// drawing stays until the next DrawPreview; the window never redraws it by itself.
class TPreviewForm : public QWidget {
    Q_OBJECT

  public:
    explicit TPreviewForm(QWidget* parent = nullptr);
    ~TPreviewForm() override;

    // Shows the window with the lattice of the pattern the engine has selected; with no
    // pattern selected, a white image.
    void DrawPreview();
    // What Image1 shows now.
    QImage Picture() const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void FormCreate();
    void FormClose();

    std::unique_ptr<Ui::PreviewForm> ui_;
};

// The preview window of this run; null before it is made and after it is gone.
extern TPreviewForm* PreviewForm;

} // namespace slanter
