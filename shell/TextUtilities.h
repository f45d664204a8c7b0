#pragma once

#include <string>

namespace slanter {

// Texts here are byte strings in Shift-JIS: a byte 0x81-0x9F or 0xE0-0xFC starts a
// two-byte character, and the byte after it is never read as a character of its own
// (so a second byte 0x5C is never a backslash). Positions and counts are in characters,
// counted from 1.

bool IsLeadByte(unsigned char byte);

// Count characters of s from character start; the rest of s when it ends first; empty
// when start lies beyond s.
std::string MBCopy(const std::string& s, int start, int count);

// s from character start to its end; empty when start lies beyond s.
std::string MBCopyFrom(const std::string& s, int start);

// Character position of the first occurrence of sub in s that begins on a character
// boundary; 0 when there is none.
int MBPos(const std::string& sub, const std::string& s);

// The last count bytes of s; all of s when count exceeds its length; empty for count <= 0.
std::string RightStr(const std::string& s, int count);

// Only ASCII letters change; every other byte is kept.
std::string UpperCaseAscii(std::string text);

} // namespace slanter
