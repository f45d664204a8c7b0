// The main of the Qt shell tests: an offscreen application (or, for the tests of what only
// a window manager shows, the display's) and a settings store in a temporary folder, so
// no test touches the user's display or real settings.
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "shell/General.h"

int main(int argc, char** argv) {
#ifndef SLANTER_TESTS_ON_A_DISPLAY
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    ::testing::InitGoogleTest(&argc, argv);
    const QTemporaryDir store;
    if (!store.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(store.path()));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(store.path()));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, store.path());
    QApplication app(argc, argv);
    slanter::SetProgramInfo();
    return RUN_ALL_TESTS();
}
