#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace slanter {

// Whether a file name is still needed: the working file, or the result a window shows.
using NameTaken = std::function<bool(const std::string& name)>;

// The name of the file that conversion `resultNumber` writes: ResultFileName of the
// number, or, when that name is taken (the names come round from the 10000th conversion
// of a run), the name of the next number whose name is free. Empty when all are taken.
std::string ChooseResultFileName(std::int32_t resultNumber, const NameTaken& taken);

} // namespace slanter
