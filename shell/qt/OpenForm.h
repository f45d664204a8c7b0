#pragma once

#include <memory>

#include <QWidget>

class QPixmap;
class QSize;
namespace Ui {
class OpenForm;
}

namespace slanter {

// The splash window, shown while the main window is being built: the program's icon,
// its title and its version, sized to the wider of the two texts.
class TOpenForm : public QWidget {
    Q_OBJECT

  public:
    explicit TOpenForm(QWidget* parent = nullptr);
    ~TOpenForm() override;

    // Fills in the icon (kept out when null) and the texts, sizes the window to them and
    // places it at one third of the screen's free space.
    void Arrange(const QPixmap& icon, const QString& title, const QString& version,
                 const QSize& screen);

  private:
    std::unique_ptr<Ui::OpenForm> ui_;
};

// The splash of this run; it stays allocated once shown, until the application is about
// to quit or FreeSplash is called.
extern std::unique_ptr<TOpenForm> OpenForm;

// First and last steps of building the main window.
void ShowSplash();
void HideSplash();
void FreeSplash();

} // namespace slanter
