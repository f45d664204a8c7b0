#include "bitmap/OutputFile.h"

#include "bitmap/HandyBitmap.h"
#include "bitmap/PngFile.h"
#include "bitmap/TemporaryBeside.h"
#include "bitmap/encoders/PngEncoder.h"

namespace slanter {

std::string WriteResultFile(THandyBitmap& bitmap, const std::string& asked,
                            const std::function<bool()>& keepGoing,
                            const ResultFileWriting& writing) {
    if (asked.empty())
        return "no file name";
    TemporaryBeside temporary(asked);
    if (!temporary.Refusal().empty())
        return temporary.Refusal();
    // The format follows the name asked for, not the name a link leads to.
    if (NamesPngFile(asked)) {
        PngEncoding encoding;
        encoding.threads = writing.threads;
        encoding.keepGoing = writing.progress;
        if (std::string problem = SaveAsPng(bitmap, temporary.Name(), encoding); !problem.empty())
            return problem == kPngStopped ? kWriteStopped : temporary.NamingAsked(problem);
    } else if (!bitmap.SaveToFile(temporary.Name())) {
        return BmpFailure(bitmap, temporary);
    }
    if (writing.progress && !writing.progress(1.0))
        return kWriteStopped;
    return temporary.ReplaceAsked(keepGoing);
}

std::string BmpFailure(const THandyBitmap& bitmap, const TemporaryBeside& temporary) {
    // The system's words tell the user more than the header that was being written.
    if (!bitmap.SystemReason().empty())
        return bitmap.SystemReason();
    return bitmap.ErrorText().empty() ? "the file could not be written"
                                      : temporary.NamingAsked(bitmap.ErrorText());
}

} // namespace slanter
