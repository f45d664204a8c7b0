#pragma once

#include "shell/WindowServices.h"

class QWidget;

namespace slanter {

// The platform's services over Qt, for the widget of a window: its dialogs and boxes, its
// background work.
using QtServices = WindowServices<QWidget*>;
extern template class WindowServices<QWidget*>;

} // namespace slanter
