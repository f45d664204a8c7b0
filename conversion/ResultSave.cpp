#include "conversion/ResultSave.h"

#include <utility>

#include "bitmap/ErrorTexts.h"
#include "bitmap/HandyBitmap.h"
#include "bitmap/KeptFile.h"
#include "conversion/ResultSaveFilter.h"
#include "conversion/ResultTexts.h"
#include "conversion/TileFill.h"
#include "shell/FileFound.h"

namespace slanter {

std::string ResultSaveRefusal(bool japanese, const std::string& resultFile,
                              const std::string& fileName) {
    if (SavedFormatOf(fileName) == SavedFormat::Refused)
        return UnsavableExtensionText(japanese, fileName);
    if (!FileFound(resultFile))
        return ResultFileGoneText(japanese, resultFile);
    return {};
}

std::string SaveResultFile(const std::string& resultFile, const std::string& fileName,
                           const std::function<bool()>& keepGoing, const ResultFileWriting& writing,
                           const std::optional<TPoint>& fill) {
    THandyBitmap result;
    if (!result.LoadFromFile(resultFile))
        return result.ErrorText();
    ReadKeptBeside(resultFile, result);
    if (fill) {
        THandyBitmap filled;
        if (!FillWithTile(result, fill->X, fill->Y, filled))
            return bitmap_text::kOutOfMemory;
        result = std::move(filled);
    }
    return WriteResultFile(result, fileName, keepGoing, writing);
}

} // namespace slanter
