#include "shell/AccessKey.h"

#include <cwctype>

namespace slanter {

wchar_t AccessKey(const std::wstring& caption) {
    for (std::size_t at = 0; at + 1 < caption.size(); ++at) {
        if (caption[at] != L'&')
            continue;
        if (caption[at + 1] != L'&')
            return static_cast<wchar_t>(std::towupper(caption[at + 1]));
        ++at;
    }
    return 0;
}

} // namespace slanter
