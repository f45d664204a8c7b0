#include "shell/WorkingResize.h"

#include <utility>

#include "bitmap/AreaResize.h"
#include "bitmap/HandyBitmap.h"
#include "shell/MainTexts.h"
#include "shell/PictureSizeChoice.h"
#include "shell/TemporaryPictures.h"

namespace slanter {

std::string WriteResizedWorkingFile(THandyBitmap& opened, bool resizedNow, TPoint size,
                                    TemporaryPictures& temporary, const std::string& workingFile,
                                    bool japanese, const std::string& sourceName, bool& written,
                                    KeptLayer* resizedKept) {
    written = false;
    const bool asOpened = size == TPoint{opened.biWidth(), opened.biHeight()};
    if (asOpened && !resizedNow)
        return {};
    THandyBitmap resized;
    if (!asOpened && !AreaResize(opened, size.X, size.Y, resized))
        return SizeNoMemoryText(japanese, size);
    temporary.Writing(workingFile);
    if (!(asOpened ? opened : resized).SaveToFile(workingFile))
        return CantCopyText(japanese, sourceName);
    written = true;
    if (!asOpened && resizedKept != nullptr)
        *resizedKept = std::move(resized.Kept());
    return {};
}

} // namespace slanter
