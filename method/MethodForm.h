#pragma once

#include <memory>

#include <QWidget>

class QCloseEvent;
namespace Ui {
class MethodForm;
}

namespace slanter {

// The method window, where the user chooses how a picture is slanted. Made hidden at
// start; the main window refills it after each new picture and brings it up.
class TMethodForm : public QWidget {
    Q_OBJECT

  public:
    explicit TMethodForm(QWidget* parent = nullptr);
    ~TMethodForm() override;

    // Fills the window again from the pattern engine after the picture changed. The
    // preview of a pattern of the old table goes; an empty table leaves it.
    void RefreshList();
    // Shows the window and brings it to the front.
    void BringToFront();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void FormCreate();
    void FormClose();

    std::unique_ptr<Ui::MethodForm> ui_;
};

// The method window of this run; null before it is made and after it is gone.
extern TMethodForm* MethodForm;

} // namespace slanter
