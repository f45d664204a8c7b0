#pragma once

#include <string>

namespace slanter {

// A UTF-8 file name as the wide-character calls of Windows take it (UTF-16); empty for
// bytes that are no UTF-8, so that such a name opens nothing.
std::wstring WideName(const std::string& utf8);

} // namespace slanter
