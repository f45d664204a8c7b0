#include "shell/Language.h"

#include <filesystem>

#include "shell/TextUtilities.h"

namespace slanter {

std::string CommandLineText(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty())
            line += ' ';
        line += argument;
    }
    return line;
}

bool HasSwitch(const std::string& commandLine, const std::string& switchText) {
    return UpperCaseAscii(commandLine).find(UpperCaseAscii(switchText)) != std::string::npos;
}

bool ChooseJapanese(const std::string& commandLine, const std::function<bool()>& systemIsJapanese) {
    if (HasSwitch(commandLine, "/JAPANESE"))
        return true;
    if (HasSwitch(commandLine, "/ENGLISH"))
        return false;
    return systemIsJapanese && systemIsJapanese();
}

std::string HelpFileNameFor(const std::string& workFolder, const std::string& programName,
                            bool japanese, const NamesAFile& namesAFile) {
    // A document any platform shows: the old help viewer's files are shown nowhere else.
    const std::string name = programName + (japanese ? ".html" : "E.html");
    const std::string beside = workFolder + name;
    if (workFolder.empty() || namesAFile(beside))
        return beside;
    const std::string installed =
        (std::filesystem::path(workFolder) / ".." / "share" / "slanter" / name)
            .lexically_normal()
            .string();
    return namesAFile(installed) ? installed : beside;
}

bool IsJapaneseLanguageName(const std::string& name) {
    return name.starts_with("日本");
}

std::string TextFileNameFor(const std::string& workFolder, const std::string& programName,
                            bool japanese) {
    return workFolder + programName + (japanese ? ".txt" : "E.txt");
}

} // namespace slanter
