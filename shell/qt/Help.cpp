#include "shell/qt/Help.h"

#include <utility>

#include <QDesktopServices>
#include <QFile>
#include <QUrl>

#include "shell/General.h"
#include "shell/qt/HelpWindow.h"

namespace slanter {

namespace {

HelpViewer& CurrentViewer() {
    static HelpViewer viewer;
    return viewer;
}

bool OpenWithDesktopViewer(const QString& fileName) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}

} // namespace

void ShowHelp(QWidget* owner) {
    // A viewer that fails to start is not reported, as with any other help viewer.
    const QString fileName = QFile::decodeName(QByteArray::fromStdString(HelpFileName));
    const HelpViewer& viewer = CurrentViewer();
    if (viewer)
        viewer(fileName);
    else if (owner != nullptr)
        ShowHelpWindow(fileName, *owner);
    else
        OpenWithDesktopViewer(fileName);
}

HelpViewer SetHelpViewer(HelpViewer viewer) {
    return std::exchange(CurrentViewer(), std::move(viewer));
}

} // namespace slanter
