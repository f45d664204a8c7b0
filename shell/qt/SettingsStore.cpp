#include "shell/SettingsStore.h"

#include <memory>

#include <QFile>
#include <QSettings>

#include "shell/General.h"
#include "shell/qt/MessageBox.h"

namespace slanter {

namespace {

std::unique_ptr<QSettings> OpenApplicationKey() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QString::fromLatin1(kCompanyKeyName),
                                       QString::fromStdString(Title));
}

void SettingsNotKept(const QString& storeName) {
    const std::string name = QFile::encodeName(storeName).toStdString();
    AppMessageBox(QString::fromStdString(SettingsNoLongerKept(name)), kWarningBox);
}

QString KeyOf(const std::string& section, const std::string& name) {
    return QString::fromStdString(section + "/" + name);
}

} // namespace

void WriteStoredText(const std::string& section, const std::string& name, const std::string& text) {
    const auto settings = OpenApplicationKey();
    settings->setValue(KeyOf(section, name), QString::fromStdString(text));
    settings->sync();
    if (settings->status() == QSettings::AccessError)
        SettingsNotKept(settings->fileName());
}

std::optional<std::string> ReadStoredText(const std::string& section, const std::string& name) {
    const auto settings = OpenApplicationKey();
    const QVariant stored = settings->value(KeyOf(section, name));
    if (!stored.isValid())
        return std::nullopt;
    if (stored.typeId() != QMetaType::QString)
        throw SettingsError("Invalid data type for '" + name + "'");
    return stored.toString().toStdString();
}

void EraseSettings() {
#ifdef Q_OS_WIN
    // The registry: delete the program's subkey of the company key, with all below it.
    QSettings company(QStringLiteral("HKEY_CURRENT_USER\\Software\\") +
                          QString::fromLatin1(kCompanyKeyName),
                      QSettings::NativeFormat);
    company.remove(QString::fromStdString(Title));
    company.sync();
#else
    // Elsewhere the program's key is one file; emptying it is not enough, it goes too.
    const auto settings = OpenApplicationKey();
    settings->clear();
    settings->sync();
    QFile::remove(settings->fileName());
#endif
}

} // namespace slanter
