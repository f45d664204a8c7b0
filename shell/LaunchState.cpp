#include "shell/LaunchState.h"

namespace slanter {

LaunchState LaunchStateOf(int showCommand) {
    switch (showCommand) {
    case 2:
    case 6:
    case 7:
        return LaunchState::Minimized;
    case 3:
        return LaunchState::Maximized;
    default:
        return LaunchState::Normal;
    }
}

} // namespace slanter
