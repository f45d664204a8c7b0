#pragma once

#include <QWidget>

class QString;
class QTextBrowser;

namespace slanter {

// A simple viewer of the help document: the document fills the window, its links to
// other places open in the desktop's browser. One per owner, freed with the owner.
class THelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit THelpWindow(QWidget* owner);

    // Shows the document; false when it cannot be read.
    bool Load(const QString& fileName);
    QTextBrowser& Browser() const { return *browser_; }

  private:
    QTextBrowser* browser_; // a child of this window
};

// Shows the document in `owner`'s help window, made when it has none yet, and brings
// the window to the front. False when the document cannot be read.
bool ShowHelpWindow(const QString& fileName, QWidget& owner);

} // namespace slanter
