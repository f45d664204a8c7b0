#pragma once

#include <string>
#include <vector>

namespace slanter {

// The words after the program's name are switches or picture names. A switch is a word
// that, upper-cased, begins with "/JAPANESE", "/ENGLISH" or "/REGISTRY"; any other word
// names a picture. Keeping the two apart matters where a file name may begin with a
// slash: a picture in /home/me/english/ must not choose the language.

bool IsSwitchWord(const std::string& word);

// The switch words, in their order.
std::vector<std::string> SwitchWords(const std::vector<std::string>& words);

// The picture names, in their order.
std::vector<std::string> PictureWords(const std::vector<std::string>& words);

} // namespace slanter
