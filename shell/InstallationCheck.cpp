#include "shell/InstallationCheck.h"

#include <algorithm>

#include "shell/TextUtilities.h"

namespace slanter {

namespace {

bool Holds(const std::vector<std::string>& formats, const std::string& format) {
    return std::find(formats.begin(), formats.end(), format) != formats.end();
}

std::string DamagedText(bool japanese, const std::string& title, const std::string& format,
                        bool writing) {
    const std::string name = UpperCaseAscii(format);
    if (japanese)
        return title + " のインストールが壊れているため、起動できません。\r\n" + name + " 画像の" +
               (writing ? "書き込み" : "読み込み") + "部品が見つかりません。\r\n" +
               "もう一度インストールしてください。";
    return title + " cannot start: its installation is damaged.\r\n" + "No " +
           (writing ? "writer" : "reader") + " for " + name + " pictures was found.\r\n" +
           "Please install the program again.";
}

} // namespace

std::optional<std::string> InstallationProblem(bool japanese, const std::string& title,
                                               const std::vector<std::string>& readable,
                                               const std::vector<std::string>& writable) {
    for (const char* format : {"bmp", "ico"}) {
        if (!Holds(readable, format))
            return DamagedText(japanese, title, format, false);
    }
    if (!Holds(writable, "bmp"))
        return DamagedText(japanese, title, "bmp", true);
    return std::nullopt;
}

} // namespace slanter
