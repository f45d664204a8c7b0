#pragma once

#include <string>

namespace slanter {

// The name a result is offered under: the picture's name without its folder and
// extension, its pattern's angle in degrees to two places and `extension`, as
// "photo-31.37deg.png". A picture without a name (pasted) gives "tile".
std::string SuggestedResultName(const std::string& pictureFile, double angleDegrees,
                                const std::string& extension);
// The same without the extension and its dot: "photo-31.37deg".
std::string SuggestedResultStem(const std::string& pictureFile, double angleDegrees);

// `folder` (ending in a separator) and `name`, or where a file of that name is there
// already, the name with "-2", "-3" ... before its extension: a name no file has.
std::string UnusedFileName(const std::string& folder, const std::string& name);

} // namespace slanter
