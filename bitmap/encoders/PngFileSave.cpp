// The PNG files of both programs: the one encoder, writing to the exact name given.
#include "bitmap/FileLayer.h"
#include "bitmap/PngFile.h"
#include "bitmap/encoders/PngEncoder.h"

namespace slanter {

std::string SaveAsPng(const THandyBitmap& picture, const std::string& fileName,
                      const PngEncoding& encoding) {
    PlatformFile file;
    if (!file.Create(fileName)) {
        const std::string reason = file.FailureReason();
        return "can't create " + fileName + (reason.empty() ? "" : ": " + reason);
    }
    std::string problem = EncodePng(
        picture,
        [&file](const std::uint8_t* bytes, std::size_t count) {
            return file.Write(bytes, count) == count;
        },
        encoding, [&file] { return file.FailureReason(); });
    // A fault the platform only reports at the close is a failed save too.
    if (!file.Close() && problem.empty()) {
        problem = file.FailureReason();
        if (problem.empty())
            problem = "the file could not be written";
    }
    return problem;
}

std::string SaveAsPng(const THandyBitmap& picture, const std::string& fileName) {
    return SaveAsPng(picture, fileName, PngEncoding{});
}

std::string PngWriterMissing() {
    return {};
}

} // namespace slanter
