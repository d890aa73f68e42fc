// Army texts and names are Windows-1252 bytes; text handed to other programs
// (forum posts, Markdown, the clipboard) is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace ovra {

// Every byte becomes its Windows-1252 character; the five bytes the code page
// leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control
// characters of the same value, so no byte is lost.
std::string Windows1252ToUtf8(std::string_view bytes);

} // namespace ovra
