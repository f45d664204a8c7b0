#include "bitmap/WideName.h"

#include <cstdint>

namespace slanter {

std::wstring WideName(const std::string& utf8) {
    std::wstring wide;
    for (std::size_t k = 0; k < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[k]);
        const int trail = lead < 0x80                   ? 0
                          : lead >= 0xC2 && lead < 0xE0 ? 1
                          : lead >= 0xE0 && lead < 0xF0 ? 2
                          : lead >= 0xF0 && lead < 0xF5 ? 3
                                                        : -1;
        if (trail < 0 || utf8.size() - k <= static_cast<std::size_t>(trail))
            return {};
        std::uint32_t code = trail == 0 ? lead : lead & (0x3F >> trail);
        for (int t = 1; t <= trail; ++t) {
            const auto byte = static_cast<unsigned char>(utf8[k + t]);
            if ((byte & 0xC0) != 0x80)
                return {};
            code = code << 6 | (byte & 0x3F);
        }
        // Overlong forms, surrogates and values past Unicode are no UTF-8.
        static constexpr std::uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        if (code < kLeast[trail] || (code >= 0xD800 && code < 0xE000) || code > 0x10FFFF)
            return {};
        if (code >= 0x10000 && sizeof(wchar_t) == 2) {
            wide.push_back(static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10)));
            wide.push_back(static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            wide.push_back(static_cast<wchar_t>(code));
        }
        k += static_cast<std::size_t>(trail) + 1;
    }
    return wide;
}

} // namespace slanter
