#include "support/ForeignPictures.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace slanter::testing {

namespace {

std::string Quoted(const std::string& word) {
    std::string out = "'";
    for (const char c : word) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

std::string Channels(std::int32_t color) {
    std::ostringstream out;
    out << "(" << (color & 255) << "," << (color >> 8 & 255) << "," << (color >> 16 & 255) << ")";
    return out.str();
}

} // namespace

ForeignPicture ReadForeignPicture(const std::string& path) {
    ForeignPicture picture;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    if (!std::getline(in, line)) {
        picture.error = "no picture in " + path;
        return picture;
    }
    std::istringstream head(line);
    std::string verdict;
    head >> verdict;
    if (verdict != "ok") {
        picture.error = line;
        return picture;
    }
    head >> picture.width >> picture.height >> picture.mode;
    const std::size_t pixels = static_cast<std::size_t>(picture.width) * picture.height;
    picture.rgb.resize(pixels * 3);
    in.read(reinterpret_cast<char*>(picture.rgb.data()),
            static_cast<std::streamsize>(picture.rgb.size()));
    if (picture.mode == "P") {
        picture.index.resize(pixels);
        in.read(reinterpret_cast<char*>(picture.index.data()),
                static_cast<std::streamsize>(pixels));
    }
    picture.ok = static_cast<bool>(in);
    if (!picture.ok)
        picture.error = "short picture in " + path;
    return picture;
}

bool RunForeignScript(std::vector<std::string> words) {
    words.insert(words.begin(), SLANTER_FOREIGN_SCRIPT);
    std::string command = Quoted(SLANTER_PYTHON);
    for (const std::string& word : words) {
        command += ' ';
        command += Quoted(word);
    }
    return std::system(command.c_str()) == 0;
}

std::vector<ForeignPicture> DecodeWithPillow(const std::vector<std::string>& files,
                                             const TempFolder& folder) {
    std::vector<std::string> words{"decode", folder.Path()};
    words.insert(words.end(), files.begin(), files.end());
    std::vector<ForeignPicture> pictures;
    if (!RunForeignScript(words))
        return pictures;
    for (std::size_t k = 0; k < files.size(); ++k)
        pictures.push_back(ReadForeignPicture(folder.Path(std::to_string(k) + ".ref")));
    return pictures;
}

std::string FirstDifference(const THandyBitmap& bitmap, const ForeignPicture& picture,
                            bool pillowFiveBits) {
    if (!picture.ok)
        return "the other program did not decode it: " + picture.error;
    if (bitmap.biWidth() != picture.width || bitmap.biHeight() != picture.height)
        return "size " + std::to_string(bitmap.biWidth()) + "x" +
               std::to_string(bitmap.biHeight()) + " against " + std::to_string(picture.width) +
               "x" + std::to_string(picture.height);
    for (int top = 0; top < picture.height; ++top) {
        const int y = picture.height - 1 - top;
        for (int x = 0; x < picture.width; ++x) {
            const std::size_t at = static_cast<std::size_t>(top) * picture.width + x;
            const std::string where = "pixel " + std::to_string(x) + "," + std::to_string(y) + ": ";
            std::int32_t ours = bitmap.GetPixelColor(x, y);
            if (ours == -1 && bitmap.PaletteCount() > 0) {
                if (picture.index.empty() || bitmap.GetPixelIndex(x, y) != picture.index[at])
                    return where + "index " + std::to_string(bitmap.GetPixelIndex(x, y)) +
                           " outside the palette, the other program's differs";
                continue;
            }
            if (pillowFiveBits) {
                const auto widen = [](std::int32_t channel) { return channel / 8 * 255 / 31; };
                ours =
                    widen(ours & 255) | widen(ours >> 8 & 255) << 8 | widen(ours >> 16 & 255) << 16;
            }
            const std::int32_t theirs =
                picture.rgb[3 * at] | picture.rgb[3 * at + 1] << 8 | picture.rgb[3 * at + 2] << 16;
            if (ours != theirs)
                return where + Channels(ours) + " against " + Channels(theirs);
        }
    }
    return {};
}

} // namespace slanter::testing
