#include "cli/ArgumentParsing.h"

#include <set>

namespace slanter::cli {

std::optional<int> ParsePictureSide(const std::string& text) {
    if (text.empty() || text.size() > 4)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < 1)
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> ParseIndex(const std::string& text) {
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

bool IsHelpWord(const std::string& word) {
    return word == "--help" || word == "-h";
}

std::optional<std::string> RepeatedOption(const std::vector<std::string>& words) {
    std::set<std::string> seen;
    for (const std::string& word : words) {
        if (word.rfind("--", 0) != 0 || IsHelpWord(word))
            continue;
        const std::string name = word.substr(0, word.find('='));
        if (!seen.insert(name).second)
            return name;
    }
    return std::nullopt;
}

std::optional<std::string> OptionValue(const std::string& word, const std::string& prefix) {
    if (word.compare(0, prefix.size(), prefix) != 0)
        return std::nullopt;
    return word.substr(prefix.size());
}

std::string TakeOptionValues(const std::vector<std::string>& words, const std::string& name,
                             const std::string& missing, std::vector<std::string>& rest,
                             const std::function<std::string(const std::string&)>& take) {
    for (std::size_t k = 0; k < words.size(); ++k) {
        std::optional<std::string> value = OptionValue(words[k], name + "=");
        if (!value && words[k] == name) {
            if (k + 1 == words.size())
                return missing;
            value = words[++k];
        }
        if (!value) {
            rest.push_back(words[k]);
            continue;
        }
        if (std::string problem = take(*value); !problem.empty())
            return problem;
    }
    return {};
}

} // namespace slanter::cli
