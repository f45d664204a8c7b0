#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace slanter::cli {

// A picture side as a decimal number 1..9999; nothing for anything else.
std::optional<int> ParsePictureSide(const std::string& text);

// A non-negative decimal number that fits 32 bits; nothing for anything else.
std::optional<std::int32_t> ParseIndex(const std::string& text);

bool IsHelpWord(const std::string& word);

// The first option ("--name" or "--name=value") given a second time, which no verb takes:
// the two could only disagree or be a slip. Nothing when each is given once; the help
// words are left to the verbs.
std::optional<std::string> RepeatedOption(const std::vector<std::string>& words);

// "--name=value" gives value for prefix "--name="; nothing when word lacks the prefix.
std::optional<std::string> OptionValue(const std::string& word, const std::string& prefix);

// Takes every "NAME VALUE" and "NAME=VALUE" out of `words`, handing each value to `take`
// (which answers a problem with it, empty when it is good), and puts the other words in
// `rest`. Answers the first problem, `missing` when NAME is the last word.
std::string TakeOptionValues(const std::vector<std::string>& words, const std::string& name,
                             const std::string& missing, std::vector<std::string>& rest,
                             const std::function<std::string(const std::string&)>& take);

} // namespace slanter::cli
