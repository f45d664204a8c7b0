#pragma once

#include <windows.h>

#include "engine/Point.h"
#include "shell/win32/ScreenPicture.h"

namespace slanter {

// The pixels of view `view` of size `shown` (device pixels) of the result `picture` in
// `part`, each the result pixel under its centre, as a picture of the same kind: what the
// result window paints of the part exposed.
ScreenPicture ZoomedScreenPart(const ScreenPicture& picture, int view, TPoint shown,
                               const RECT& part);

} // namespace slanter
