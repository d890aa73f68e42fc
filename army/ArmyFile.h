// The army file: a 12-byte little-endian header (format 1, nation id, points
// limit) followed by one tagged block per unit entry. Lines end in LF.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ovra {

class Army;
class ArmyCatalogue;

// The file's bytes for the army.
std::string WriteArmyFile(const Army& army);

struct ArmyFileHeader {
    std::int32_t format = 0;
    std::int32_t nationId = 0;
    std::int32_t pointsLimit = 0;
};

// The header of a file of at least 12 bytes; false for a shorter one.
bool ReadArmyFileHeader(std::string_view bytes, ArmyFileHeader& header);

// The largest points limit an army file may hold: nine digits, as the window
// and `ovra new` take it.
inline constexpr std::int32_t kMostPointsLimit = 999999999;

// What reading an army file gave.
struct ArmyFileLoad {
    enum class Status {
        Empty,       // no bytes: nothing is read, the caller keeps the army it has
        Complete,    // every unit with every option
        Incomplete,  // an army, but something of the file is not in it (see messages)
        NotLoadable, // no army: not an army file, or its nation is in no army list
    };
    Status status = Status::Empty;
    // The army read; none when empty or not loadable.
    std::unique_ptr<Army> army;
    // For the user, one line each: for units, mounts, items, engines or
    // runners the army lists no longer hold, the fixed incomplete-load message
    // first and then one line per loss ("Lord: the mount HORS is in no army
    // list"); for a file that is not a whole army file, a sentence naming it.
    std::vector<std::string> messages;
    // The units that were read without something the file gave them (an
    // option, runners), in file order; units left out entirely are not here.
    std::vector<std::uint64_t> lacking;
};

// Reads army-file bytes against the catalogue into a new army; `fileName`
// names the file in the messages. Never fails otherwise and changes nothing.
// A block whose troop type the nation lacks is left out; a mount the nation
// lacks is none, an item or engine the catalogue lacks is "No magic item" or
// "No siege engine"; runners on a troop type that cannot take them are left
// off; a points limit out of 0 to kMostPointsLimit is brought within it; a
// file that ends inside a block keeps the blocks before it. Each of these
// makes the load incomplete.
ArmyFileLoad ReadArmyFile(std::string_view bytes, const ArmyCatalogue& catalogue, std::string_view fileName);

} // namespace ovra
