#pragma once

namespace slanter {

// Message-box style bits: an OK button with the warning icon (errors and notices) or
// with the information icon (version, copyright and information boxes).
inline constexpr int kWarningBox = 48;
inline constexpr int kInformationBox = 64;
// The stop icon: the general error box, how a failure of a platform layer (the settings
// store, the picture decoder) ends the command in progress.
inline constexpr int kErrorBox = 16;
// The code of the OK button.
inline constexpr int kOkButton = 1;

} // namespace slanter
