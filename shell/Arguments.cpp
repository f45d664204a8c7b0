#include "shell/Arguments.h"

#include "shell/TextUtilities.h"

namespace slanter {

bool IsSwitchWord(const std::string& word, const NamesAFile& namesAFile) {
    const std::string upper = UpperCaseAscii(word);
    for (const char* name : {"/JAPANESE", "/ENGLISH", "/REGISTRY"}) {
        if (upper.rfind(name, 0) == 0)
            return !namesAFile(word);
    }
    return false;
}

std::vector<std::string> SwitchWords(const std::vector<std::string>& words,
                                     const NamesAFile& namesAFile) {
    std::vector<std::string> switches;
    for (const std::string& word : words) {
        if (IsSwitchWord(word, namesAFile))
            switches.push_back(word);
    }
    return switches;
}

std::vector<std::string> PictureWords(const std::vector<std::string>& words,
                                      const NamesAFile& namesAFile) {
    std::vector<std::string> pictures;
    for (const std::string& word : words) {
        if (!IsSwitchWord(word, namesAFile))
            pictures.push_back(word);
    }
    return pictures;
}

} // namespace slanter
