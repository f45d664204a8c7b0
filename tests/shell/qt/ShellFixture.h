#pragma once

#include <QFile>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <gtest/gtest.h>

#include "shell/General.h"
#include "shell/SettingsStore.h"

namespace slanter::testing {

// Each test starts from an erased, writable store and the English program values of a
// program file /tools/Slanter.
class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitGeneral({"/tools/Slanter", "/ENGLISH", [] { return false; }});
        SetProgramInfo();
        EraseSettings();
    }
    void TearDown() override {
        SettingsWritable = true;
        EraseSettings();
    }

    // The store as Qt sees it, to look at the stored texts past our own read rules.
    static QSettings RawStore() {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, "TAMRI Lab",
                         "Bit Map Slanter");
    }
    static bool StoreExists() { return QFile::exists(StoreFileName()); }
    static QString StoreFileName() { return RawStore().fileName(); }
    static QVariant Stored(const QString& key) { return RawStore().value(key); }
};

} // namespace slanter::testing
