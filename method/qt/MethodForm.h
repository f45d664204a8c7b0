#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <QPointer>
#include <QWidget>

#include "method/PatternRow.h"

class QCloseEvent;
class QKeyEvent;
class QPainter;
class QRadioButton;
class QResizeEvent;
class QStyleOptionViewItem;
namespace Ui {
class MethodForm;
}

namespace slanter {

class TFinalForm;
struct ProgramState;

// The method window, where the user chooses how a picture is slanted: the arrangement,
// the tilt, smoothing and the list order, a pattern of the engine's list, and then a
// preview or a conversion. Made hidden at start; the main window refills it after each new
// picture and brings it up. It keeps its options and column widths between runs, and owns
// the result window of every conversion started from it.
class TMethodForm : public QWidget {
    Q_OBJECT

  public:
    explicit TMethodForm(ProgramState& state, QWidget* parent = nullptr);
    ~TMethodForm() override;

    // Fills the list again from the pattern engine, with nothing selected and both commands
    // disabled. The preview of a pattern of the old table goes; an empty table leaves it.
    void RefreshList();
    // Shows the window and brings it to the front, with the keys on the pattern list.
    void BringToFront();

    // The option buttons' shared handler: the arrangement, the tilt or the order reaches
    // the engine; a new arrangement or order refills the list.
    void RadioButtonClick(QRadioButton* sender);
    // Both commands are offered while a pattern is selected.
    void ListBox1Click();
    void ListBox1DblClick();
    void Button1Click();
    void Button2Click();
    void HeaderControl1SectionResize();

    // Selects the list's pattern in the engine and has the preview window draw it.
    void ShowPreview();
    // Selects the list's pattern in the engine and converts it in a new result window,
    // numbered in the order of this run's conversions.
    void StartConversion();

    // Paints the row of pattern `index` in `rect`: five columns under the header's
    // sections, each cut at its section's edges, in the selection's colours for a selected
    // row.
    void ListBox1DrawItem(QPainter& canvas, int index, const QRect& rect,
                          const QStyleOptionViewItem& state) const;

    // The conversions started from this window so far.
    std::int32_t ResultCount() const { return ResultCount_; }
    // Their windows, in the order started; a window freed meanwhile is null.
    const std::vector<QPointer<TFinalForm>>& ResultWindows() const { return results_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void FormCreate();
    void FormClose();
    // One step of keeping the size rules; false when it changed the size, which brings a
    // further step.
    bool FormResize();
    void ReadOptions();
    void SetEnglishCaptions();
    // The selected item's index, or -1.
    int SelectedIndex() const;
    SectionWidths ColumnWidths() const;

    std::unique_ptr<Ui::MethodForm> ui_;
    ProgramState& state_;
    std::int32_t ResultCount_ = 0;
    std::vector<QPointer<TFinalForm>> results_;
};

// The method window of this run; null before it is made and after it is gone.
extern TMethodForm* MethodForm;

} // namespace slanter
