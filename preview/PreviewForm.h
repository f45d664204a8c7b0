#pragma once

#include <memory>

#include <QWidget>

class QCloseEvent;
namespace Ui {
class PreviewForm;
}

namespace slanter {

// The preview window, which draws the chosen pattern's lattice. Made hidden at start;
// its frame keeps the designed size, so its placement is a position and a state.
class TPreviewForm : public QWidget {
    Q_OBJECT

  public:
    explicit TPreviewForm(QWidget* parent = nullptr);
    ~TPreviewForm() override;

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
