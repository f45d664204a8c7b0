#include "bitmap/PngFile.h"

namespace slanter {

bool NamesPngFile(const std::string& fileName) {
    const auto dot = fileName.rfind('.');
    if (dot == std::string::npos || fileName.find_first_of("/\\", dot) != std::string::npos)
        return false;
    std::string extension = fileName.substr(dot + 1);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return extension == "png";
}

} // namespace slanter
