#include "shell/qt/ProgramEnd.h"

#include <utility>

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QWidget>

namespace slanter {

ProgramEnd::ProgramEnd(std::function<void()> closeMainWindow)
    : closeMainWindow_(std::move(closeMainWindow)) {}

void ProgramEnd::Request() {
    if (!requested_) {
        requested_ = true;
        qApp->installEventFilter(this);
    }
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog != nullptr && dialog->isVisible())
            dialog->reject();
    if (closeMainWindow_)
        closeMainWindow_();
}

bool ProgramEnd::eventFilter(QObject* watched, QEvent* event) {
    // A dialog shown while the program ends goes as soon as its own loop runs.
    if (event->type() == QEvent::Show)
        if (auto* dialog = qobject_cast<QDialog*>(watched))
            QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

} // namespace slanter
