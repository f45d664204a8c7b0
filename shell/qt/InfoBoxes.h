#pragma once

namespace slanter {

// The version box: description, title and version, with the program file's name when it
// differs from the title.
void ShowVersionInfo();

// The copyright box, pointing to the companion text file when there is one.
void ShowCopyrightInfo();

} // namespace slanter
