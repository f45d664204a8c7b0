#include "shell/qt/PlatformTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace slanter {

namespace {

const QString kTranslatorName = QStringLiteral("SlanterPlatformTranslations");

QTranslator* InstalledTranslator() {
    QCoreApplication* application = QCoreApplication::instance();
    return application ? application->findChild<QTranslator*>(kTranslatorName) : nullptr;
}

} // namespace

bool LoadPlatformTranslations(bool japanese) {
    QCoreApplication* application = QCoreApplication::instance();
    if (!japanese || application == nullptr)
        return false;
    if (InstalledTranslator() != nullptr)
        return true;
    auto* translator = new QTranslator(application); // owned by the application
    translator->setObjectName(kTranslatorName);
    // "qt" gathers the catalogues of Qt's modules, among them the widgets' dialogs.
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qt"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        translator->deleteLater();
        translator->setObjectName(QString());
        return false;
    }
    return true;
}

void UnloadPlatformTranslations() {
    if (QTranslator* translator = InstalledTranslator()) {
        QCoreApplication::removeTranslator(translator);
        translator->setObjectName(QString());
        translator->deleteLater();
    }
}

} // namespace slanter
