#include "shell/qt/HelpWindow.h"

#include <QFile>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "shell/General.h"
#include "shell/qt/WindowKeys.h"

namespace slanter {

namespace {

// Wide enough for the document's lines, small enough for any screen.
constexpr QSize kHelpWindowSize(560, 480);

} // namespace

THelpWindow::THelpWindow(QWidget* owner)
    : QWidget(owner, Qt::Window), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this); // owned by this window
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(kHelpWindowSize);
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Close);
    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        if (!keys.contains(key))
            keys.append(key);
    CloseOnKeys(*this, keys);
}

bool THelpWindow::Load(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    browser_->setSource(QUrl::fromLocalFile(fileName), QTextDocument::HtmlResource);
    setWindowTitle(QStringLiteral("  ") + browser_->documentTitle());
    return true;
}

bool ShowHelpWindow(const QString& fileName, QWidget& owner) {
    auto* window = owner.findChild<THelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (window == nullptr)
        window = new THelpWindow(&owner); // freed with its owner
    if (!window->Load(fileName))
        return false;
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

} // namespace slanter
