// The army file: a 12-byte little-endian header (format 1, nation id, points
// limit) followed by one tagged block per unit entry. Lines end in LF.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

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

// Reads the unit blocks after the header into an (empty) army of the file's
// nation. Returns false when a block named a troop type the nation lacks: the
// other blocks are loaded, that one is dropped.
bool ReadArmyFileUnits(std::string_view bytes, Army& army);

} // namespace ovra
