// The main of the Qt shell tests: an offscreen application and a settings store in a
// temporary folder, so no test touches the display or the user's real settings.
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "shell/General.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
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
