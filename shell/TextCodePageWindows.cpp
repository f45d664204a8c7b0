#include <windows.h>

#include "shell/TextUtilities.h"

namespace slanter {

// Names reach the file calls in the active code page: UTF-8 where the manifest's request
// is honoured, the system's own code page elsewhere.
CodePage TextCodePage() {
    return CodePageOfWindows(GetACP());
}

} // namespace slanter
