#pragma once

#include <cstdint>
#include <string>

namespace slanter {

// The texts of a result window, in the language of the run (UTF-8, lines ended by CR LF).

// The window's caption with the conversion's serial number: "完成画像(3)", "Converted(3)".
std::string NumberedCaption(const std::string& caption, std::int32_t resultNumber);

// What the result's information box says: arrangement, tilt, smoothing, then the size in
// dots and the number of colours a cell of the result's depth can hold.
std::string ResultInfoText(bool japanese, bool horizontal, bool rightUp, bool smoothing,
                           std::int32_t width, std::int32_t height, int bitCount);

// "Temp" and the last four digits of resultNumber + 10000, then ".bmp": Temp0001.bmp for
// the first conversion of a run, and the names come round again after Temp9999.bmp.
std::string ResultFileName(std::int32_t resultNumber);

// The messages of a conversion or a save that cannot be done; file names as given, the
// reason as the bitmap store or the picture decoder gave it.

// The result file could not be written.
std::string ResultNotWrittenText(bool japanese, const std::string& fileName,
                                 const std::string& reason);
// The result file was written but could not be read back to be shown.
std::string ResultNotReadText(bool japanese, const std::string& fileName,
                              const std::string& reason);
// The tile holds more pixel data than a BMP file of the given depth can; nothing is done.
std::string TileTooLargeText(bool japanese, std::int32_t width, std::int32_t height, int bitCount);
// The memory for the result's cells (or its run) could not be had; nothing is written.
std::string ResultOutOfMemoryText(bool japanese, std::int32_t width, std::int32_t height);
// No name is left for the result file (every one is in use, or there is no folder for the
// run's temporary pictures); nothing is done.
std::string NoResultFileText(bool japanese);
// The picture was saved as `fileName` but could not be made the desktop's background: for
// `reason` kNoKnownDesktop the user is asked to choose it in the desktop's settings,
// otherwise the reason follows in brackets.
std::string WallpaperNotSetText(bool japanese, const std::string& fileName,
                                const std::string& reason);
// The save command's write failed; the reason, where one is known, follows in brackets.
std::string ResultNotSavedText(bool japanese, const std::string& fileName,
                               const std::string& reason = {});
// The save command found the result file gone.
std::string ResultFileGoneText(bool japanese, const std::string& fileName);

} // namespace slanter
