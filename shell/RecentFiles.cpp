#include "shell/RecentFiles.h"

#include <algorithm>

namespace slanter {

std::vector<std::string> WithRecentFile(std::vector<std::string> list,
                                        const std::string& fileName) {
    if (fileName.empty() || fileName.find_first_of("\r\n") != std::string::npos)
        return list;
    list = WithoutRecentFile(std::move(list), fileName);
    list.insert(list.begin(), fileName);
    if (list.size() > kMostRecentFiles)
        list.resize(kMostRecentFiles);
    return list;
}

std::vector<std::string> WithoutRecentFile(std::vector<std::string> list,
                                           const std::string& fileName) {
    list.erase(std::remove(list.begin(), list.end(), fileName), list.end());
    return list;
}

std::vector<std::string> CleanRecentFiles(const std::vector<std::string>& stored) {
    std::vector<std::string> list;
    for (const std::string& name : stored) {
        if (list.size() == kMostRecentFiles)
            break;
        if (!name.empty() && std::find(list.begin(), list.end(), name) == list.end())
            list.push_back(name);
    }
    return list;
}

std::string RecentFileCaption(std::size_t index, const std::string& fileName) {
    std::string caption(1, '&');
    caption += std::to_string(index + 1);
    caption += ' ';
    for (const char c : fileName) {
        caption += c;
        if (c == '&')
            caption += '&';
    }
    return caption;
}

} // namespace slanter
