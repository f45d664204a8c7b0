#include "shell/qt/InfoBoxes.h"

#include <QString>

#include "shell/FileFound.h"
#include "shell/General.h"
#include "shell/InfoTexts.h"
#include "shell/qt/MessageBox.h"

namespace slanter {

void ShowVersionInfo() {
    const std::string text = VersionInfoText(Japanese, Description, Title, ProgramName,
                                             MajorVersion, MinorVersion, Revision);
    AppMessageBox(QString::fromStdString(text), kInformationBox, QString::fromStdString(Title));
}

void ShowCopyrightInfo() {
    const std::string text = CopyrightText(Japanese, TextFileName, FileFound(TextFileName));
    AppMessageBox(QString::fromStdString(text), kInformationBox, QString::fromStdString(Title));
}

} // namespace slanter
