#pragma once

#include <QKeySequence>
#include <QList>

class QAction;
class QWidget;

namespace slanter {

// The platform's keys for a standard command, or `usual` where the platform names none (a
// desktop without a settings theme names no Save As key, for one).
QList<QKeySequence> PlatformKeysOr(QKeySequence::StandardKey command, const QKeySequence& usual);

// The keys close the window while it is active, as a dialog's Esc does.
QAction* CloseOnKeys(QWidget& window, const QList<QKeySequence>& keys);

} // namespace slanter
