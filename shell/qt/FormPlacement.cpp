#include "shell/qt/FormPlacement.h"

#include <QRect>
#include <QWidget>

#include "shell/qt/SettingsStore.h"

namespace slanter {

namespace {

// The geometry the window returns to when restored, also while it is maximized or
// minimized, so a window closed maximized keeps its restored bounds.
QRect NormalRectangle(const QWidget& form) {
    const QRect normal = form.normalGeometry();
    return normal.isValid() ? normal : form.geometry();
}

std::string StateText(const QWidget& form) {
    if (form.windowState() & Qt::WindowMinimized)
        return "Minimized";
    if (form.windowState() & Qt::WindowMaximized)
        return "Maximized";
    return "Normal";
}

} // namespace

bool IsSizeableFrame(const QWidget& form) {
    if (form.windowFlags() & Qt::MSWindowsFixedSizeDialogHint)
        return false;
    return form.minimumSize() != form.maximumSize();
}

void SaveFormPlacement(const QWidget& form) {
    const std::string section = form.objectName().toStdString();
    if (section.empty())
        return;
    const QRect normal = NormalRectangle(form);
    if (IsSizeableFrame(form)) {
        WriteSetting(section, "Width", normal.width());
        WriteSetting(section, "Height", normal.height());
    }
    WriteSetting(section, "Left", normal.left());
    WriteSetting(section, "Top", normal.top());
    WriteSetting(section, "State", StateText(form));
}

void RestoreFormPlacement(QWidget& form) {
    const std::string section = form.objectName().toStdString();
    if (section.empty())
        return;
    QRect bounds = NormalRectangle(form);
    const int left = ReadSetting(section, "Left", bounds.left()).Integer();
    const int top = ReadSetting(section, "Top", bounds.top()).Integer();
    int width = bounds.width();
    int height = bounds.height();
    if (IsSizeableFrame(form)) {
        width = ReadSetting(section, "Width", width).Integer();
        height = ReadSetting(section, "Height", height).Integer();
    }
    const std::string state = ReadSetting(section, "State", "Normal").Text();

    // The bounds go to the normal state first, so a maximized window returns to them.
    form.setWindowState(form.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    form.setGeometry(left, top, width, height);
    if (state == "Minimized")
        form.setWindowState(form.windowState() | Qt::WindowMinimized);
    else if (state == "Maximized")
        form.setWindowState(form.windowState() | Qt::WindowMaximized);
}

} // namespace slanter
