#include "shell/InfoTexts.h"

#include "shell/TextUtilities.h"

namespace slanter {

namespace {

constexpr const char* kRightsNotice = "Copyright (C) TAMRI Lab. All rights reserved.";

} // namespace

std::string VersionNumberText(int major, int minor, int revision) {
    return "Ver." + std::to_string(major) + "." + RightStr(std::to_string(minor + 100), 2) +
           "  Rev." + std::to_string(revision);
}

std::string VersionInfoText(bool japanese, const std::string& description, const std::string& title,
                            const std::string& programName, int major, int minor, int revision) {
    std::string text = japanese ? "バージョン情報" : "Version Information";
    text += "\n";
    text += "\n" + description;
    text += "\n" + title;
    if (UpperCaseAscii(title) != UpperCaseAscii(programName))
        text += " (" + programName + ")";
    text += "  " + VersionNumberText(major, minor, revision);
    return text;
}

std::string CopyrightText(bool japanese, const std::string& textFileName, bool textFileExists) {
    std::string text = japanese ? "著作権情報" : "Copyright Information";
    text += "\r\n";
    text += kRightsNotice;
    if (textFileExists) {
        text += "\r\n\r\n";
        text += japanese ? "詳細は " + textFileName + " をご覧ください。"
                         : "See " + textFileName + " for detail.";
    }
    return text;
}

std::string HelpNotFoundText(bool japanese, const std::string& helpFileName) {
    return helpFileName + (japanese ? " が見つかりません。" : " is not found.");
}

} // namespace slanter
