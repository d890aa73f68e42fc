// Army texts and names are Windows-1252 bytes; text handed to other programs
// (forum posts, Markdown, JSON, the clipboard) is Unicode. This is the one
// table between the two.
#pragma once

#include <string>
#include <string_view>

namespace ovra {

// The character of a byte; the five bytes the code page leaves unassigned
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) are the control characters of the same
// value, so no byte is lost.
char32_t Windows1252ToCodePoint(unsigned char byte);

// The byte of a character, or -1 for a character Windows-1252 cannot hold.
int CodePointToWindows1252(char32_t point);

// Appends the character in UTF-8.
void AppendUtf8(std::string& out, char32_t point);

// Every byte as its character, in UTF-8.
std::string Windows1252ToUtf8(std::string_view bytes);

} // namespace ovra
