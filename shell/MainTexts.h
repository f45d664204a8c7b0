#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace slanter {

// The texts of the main window's commands, in the language of the run. A line break is
// CR LF, as the message box expects.

// A chosen file that is neither a bitmap nor an icon.
std::string NotABitmapText(bool japanese, const std::string& fileName);
// The picture could not be copied to the working file.
std::string CantCopyText(bool japanese, const std::string& fileName);
// A picture too large for the memory the machine has left.
std::string NotEnoughMemoryText(bool japanese, const std::string& fileName);
// A bitmap that the program's own reader refuses, with the reader's reason (for "out of
// memory", NotEnoughMemoryText).
std::string InvalidFormatText(bool japanese, const std::string& fileName,
                              const std::string& errorText);
// The picture opened, but its embedded colour profile is malformed and was dropped.
std::string ProfileDroppedText(bool japanese, const std::string& fileName);
std::string NoClipboardBitmapText(bool japanese);
// A new picture was asked for while a conversion reads the present one.
std::string ConversionRunningText(bool japanese);
// What a picture taken from the clipboard is called in place of a file name.
std::string ClipboardPictureName(bool japanese);

std::string BitmapInformationCaption(bool japanese);
// Name, size and the number of colours a cell of the picture's depth can hold.
std::string BitmapInformationText(bool japanese, const std::string& sourceName, std::int32_t width,
                                  std::int32_t height, int bitCount);
std::string NoPictureOpenedText(bool japanese);
// 2 to the power bitCount in decimal; past what 64 bits hold (only a refused file's
// header can ask for that) it is written as a power.
std::string ColorCountText(int bitCount);

// The settings store could not be written: the run goes on, its settings are not kept.
std::string SettingsNotKeptText(bool japanese, const std::string& storeName);

// The open dialog's filter: pairs of a description and a pattern, all split by '|'. Every
// picture the program opens first, then bitmaps, the other formats, icons and all files,
// each with exactly the extensions of `readable` (lower case, no dot) it belongs to.
std::string OpenDialogFilter(bool japanese, const std::vector<std::string>& readable);

// A file of the recent-files list that is gone; it is taken off the list.
std::string RecentFileMissingText(bool japanese, const std::string& fileName);

} // namespace slanter
