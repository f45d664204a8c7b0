#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace slanter {

// Texts here are byte strings in a code page. In Shift-JIS a byte 0x81-0x9F or 0xE0-0xFC
// starts a two-byte character, and the byte after it is never read as a character of its
// own (so a second byte 0x5C is never a backslash). In UTF-8 a lead byte takes the
// continuation bytes after it; no byte of a longer character is below 0x80. Positions and
// counts are in characters, counted from 1.
enum class CodePage { ShiftJis, Utf8, SingleByte };

// The code page of the texts this run handles: the one its file names come in. UTF-8,
// or on Windows the process's active code page.
CodePage TextCodePage();

// The rule for a Windows code page identifier: 932 is Shift-JIS, 65001 UTF-8, every other
// one taken a byte a character.
CodePage CodePageOfWindows(unsigned identifier);

bool IsLeadByte(unsigned char byte);

// Bytes taken by the character that begins at offset (below s.size()); a character cut
// off by the end of the text, or by a byte that cannot continue it, ends there.
std::size_t CharacterLength(const std::string& s, std::size_t offset, CodePage codePage);

// Count characters of s from character start; the rest of s when it ends first; empty
// when start lies beyond s.
std::string MBCopy(const std::string& s, int start, int count,
                   CodePage codePage = CodePage::ShiftJis);

// s from character start to its end; empty when start lies beyond s.
std::string MBCopyFrom(const std::string& s, int start, CodePage codePage = CodePage::ShiftJis);

// Character position of the first occurrence of sub in s that begins on a character
// boundary; 0 when there is none.
int MBPos(const std::string& sub, const std::string& s, CodePage codePage = CodePage::ShiftJis);

// The last count bytes of s; all of s when count exceeds its length; empty for count <= 0.
std::string RightStr(const std::string& s, int count);

// Only ASCII letters change; every other byte is kept.
std::string UpperCaseAscii(std::string text);
std::string LowerCaseAscii(std::string text);

// The parts of `text` between the separators, empty ones kept: one part for a text
// without a separator.
std::vector<std::string> SplitAt(std::string_view text, char separator);

} // namespace slanter
