#pragma once

#include <functional>
#include <string>

#include "shell/MessageFlags.h"

namespace slanter {

// Shows every message of the program (MessageBoxW): modal, captioned with two blanks and
// `caption`, or the title when `caption` is empty. Texts are UTF-8. Answers the code of
// the button pressed.
int AppMessageBox(const std::string& text, int flags, const std::string& caption = {});

// What actually shows a box, given the finished caption.
using MessageBoxShower =
    std::function<int(const std::string& text, int flags, const std::string& fullCaption)>;

// Puts `shower` in place of the platform's box (tests) and answers the one it replaces;
// an empty shower brings the platform's box back.
MessageBoxShower SetMessageBoxShower(MessageBoxShower shower);

// The general error box: how a failure of a platform layer ends the command in progress.
void ShowGeneralError(const std::string& text);
// Runs one command; whatever it throws is shown in the general error box and ends only
// that command. Answers whether the command ran to its end.
bool RunGuarded(const std::function<void()>& command);

} // namespace slanter
