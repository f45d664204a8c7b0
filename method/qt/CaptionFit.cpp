#include "method/qt/CaptionFit.h"

#include <QFont>
#include <QFontInfo>
#include <QGroupBox>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

#include "method/CaptionFit.h"

namespace slanter {

namespace {

bool CaptionFits(const QGroupBox& box) {
    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = box.title();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect label =
        box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
    return label.right() + kCaptionFrameTail < box.width();
}

// The width the button needs to show its text's ink whole.
int NeededWidth(const QRadioButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    const QRect text =
        button.style()->subElementRect(QStyle::SE_RadioButtonContents, &option, &button);
    return text.left() + button.fontMetrics().tightBoundingRect(button.text()).right() + 1;
}

// Makes `widget`'s font smaller, a pixel at a time, until `fits` or the least size.
template <class Fits>
void ShrinkUntil(QWidget& widget, Fits fits) {
    QFont font = widget.font();
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    FittedFontPixels(pixels, [&](int size) {
        if (size != pixels) {
            font.setPixelSize(size);
            widget.setFont(font);
        }
        return fits();
    });
}

} // namespace

void FitGroupBox(QGroupBox& box) {
    const QList<QRadioButton*> buttons = box.findChildren<QRadioButton*>();
    if (!CaptionFits(box)) {
        // The buttons take the box's font unless given their own: they keep the designed one.
        for (QRadioButton* button : buttons)
            button->setFont(box.font());
        ShrinkUntil(box, [&box] { return CaptionFits(box); });
    }
    for (QRadioButton* button : buttons) {
        // Up to the frame, which is a pixel wide.
        const int room = box.width() - 1 - button->x();
        const int width = FittedButtonWidth(NeededWidth(*button), button->width(), room);
        if (width != button->width())
            button->resize(width, button->height());
        ShrinkUntil(*button, [button] { return NeededWidth(*button) <= button->width(); });
    }
}

} // namespace slanter
