#pragma once

#include <string>
#include <vector>

#include "shell/FileFound.h"

namespace slanter {

// The words after the program's name are switches or picture names. A switch is a word
// that, upper-cased, begins with "/JAPANESE", "/ENGLISH" or "/REGISTRY" and names no
// existing file; any other word names a picture. Keeping the two apart matters where a
// file name may begin with a slash: a picture in /home/me/english/ must not choose the
// language, nor may /Japanese-pics/a.bmp, which begins like a switch.

bool IsSwitchWord(const std::string& word, const NamesAFile& namesAFile = FileFound);

// The switch words, in their order.
std::vector<std::string> SwitchWords(const std::vector<std::string>& words,
                                     const NamesAFile& namesAFile = FileFound);

// The picture names, in their order.
std::vector<std::string> PictureWords(const std::vector<std::string>& words,
                                      const NamesAFile& namesAFile = FileFound);

} // namespace slanter
