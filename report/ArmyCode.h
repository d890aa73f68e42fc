// The army code: an army file in one line of letters and digits, written at
// the end of a shared roster so that whoever pastes the roster gets the very
// same army back.
//
//     ovra:1:<payload>
//
// "1" is the version of the code. The payload is the army file's length and
// the length of its compressed form (4 bytes each, little-endian), the
// CRC-32 of the army file (4 bytes), then the army file compressed with
// deflate; written in base58 (the digits and letters without 0, O, I and l),
// eight bytes to eleven characters, a last shorter group to as few as it
// needs. No character of it means anything to Markdown, BBCode or a chat,
// none is confused with another when read aloud, and the lengths let a
// reader find the end of a code that a forum broke over lines.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ovra {

class Army;

inline constexpr int kArmyCodeVersion = 1;

// The code of army-file bytes, and of an army (its WriteArmyFile bytes).
std::string ArmyCode(std::string_view armyFile);
std::string ArmyCode(const Army& army);

// What looking for an army code in a text found.
struct ArmyCodeRead {
    enum class Status {
        None,    // the text holds no army code
        Read,    // `armyFile` holds the army file of the code
        Refused, // a code that cannot be read: `error` says why, naming its version when unknown
    };
    Status status = Status::None;
    std::string armyFile;
    std::string error;
    std::size_t line = 0; // the line the code starts on, from 1
};

// Reads the army code of the text ("ovra:" in any case, the version, ":"
// and the payload), the last one when there are several. Blanks, line breaks, soft hyphens and zero-width
// characters within the payload are passed over, so a code a forum wrapped
// still reads. A code is refused when its version is not 1, when it ends
// too early or goes on too long, when it would inflate to more than an army
// file may hold (checked before inflating) or to another length than it
// says, and when the checksum does not match. Time and memory are linear in
// the text and the army file.
ArmyCodeRead FindArmyCode(std::string_view text);

} // namespace ovra
