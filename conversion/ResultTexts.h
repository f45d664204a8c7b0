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

} // namespace slanter
