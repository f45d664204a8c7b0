#include "shell/ViewKeys.h"

namespace slanter {

ScrollPosition ViewKeyTarget(ViewKey key, ScrollPosition now, ScrollPosition last) {
    switch (key) {
    case ViewKey::Home:
        if (last.x <= 0)
            return {now.x, 0};
        return {0, now.y};
    case ViewKey::End:
        if (last.x <= 0)
            return {now.x, last.y};
        return {last.x, now.y};
    case ViewKey::ControlHome:
        return {0, 0};
    case ViewKey::ControlEnd:
        return last;
    }
    return now;
}

} // namespace slanter
