#include "bitmap/decoders/FileBytes.h"

#include "bitmap/decoders/DecoderTexts.h"
#include "bitmap/decoders/FileHandle.h"

namespace slanter {

std::string ReadFileBytes(const std::string& fileName, std::vector<std::uint8_t>& bytes) {
    const FileHandle file = OpenForReading(fileName);
    if (!file)
        return decoder_text::CantOpen();
    if (!ReadAll(file.get(), bytes))
        return decoder_text::CutShort();
    return {};
}

} // namespace slanter
