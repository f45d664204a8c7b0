#include "conversion/SaveFolderChoice.h"

#include <filesystem>
#include <system_error>

#include "shell/ProgramIdentity.h"

namespace slanter {

namespace {

bool IsFolder(const std::string& name) {
    std::error_code error;
    return !name.empty() && std::filesystem::is_directory(std::filesystem::path(name), error);
}

} // namespace

std::string SaveDialogFolder(const std::string& lastSavedFolder, const std::string& pictureFile) {
    if (IsFolder(lastSavedFolder))
        return lastSavedFolder;
    const std::string pictureFolder = pictureFile.empty() ? std::string() : FolderPart(pictureFile);
    if (IsFolder(pictureFolder))
        return pictureFolder;
    return {};
}

} // namespace slanter
