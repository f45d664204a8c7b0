#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <QImage>
#include <QMainWindow>

#include "engine/Point.h"

class QAction;
class QCloseEvent;
class QEvent;
class QKeyEvent;
class QResizeEvent;
namespace Ui {
class FinalForm;
}

namespace slanter {

class THandyBitmap;
struct ProgramState;

// The window of one conversion. Its maker sets ResultNumber and Smoothing, selects the
// pattern in the pattern engine and calls Convert, which shows a progress panel with a
// Cancel button, computes the result column by column, writes it to the run's numbered
// result file and shows that file in view 1. Afterwards the window shows the result alone
// or tiled, saves it, copies it to the clipboard and tells its size and colours. Closing
// the window hides it and frees its picture; it lives as long as its owner.
class TFinalForm : public QMainWindow {
    Q_OBJECT

  public:
    // Made hidden. Freed together with `owner` when one is given, as a child would be; the
    // window is no child of the owner, so disabling the owner during the run leaves the
    // Cancel button working.
    explicit TFinalForm(ProgramState& state, QObject* owner = nullptr);
    ~TFinalForm() override;

    // Runs the conversion and returns when it has finished, failed or been cancelled; a
    // failed or cancelled run closes the window. A window converts once; later calls do
    // nothing.
    void Convert();

    // The view commands, `sender` being KView1, KView4 or KView9: the picture alone or
    // tiled, at the chosen zoom, the window sized to fit but kept on the usable screen, its
    // scroll bars showing the rest.
    void KViewClick(QAction* sender);
    // The zoom commands: `zoom` a percentage of kZoomChoices, or kZoomToFit for the view
    // fitted to the window as large as the screen takes it (and to the window as the user
    // sizes it afterwards). The window is sized to the zoomed view.
    void KViewZoomClick(int zoom);
    // Zoom in (`step` 1) or out (-1) to the next percentage.
    void KViewZoomStep(int step);
    // The zoom in use: a percentage, or kZoomToFit.
    int Zoom() const { return zoom_; }
    // Paints one of the tiles: the picture from its top-left corner, each display pixel the
    // picture pixel under its centre (one to one at 100%).
    void PaintBoxPaint(QWidget* sender);
    // Asks for a file name and saves the result there (SaveResultAs).
    void KFileSaveAsClick();
    // Saves the result to `fileName` as a BMP or PNG file, as its extension asks (another
    // extension is refused), through a temporary file and a rename, and remembers its
    // folder. The writing runs on a thread of its own with a busy cursor and, when it
    // takes long, a progress bar and Cancel; the program's windows stay usable, and this
    // call returns when the save has finished.
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
    // Home, End, Control+Home and Control+End move the view to its edges; false for
    // other keys.
    bool MoveViewByKey(const QKeyEvent& event);
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Frees what a closed window can no longer show, once no run needs the window.
    void closeEvent(QCloseEvent* event) override;

  private:
    // PaintBox2 to PaintBox9, the copies of the picture in the tiled views.
    std::array<QWidget*, 8> PaintBoxes() const;
    // The tiles by number: 1 for Image1, 2 to 9 for the paint boxes; 0 for no tile.
    int TileNumber(const QObject* tile) const;
    QWidget* Tile(int box) const;
    // Paints the part `exposed` (in the tile's own coordinates) of tile `box`.
    void PaintTile(int box, const QRect& exposed);
    // Where tile `box` lies in the zoomed view, in its device pixels.
    QRect CellOfTile(int box) const;
    // Lays the tiles of the current view out at the current zoom; with `sizeWindow` the
    // window is sized to them, otherwise a fitted view follows the window's size.
    void LayOutView(bool sizeWindow);
    // The largest client area the window can have on its screen, in device pixels.
    QSize LargestClient(qreal ratio) const;
    void CheckZoom();
    // Drops the picture and shrinks the canvas: nothing is left to paint.
    void ReleasePictures();
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
    // Deletes the result file of a closed window, which no command reaches any more.
    void RemoveResultFile();
    // The run's result file for this conversion; empty when no name is free.
    std::string ChooseResultFile() const;
    // Whether another window still needs the file `fileName`.
    bool NeededElsewhere(const std::string& fileName) const;
    void Message(const std::string& text);

    std::unique_ptr<Ui::FinalForm> ui_;
    ProgramState& state_;
    std::string resultFile_;
    // The file of the picture the result was made from; its folder is the first save's.
    std::string pictureFile_;
    QImage picture_; // the result as read back from its file; null once closed
    std::function<double()> clock_;
    bool started_ = false;
    bool converting_ = false;
    bool saving_ = false; // a Save As runs on its thread
    bool closed_ = false; // closed by the user or by the run: never shown again
    int view_ = 1;
    int zoom_ = 100;
    TPoint shown_;           // the zoomed view's size in device pixels
    bool layingOut_ = false; // sizing the window for a view: no refitting meanwhile
};

} // namespace slanter
