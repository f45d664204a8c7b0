#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <QImage>
#include <QMainWindow>

class QAction;
class QEvent;
class QKeyEvent;
class QResizeEvent;
namespace Ui {
class FinalForm;
}

namespace slanter {

class THandyBitmap;

// The window of one conversion. Its maker sets ResultNumber and Smoothing, selects the
// pattern in the pattern engine and calls Convert, which shows a progress panel with a
// Cancel button, computes the result column by column, writes it to the run's numbered
// result file and shows that file in view 1. Afterwards the window shows the result alone
// or tiled, saves it, copies it to the clipboard and tells its size and colours. Closing
// the window hides it; it lives as long as its owner.
class TFinalForm : public QMainWindow {
    Q_OBJECT

  public:
    // Made hidden. Freed together with `owner` when one is given, as a child would be; the
    // window is no child of the owner, so disabling the owner during the run leaves the
    // Cancel button working.
    explicit TFinalForm(QObject* owner = nullptr);
    ~TFinalForm() override;

    // Runs the conversion and returns when it has finished, failed or been cancelled; a
    // failed or cancelled run closes the window. A window converts once; later calls do
    // nothing.
    void Convert();

    // The view commands, `sender` being KView1, KView4 or KView9: the picture alone or
    // tiled, the window sized to fit.
    void KViewClick(QAction* sender);
    // Paints one of the tiles: the picture one to one from its top-left corner.
    void PaintBoxPaint(QWidget* sender);
    // Asks for a file name and saves the result there (SaveResultAs).
    void KFileSaveAsClick();
    // Copies the result file to `fileName`, replacing it, and remembers its folder.
    void SaveResultAs(const std::string& fileName);
    void KFileClipboardClick();
    void KViewInformationClick();

    // The full name of the result file; empty until Convert has chosen it.
    const std::string& ResultFile() const { return resultFile_; }
    // The local date and time as a day count, in place of the clock (tests).
    void SetClock(std::function<double()> clock) { clock_ = std::move(clock); }

    // The fields of the conversion, in the order the run uses them.
    bool CancelRequested = false;  // set by Cancel; looked at once per column
    std::string InfoText;          // the information box's text, built when the run succeeds
    bool Smoothing = false;        // set by the maker before Convert
    std::int32_t ResultNumber = 0; // the conversion's serial number in this run
    std::unique_ptr<THandyBitmap> ResultBitmap; // the result while Convert computes it

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // PaintBox2 to PaintBox9, the copies of the picture in the tiled views.
    std::array<QWidget*, 8> PaintBoxes() const;
    void FormCreate();
    void FormResize();
    void SetEnglishCaptions();
    // The run between the numbered caption and the freeing of ResultBitmap; false when it
    // was cancelled or failed, after any message.
    bool RunConversion();
    // Shows the window with the progress bar grown to its working size.
    void ShowProgressPanel();
    // Writes the result file, loads it back and shows it; false after a message.
    bool ShowResult();
    // The run's result file for this conversion; empty when no name is free.
    std::string ChooseResultFile() const;
    // Whether another window still needs the file `fileName`.
    bool NeededElsewhere(const std::string& fileName) const;
    void Message(const std::string& text);

    std::unique_ptr<Ui::FinalForm> ui_;
    std::string resultFile_;
    QImage picture_; // the result as loaded back from its file
    std::function<double()> clock_;
    bool started_ = false;
    bool converting_ = false;
};

} // namespace slanter
