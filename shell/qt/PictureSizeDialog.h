#pragma once

#include <functional>
#include <optional>

#include <QDialog>

#include "engine/Point.h"

class QDoubleSpinBox;
class QSpinBox;

namespace slanter {

// Picture > Size...: width, height and percentage of the picture as opened, each edit
// bringing the other two along by the rules of PictureSizeChoice.h.
class TPictureSizeDialog : public QDialog {
  public:
    TPictureSizeDialog(QWidget* parent, bool japanese, TPoint original, TPoint current);

    TPoint ChosenSize() const;

    // The controls, named WidthEdit, HeightEdit and PercentEdit for tests.
    QSpinBox* WidthEdit() const { return width_; }
    QSpinBox* HeightEdit() const { return height_; }
    QDoubleSpinBox* PercentEdit() const { return percent_; }

  private:
    // Shows size in every field but `edited`.
    void Show(TPoint size, const QWidget* edited);

    TPoint original_;
    QSpinBox* width_ = nullptr;
    QSpinBox* height_ = nullptr;
    QDoubleSpinBox* percent_ = nullptr;
};

// Runs the dialog; the size chosen, or nothing when the user cancelled.
std::optional<TPoint> RunPictureSizeDialog(QWidget* parent, bool japanese, TPoint original,
                                           TPoint current);

} // namespace slanter
