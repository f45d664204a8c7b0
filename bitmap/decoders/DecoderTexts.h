#pragma once

#include <string>

namespace slanter::decoder_text {

// The reasons the decoders give for a refused picture, in the language of the run. A
// library's own words, where it has any, follow in brackets.
std::string CantOpen();
std::string UnknownFormat();
std::string CutShort(const std::string& detail = {});
std::string Damaged(const std::string& detail = {});
std::string Unsupported(const std::string& detail = {});

} // namespace slanter::decoder_text
