#pragma once

#include <functional>

#include <QString>

#include "shell/MessageFlags.h"

namespace slanter {

// Shows every message of the program: modal, captioned with two blanks and `caption`,
// or the title when `caption` is empty. Answers the code of the button pressed.
int AppMessageBox(const QString& text, int flags, const QString& caption = {});

// What actually shows a box, given the finished caption.
using MessageBoxShower =
    std::function<int(const QString& text, int flags, const QString& fullCaption)>;

// Puts `shower` in place of the platform's box (tests) and answers the one it replaces;
// an empty shower brings the platform's box back.
MessageBoxShower SetMessageBoxShower(MessageBoxShower shower);

} // namespace slanter
