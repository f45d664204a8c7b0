#include "shell/qt/PlatformStart.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QStringList>

#include "shell/Arguments.h"
#include "shell/Language.h"
#include "shell/LaunchState.h"
#include "shell/SettingsStore.h"
#include "shell/qt/PlatformTranslations.h"

namespace slanter {

namespace {

std::optional<std::vector<std::string>>& KeptArguments() {
    static std::optional<std::vector<std::string>> words;
    return words;
}

// The words after the program's own name, in the platform's encoding of file names.
std::vector<std::string> ArgumentWords() {
    if (KeptArguments())
        return *KeptArguments();
    std::vector<std::string> arguments;
    const QStringList words = QCoreApplication::arguments();
    for (qsizetype k = 1; k < words.size(); ++k)
        arguments.push_back(QFile::encodeName(words[k]).toStdString());
    return arguments;
}

} // namespace

void KeepArgumentBytes(int argc, char** argv) {
    KeptArguments() = std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

bool SystemLanguageIsJapanese() {
    return QLocale::system().language() == QLocale::Japanese;
}

ProgramStart PlatformProgramStart() {
    return {QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString(),
            CommandLineText(SwitchWords(ArgumentWords())), SystemLanguageIsJapanese};
}

std::vector<std::string> PictureArguments() {
    std::vector<std::string> pictures;
    for (const std::string& word : PictureWords(ArgumentWords())) {
        std::error_code error;
        const std::filesystem::path name = std::filesystem::absolute(word, error);
        pictures.push_back(error ? word : name.string());
    }
    return pictures;
}

int LaunchShowCommand() {
    // Desktops here start a program without asking for a window state.
    return kShowNormal;
}

void StartGeneral() {
    InitGeneral(PlatformProgramStart());
    // Qt's own dialogs and buttons speak the run's language too.
    LoadPlatformTranslations(Japanese);
    SetProgramInfo();
    WriteApplicationInfo();
}

} // namespace slanter
