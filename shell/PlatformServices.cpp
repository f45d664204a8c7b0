#include "shell/PlatformServices.h"

#include "shell/FileFound.h"
#include "shell/General.h"
#include "shell/InfoTexts.h"
#include "shell/MessageFlags.h"

namespace slanter {

void PlatformServices::GeneralError(const std::string& text) {
    Message(text, kErrorBox);
}

void PlatformServices::ShowVersionInfo() {
    Message(VersionInfoText(Japanese, Description, Title, ProgramName, MajorVersion, MinorVersion,
                            Revision),
            kInformationBox, Title);
}

void PlatformServices::ShowCopyrightInfo() {
    Message(CopyrightText(Japanese, TextFileName, FileFound(TextFileName)), kInformationBox, Title);
}

} // namespace slanter
