#include "shell/TextUtilities.h"

namespace slanter {

// File names here are bytes, read as UTF-8 wherever a character boundary matters.
CodePage TextCodePage() {
    return CodePage::Utf8;
}

} // namespace slanter
