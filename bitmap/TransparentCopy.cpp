#include "bitmap/TransparentCopy.h"

#include "bitmap/HandyBitmap.h"
#include "bitmap/KeptFile.h"
#include "bitmap/KeptPixels.h"
#include "bitmap/encoders/PngEncoder.h"

namespace slanter {

bool ReadTransparentResult(const std::string& resultFile, THandyBitmap& result) {
    if (!result.LoadFromFile(resultFile))
        return false;
    ReadKeptBeside(resultFile, result);
    return KeepsTransparency(result);
}

std::vector<std::uint8_t> TransparentResultPng(const std::string& resultFile) {
    THandyBitmap result;
    if (!ReadTransparentResult(resultFile, result))
        return {};
    std::vector<std::uint8_t> bytes;
    const std::string problem =
        EncodePng(result, [&bytes](const std::uint8_t* data, std::size_t count) {
            bytes.insert(bytes.end(), data, data + count);
            return true;
        });
    return problem.empty() ? bytes : std::vector<std::uint8_t>();
}

} // namespace slanter
