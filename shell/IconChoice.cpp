#include "shell/IconChoice.h"

namespace slanter {

bool IsCloserIconSide(int candidate, int best, int wanted) {
    if (candidate == best)
        return false;
    if (candidate == wanted || best == wanted)
        return candidate == wanted;
    if ((candidate > wanted) != (best > wanted))
        return candidate > wanted;
    return candidate > wanted ? candidate < best : candidate > best;
}

} // namespace slanter
