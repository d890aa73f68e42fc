// Pasted text against the army lists' names: the text comes as UTF-8 (or,
// from an old file, as Windows-1252), the names are Windows-1252 bytes, and
// players type them in any case, with or without accents.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ovra {

// The text in Windows-1252, the army lists' bytes: each UTF-8 character
// becomes its byte, "?" when Windows-1252 has none; a byte that is not part
// of a well-formed UTF-8 character is taken as a Windows-1252 byte already.
std::string Utf8ToWindows1252(std::string_view text);

// The text as well-formed UTF-8: each byte that is not part of a
// well-formed character becomes U+FFFD. A text of more than `limit` bytes is
// cut before the character that would pass the limit, and "..." follows.
std::string WellFormedUtf8(std::string_view text, std::size_t limit);

// What names are compared by: Windows-1252 text in lower case, accents and
// ligatures spelled out in plain letters (e -> e, ss, ae), apostrophes
// dropped, hyphens, underscores and blanks as single spaces, no blanks at
// either end. "Alexander's  Light-Cavalry" and "alexanders light cavalry"
// have the same key.
std::string NameKey(std::string_view windows1252);

// The edit distance (insertions, deletions, substitutions) of the two texts;
// any distance above `limit` is given as `limit` + 1, found in time
// proportional to the shorter text times `limit`.
std::size_t EditDistance(std::string_view a, std::string_view b, std::size_t limit);

} // namespace ovra
