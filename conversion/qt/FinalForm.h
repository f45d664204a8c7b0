#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include <QImage>
#include <QMainWindow>

#include "conversion/ResultPresenter.h"
#include "conversion/ResultView.h"
#include "conversion/ResultZoom.h"
#include "shell/qt/QtServices.h"

class QCloseEvent;
class QEvent;
class QKeyEvent;
class QResizeEvent;
namespace Ui {
class FinalForm;
}

namespace slanter {

struct ProgramState;

// The window of one conversion (ResultPresenter): the designed form bound to the flow,
// the tiles of the view laid out in device pixels and painted from the picture read back.
class TFinalForm : public QMainWindow, private ResultView {
    Q_OBJECT

  public:
    // Made hidden. Freed together with `owner` when one is given, as a child would be; the
    // window is no child of the owner, so disabling the owner during the run leaves the
    // Cancel button working.
    explicit TFinalForm(ProgramState& state, QObject* owner = nullptr);
    ~TFinalForm() override;

    ResultWindow& Window() { return presenter_; }
    ResultPresenter& Presenter() { return presenter_; }
    const std::string& ResultFile() const { return presenter_.ResultFile(); }
    // The save of Save As once a name is chosen, for the end-to-end runs and the tours.
    void SaveResultAs(const std::string& fileName) { presenter_.SaveResultAs(fileName); }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    std::string Caption() const override;
    void SetCaption(const std::string& caption) override;
    void ShowProgressPanel() override;
    void ShowProgress(int percent, const std::string& done, const std::string& estimate) override;
    std::string ReadPicture(const std::string& resultFile) override;
    TPoint PictureSize() const override;
    void ShowResultArea() override;
    void ReleasePicture() override;
    TPoint Room(bool sizeWindow) override;
    void LayOut(int view, TPoint shown, bool sizeWindow) override;
    void SetChecked(std::string_view item, bool checked) override;
    void EnableSaveAs(bool enabled) override;
    void CloseWindow() override;

    void FormCreate();
    void SetEnglishCaptions();
    // Home, End, Control+Home and Control+End move the view to its edges; false for
    // other keys.
    bool MoveViewByKey(const QKeyEvent& event);
    // Image1 and PaintBox2 to PaintBox9, the copies of the picture in the tiled views.
    std::array<QWidget*, 9> Tiles() const;
    // The tiles by number: 1 for Image1, 2 to 9 for the paint boxes; 0 for no tile.
    int TileNumber(const QObject* tile) const;
    QWidget* Tile(int box) const;
    // Where tile `box` lies in the zoomed view, in its device pixels.
    ZoomedCell CellOfTile(int box) const;
    // Paints the part `exposed` (in the tile's own coordinates) of tile `box`.
    void PaintTile(int box, const QRect& exposed);

    std::unique_ptr<Ui::FinalForm> ui_;
    QtServices services_;
    ResultPresenter presenter_;
    QImage picture_; // the result as read back from its file; null once closed
    int view_ = 1;
    TPoint shown_; // the zoomed view's size in device pixels
};

} // namespace slanter
