// Four-character codes: four bytes of text in one 32-bit value, the first
// character in the most significant byte. Codes name troop types, items,
// engines and rules, and serve as the kind tags of records.
#pragma once

#include <cstdint>
#include <string>

namespace ovra {

using Code = std::uint32_t;

constexpr Code MakeCode(unsigned char a, unsigned char b, unsigned char c, unsigned char d) {
    return (Code(a) << 24) | (Code(b) << 16) | (Code(c) << 8) | Code(d);
}

// CodeOf("nomo"): a code from a four-letter literal.
constexpr Code CodeOf(const char (&s)[5]) {
    return MakeCode(static_cast<unsigned char>(s[0]), static_cast<unsigned char>(s[1]),
                    static_cast<unsigned char>(s[2]), static_cast<unsigned char>(s[3]));
}

// The four bytes of a code, most significant first (may contain any byte, NUL too).
inline std::string CodeText(Code code) {
    std::string s(4, '\0');
    s[0] = static_cast<char>((code >> 24) & 0xFF);
    s[1] = static_cast<char>((code >> 16) & 0xFF);
    s[2] = static_cast<char>((code >> 8) & 0xFF);
    s[3] = static_cast<char>(code & 0xFF);
    return s;
}

// Kinds of records and unit entries.
inline constexpr Code kKindNation = CodeOf("nati");
inline constexpr Code kKindTroopType = CodeOf("trop");
inline constexpr Code kKindTroopCategory = CodeOf("tcat");
inline constexpr Code kKindItemCategory = CodeOf("mcat");
inline constexpr Code kKindMagicItem = CodeOf("item");
inline constexpr Code kKindSiegeEngine = CodeOf("engi");
inline constexpr Code kKindSpecialRule = CodeOf("srul");
inline constexpr Code kKindUnitEntry = CodeOf("unit");

// Troop kinds of a troop type.
inline constexpr Code kTroopCharacter = CodeOf("char");
inline constexpr Code kTroopUnit = CodeOf("unit");
inline constexpr Code kTroopSkirmisherUnit = CodeOf("unSk");
inline constexpr Code kTroopMount = CodeOf("moun");
inline constexpr Code kTroopSpecial = CodeOf("spec");

// Reserved codes of the army-list data.
inline constexpr Code kNoMount = CodeOf("nomo");
inline constexpr Code kNoMagicItem = CodeOf("nomi");
inline constexpr Code kNoSiegeEngine = CodeOf("noen");
inline constexpr Code kRunners = CodeOf("emsk");

// Category bits with a fixed meaning.
inline constexpr std::int32_t kInfantryBit = 512;         // may take a siege engine
inline constexpr std::int32_t kMountCategoryBits = 1 | 2; // counted by riders

} // namespace ovra
