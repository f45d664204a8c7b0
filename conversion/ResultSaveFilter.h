#pragma once

#include <string>

namespace slanter {

// The result window's save dialog filter (description|pattern pairs): BMP first, as the
// result file is, then PNG and all files. The file written follows the chosen name's
// extension (NamesPngFile), which the dialog sets from the chosen filter.
std::string ResultSaveFilter(bool japanese);

// The format a typed name asks for: its extension where it names one we write (.bmp or
// .png, in any case), BMP for a name without one; any other extension is refused.
enum class SavedFormat { Bmp, Png, Refused };
SavedFormat SavedFormatOf(const std::string& fileName);

// Why a name with another extension is not saved to, naming the two we write.
std::string UnsavableExtensionText(bool japanese, const std::string& fileName);

} // namespace slanter
