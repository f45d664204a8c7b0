#pragma once

#include <string>

namespace slanter {

// The access key a caption marks, as the captions of both front ends write it: the
// character after a single '&' ("&Width:"), upper case; "&&" is an ampersand shown as it
// is. 0 for a caption that marks none.
wchar_t AccessKey(const std::wstring& caption);

} // namespace slanter
