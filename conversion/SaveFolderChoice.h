#pragma once

#include <string>

namespace slanter {

// The folder a save dialog opens in: the folder last saved to while it is still there,
// else the folder of the picture the result was made from (empty for a picture from the
// clipboard), else none, which leaves the platform's own choice.
std::string SaveDialogFolder(const std::string& lastSavedFolder, const std::string& pictureFile);

} // namespace slanter
