#include "shell/qt/PictureSizeDialog.h"

#include <cmath>
#include <utility>

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "shell/PictureSizeChoice.h"

namespace slanter {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

TPictureSizeDialog::TPictureSizeDialog(QWidget* parent, bool japanese, TPoint original,
                                       TPoint current)
    : QDialog(parent), original_(original) {
    const PictureSizeTexts texts = SizeDialogTexts(japanese, original);
    setWindowTitle(Text(texts.caption));
    width_ = new QSpinBox(this);
    width_->setObjectName(QStringLiteral("WidthEdit"));
    height_ = new QSpinBox(this);
    height_->setObjectName(QStringLiteral("HeightEdit"));
    for (QSpinBox* side : {width_, height_})
        side->setRange(1, kMostSizeSide);
    percent_ = new QDoubleSpinBox(this);
    percent_->setObjectName(QStringLiteral("PercentEdit"));
    percent_->setDecimals(2);
    percent_->setRange(0.01, static_cast<double>(kMostPercentHundredths) / 100);

    auto* form = new QFormLayout;
    form->addRow(Text(texts.width), width_);
    form->addRow(Text(texts.height), height_);
    form->addRow(Text(texts.percent), percent_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Text(texts.ok));
    buttons->button(QDialogButtonBox::Cancel)->setText(Text(texts.cancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Text(texts.original), this));
    layout->addLayout(form);
    layout->addWidget(buttons);

    // Each edit brings the others along; the values they are given do not edit back.
    connect(width_, &QSpinBox::valueChanged, this,
            [this](int value) { Show(SizeForWidth(original_, value), width_); });
    connect(height_, &QSpinBox::valueChanged, this,
            [this](int value) { Show(SizeForHeight(original_, value), height_); });
    connect(percent_, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        Show(SizeForPercent(original_, std::llround(value * 100)), percent_);
    });
    Show(current, nullptr);
    width_->setFocus();
    width_->selectAll();
}

void TPictureSizeDialog::Show(TPoint size, const QWidget* edited) {
    // The field being typed in keeps what the user typed; the fields set here tell no one.
    const QSignalBlocker widthQuiet(width_);
    const QSignalBlocker heightQuiet(height_);
    const QSignalBlocker percentQuiet(percent_);
    if (edited != width_)
        width_->setValue(size.X);
    if (edited != height_)
        height_->setValue(size.Y);
    if (edited != percent_)
        percent_->setValue(static_cast<double>(PercentHundredths(original_, size.X)) / 100);
}

TPoint TPictureSizeDialog::ChosenSize() const {
    return {width_->value(), height_->value()};
}

std::optional<TPoint> RunPictureSizeDialog(QWidget* parent, bool japanese, TPoint original,
                                           TPoint current) {
    TPictureSizeDialog dialog(parent, japanese, original, current);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.ChosenSize();
}

} // namespace slanter
