#include "shell/PlatformServices.h"

#include "shell/DesktopWallpaper.h"
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

std::string PlatformServices::PicturesFolder() {
    return slanter::PicturesFolder();
}

std::string PlatformServices::SetDesktopWallpaper(const std::string& file) {
    return slanter::SetDesktopWallpaper(file);
}

} // namespace slanter
