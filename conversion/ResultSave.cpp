#include "conversion/ResultSave.h"

#include "bitmap/HandyBitmap.h"
#include "bitmap/KeptFile.h"
#include "conversion/ResultSaveFilter.h"
#include "conversion/ResultTexts.h"
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
                           const std::function<bool()>& keepGoing,
                           const ResultFileWriting& writing) {
    THandyBitmap result;
    if (!result.LoadFromFile(resultFile))
        return result.ErrorText();
    ReadKeptBeside(resultFile, result);
    return WriteResultFile(result, fileName, keepGoing, writing);
}

} // namespace slanter
