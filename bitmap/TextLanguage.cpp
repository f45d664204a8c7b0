#include "bitmap/TextLanguage.h"

namespace slanter {

bool Japanese = false;

} // namespace slanter
