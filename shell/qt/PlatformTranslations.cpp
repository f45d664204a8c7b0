#include "shell/qt/PlatformTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <string>
#include <vector>

#include "shell/Arguments.h"
#include "shell/Language.h"

namespace slanter {

namespace {

const QString kTranslatorName = QStringLiteral("SlanterPlatformTranslations");
const QString kGapsName = QStringLiteral("SlanterPlatformTranslationGaps");

// The file dialogs' kinds of entry that Qt's catalogue leaves English.
class CatalogueGaps : public QTranslator {
  public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                      int /*n*/) const override {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        static const struct {
            const char* english;
            const char* japanese;
        } kWords[] = {{"Folder", "フォルダー"},
                      {"Drive", "ドライブ"},
                      {"Shortcut", "ショートカット"},
                      {"Alias", "エイリアス"},
                      {"Unknown", "不明"}};
        for (const auto& word : kWords)
            if (qstrcmp(sourceText, word.english) == 0)
                return QString::fromUtf8(word.japanese);
        return {};
    }
};

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
    // Dates, sizes and kinds of file in the dialogs follow the run's language too.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    if (application->findChild<QTranslator*>(kGapsName) == nullptr) {
        auto* gaps = new CatalogueGaps(application); // owned by the application
        gaps->setObjectName(kGapsName);
        QCoreApplication::installTranslator(gaps);
    }
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
    QLocale::setDefault(QLocale::system());
    QCoreApplication* application = QCoreApplication::instance();
    if (QTranslator* gaps =
            application ? application->findChild<QTranslator*>(kGapsName) : nullptr) {
        QCoreApplication::removeTranslator(gaps);
        gaps->setObjectName(QString());
        gaps->deleteLater();
    }
    if (QTranslator* translator = InstalledTranslator()) {
        QCoreApplication::removeTranslator(translator);
        translator->setObjectName(QString());
        translator->deleteLater();
    }
}

void FollowLanguageSwitch(int argc, char** argv) {
    std::vector<std::string> words;
    for (int k = 1; k < argc; ++k)
        words.emplace_back(argv[k]);
    if (!HasSwitch(CommandLineText(SwitchWords(words)), "/JAPANESE"))
        return;
    // Qt reads the system's locale from these once, when it is first asked; the dates take
    // the time category's, which a set LC_ALL overrides.
    qputenv("LC_TIME", "ja_JP.UTF-8");
    if (!qEnvironmentVariableIsEmpty("LC_ALL"))
        qputenv("LC_ALL", "ja_JP.UTF-8");
}

} // namespace slanter
