#include "bitmap/decoders/XColorNames.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace slanter {

namespace {

struct NamedColor {
    const char* name;
    std::uint8_t red, green, blue;
};

// X11's values, which differ from the web's for gray, green, maroon and purple. Sorted by
// name for the search.
constexpr NamedColor kColors[] = {
    {"beige", 245, 245, 220},      {"black", 0, 0, 0},           {"blue", 0, 0, 255},
    {"brown", 165, 42, 42},        {"coral", 255, 127, 80},      {"cyan", 0, 255, 255},
    {"darkblue", 0, 0, 139},       {"darkgray", 169, 169, 169},  {"darkgreen", 0, 100, 0},
    {"darkgrey", 169, 169, 169},   {"darkred", 139, 0, 0},       {"darkslategray", 47, 79, 79},
    {"darkslategrey", 47, 79, 79}, {"dimgray", 105, 105, 105},   {"dimgrey", 105, 105, 105},
    {"forestgreen", 34, 139, 34},  {"gold", 255, 215, 0},        {"gray", 190, 190, 190},
    {"green", 0, 255, 0},          {"grey", 190, 190, 190},      {"ivory", 255, 255, 240},
    {"khaki", 240, 230, 140},      {"lavender", 230, 230, 250},  {"lightblue", 173, 216, 230},
    {"lightgray", 211, 211, 211},  {"lightgrey", 211, 211, 211}, {"lightyellow", 255, 255, 224},
    {"magenta", 255, 0, 255},      {"maroon", 176, 48, 96},      {"navy", 0, 0, 128},
    {"navyblue", 0, 0, 128},       {"orange", 255, 165, 0},      {"orchid", 218, 112, 214},
    {"pink", 255, 192, 203},       {"purple", 160, 32, 240},     {"red", 255, 0, 0},
    {"salmon", 250, 128, 114},     {"seagreen", 46, 139, 87},    {"skyblue", 135, 206, 235},
    {"slategray", 112, 128, 144},  {"slategrey", 112, 128, 144}, {"steelblue", 70, 130, 180},
    {"tan", 210, 180, 140},        {"tomato", 255, 99, 71},      {"turquoise", 64, 224, 208},
    {"violet", 238, 130, 238},     {"wheat", 245, 222, 179},     {"white", 255, 255, 255},
    {"yellow", 255, 255, 0},
};

} // namespace

bool XColorByName(const std::string& name, std::uint8_t& red, std::uint8_t& green,
                  std::uint8_t& blue) {
    // "Light Gray" is "lightgray".
    std::string key;
    for (const char c : name)
        if (c != ' ')
            key.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    const auto found = std::lower_bound(
        std::begin(kColors), std::end(kColors), key,
        [](const NamedColor& color, const std::string& k) { return k > color.name; });
    if (found == std::end(kColors) || key != found->name)
        return false;
    red = found->red;
    green = found->green;
    blue = found->blue;
    return true;
}

} // namespace slanter
