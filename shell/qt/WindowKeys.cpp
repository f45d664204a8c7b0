#include "shell/qt/WindowKeys.h"

#include <QAction>
#include <QWidget>

namespace slanter {

QList<QKeySequence> PlatformKeysOr(QKeySequence::StandardKey command, const QKeySequence& usual) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(command);
    if (keys.isEmpty())
        keys.append(usual);
    return keys;
}

QAction* CloseOnKeys(QWidget& window, const QList<QKeySequence>& keys) {
    auto* action = new QAction(&window); // freed with the window
    action->setObjectName(QStringLiteral("CloseKeys"));
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window.addAction(action);
    QObject::connect(action, &QAction::triggered, &window, &QWidget::close);
    return action;
}

} // namespace slanter
