#pragma once

#include <string>

namespace slanter {

// The result window's save dialog filter (description|pattern pairs): BMP first, as the
// result file is, then PNG and all files. The file written follows the chosen name's
// extension (NamesPngFile), which the dialog sets from the chosen filter.
std::string ResultSaveFilter(bool japanese);

} // namespace slanter
