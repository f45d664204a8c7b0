#include "shell/ScrollRoom.h"

#include <algorithm>

namespace slanter {

TPoint ScrolledRoom(TPoint canvas, TPoint whole, TPoint bars) {
    bool across = canvas.X > whole.X;
    bool down = canvas.Y > whole.Y;
    across = across || (down && canvas.X > whole.X - bars.X);
    down = down || (across && canvas.Y > whole.Y - bars.Y);
    return {whole.X - (down ? bars.X : 0), whole.Y - (across ? bars.Y : 0)};
}

ScrollPosition LastScroll(TPoint canvas, TPoint room) {
    return {std::max(0, canvas.X - room.X), std::max(0, canvas.Y - room.Y)};
}

} // namespace slanter
