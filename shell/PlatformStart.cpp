#include "shell/PlatformStart.h"

#include <string>
#include <vector>

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QStringList>

#include "shell/Language.h"
#include "shell/SettingsStore.h"

namespace slanter {

bool SystemLanguageIsJapanese() {
    return QLocale::system().language() == QLocale::Japanese;
}

ProgramStart PlatformProgramStart() {
    std::vector<std::string> arguments;
    const QStringList words = QCoreApplication::arguments();
    for (qsizetype k = 1; k < words.size(); ++k)
        arguments.push_back(words[k].toStdString());
    return {QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString(),
            CommandLineText(arguments), SystemLanguageIsJapanese};
}

void StartGeneral() {
    InitGeneral(PlatformProgramStart());
    SetProgramInfo();
    WriteApplicationInfo();
}

} // namespace slanter
