#pragma once

#include <string>

namespace slanter {

// The program's texts are UTF-8; the Windows API's wide functions take UTF-16. Bytes that
// are no UTF-8 become the replacement character rather than ending the text.
std::wstring WideText(const std::string& text);
std::string Utf8Text(const std::wstring& text);

} // namespace slanter
