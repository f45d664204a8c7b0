#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <QPointer>
#include <QWidget>

#include "method/MethodPresenter.h"
#include "method/MethodViewOf.h"
#include "shell/qt/QtServices.h"

class QCloseEvent;
class QKeyEvent;
class QPainter;
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
// picture and brings it up. Its flow is MethodPresenter's; it owns the result window of
// every conversion started from it.
class TMethodForm : public QWidget {
    Q_OBJECT

  public:
    explicit TMethodForm(ProgramState& state, QWidget* parent = nullptr);
    ~TMethodForm() override;

    MethodWindow& Window() { return presenter_; }
    void SetPreviewWindow(PreviewWindow* preview) { presenter_.SetPreviewWindow(preview); }

    // Paints the row of pattern `index` in `rect`: five columns under the header's
    // sections, each cut at its section's edges, in the selection's colours for a selected
    // row.
    void ListBox1DrawItem(QPainter& canvas, int index, const QRect& rect,
                          const QStyleOptionViewItem& state) const;

    // The conversions started from this window so far.
    std::int32_t ResultCount() const { return presenter_.ResultCount(); }
    // Their windows, in the order started; a window freed meanwhile is null.
    const std::vector<QPointer<TFinalForm>>& ResultWindows() const { return results_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BindControls();
    void LayOutList();

    friend class MethodViewOf<TMethodForm>;

    std::unique_ptr<Ui::MethodForm> ui_;
    ProgramState& state_;
    QtServices services_;
    MethodViewOf<TMethodForm> view_{*this};
    MethodPresenter presenter_;
    std::vector<QPointer<TFinalForm>> results_;
};

// The method window of this run; null before it is made and after it is gone.
extern TMethodForm* MethodForm;

extern template class MethodViewOf<TMethodForm>;

} // namespace slanter
