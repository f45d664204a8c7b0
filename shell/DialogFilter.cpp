#include "shell/DialogFilter.h"

#include "shell/TextUtilities.h"

namespace slanter {

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const auto end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

std::string Patterns(const std::string& patterns) {
    std::string out;
    for (const std::string& pattern : Split(patterns, ';')) {
        if (pattern.empty())
            continue;
        if (!out.empty())
            out += ' ';
        out += pattern == "*.*" ? "*" : pattern;
    }
    return out;
}

} // namespace

std::string DialogEntrySuffix(const std::string& entry, const std::string& fallback) {
    const auto open = entry.rfind('(');
    if (open == std::string::npos || entry.empty() || entry.back() != ')')
        return fallback;
    const std::string pattern = entry.substr(open + 1, entry.size() - open - 2);
    if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0 ||
        pattern.find_first_of("*. ;", 2) != std::string::npos)
        return fallback;
    return pattern.substr(2);
}

int FilterPlaceOf(const std::string& filter, const std::string& extension) {
    const std::vector<std::string> parts = Split(filter, '|');
    for (std::size_t k = 0; k + 1 < parts.size(); k += 2)
        if (LowerCaseAscii(parts[k + 1]) == "*." + LowerCaseAscii(extension))
            return static_cast<int>(k / 2);
    return 0;
}

std::vector<std::string> DialogNameFilters(const std::string& filter) {
    std::vector<std::string> filters;
    const std::vector<std::string> parts = Split(filter, '|');
    for (std::size_t k = 0; k + 1 < parts.size(); k += 2)
        filters.push_back(parts[k] + " (" + Patterns(parts[k + 1]) + ")");
    return filters;
}

} // namespace slanter
