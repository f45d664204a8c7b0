#pragma once

#include <string>
#include <string_view>

namespace slanter {

// The answer of SetDesktopWallpaper when this session's desktop is none it knows.
inline constexpr std::string_view kNoKnownDesktop = "no known desktop";

// Makes the picture file `file` (relative names from the current folder) the desktop's
// background, tiled: on Windows
// through the system's own call and the values the desktop reads; on Linux through the
// settings of GNOME and its relatives, KDE Plasma or Xfce, whichever this session runs.
// Answers the reason for a failure (kNoKnownDesktop where no desktop was found), empty
// on success.
std::string SetDesktopWallpaper(const std::string& file);

// The user's folder of pictures, with a separator at its end; the home folder where there
// is none, and empty where there is no home either.
std::string PicturesFolder();

} // namespace slanter
