// A shared roster pasted back into an army. The army code at the end of the
// roster (ArmyCode.h) gives the army exactly, byte for byte. Without one,
// the roster text itself is read: the program's own plain and Markdown
// layouts, and the looser lines of forum posts and chats ("3x Legionaries",
// "Legionaries x3", "- General on Chariot (Legions eagle) 185 pts"). Troop
// types, mounts, magic items and siege engines are found by name, in any
// case and with or without accents, within the nation the roster's title
// names, or the nation whose troop types the lines name best.
#pragma once

#include "FileRead.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ovra {

class ArmyCatalogue;
struct NationRecord;

// A line of the text that the import did not understand, or understood only
// in part (a unit it made, with an option it did not know).
struct ImportLine {
    std::size_t line = 0;                 // from 1
    std::string text;                     // the line as pasted, in UTF-8, cut after 200 bytes
    std::string reason;                   // what was not understood, in UTF-8
    std::vector<std::string> suggestions; // the closest names the army lists know, closest first, UTF-8
};

struct ImportOptions {
    // The nation of the army, whatever the text names (`ovra import --nation`).
    std::optional<std::int32_t> nationId;
};

// The most a text may hold (as the largest army file), units an import
// makes, and lines it lists; what goes beyond is told, not read.
inline constexpr std::size_t kLargestImportText = kLargestReadableFile;
inline constexpr std::size_t kMostImportedUnits = 100000;
inline constexpr std::size_t kMostReportedLines = 1000;
// Lines of roster read; the rest of a longer text is not looked at. A line
// longer than kLongestRosterLine bytes is no roster line.
inline constexpr std::size_t kMostRosterLines = 200000;
inline constexpr std::size_t kLongestRosterLine = std::size_t{16} * 1024;

struct RosterImport {
    enum class Source {
        Nothing,   // no army: `error` says why
        ArmyCode,  // the army file of the text's army code, exactly
        RosterText // an army made from the roster's lines
    };
    Source source = Source::Nothing;
    // The army file (ArmyFile.h): load it as a file opened with File > Open is
    // loaded (ArmyDocument::LoadFromBytes, ReadArmyFile). An army from a code
    // may name a nation or troop types that today's army lists lack.
    std::string armyFile;
    // Why there is no army, in a sentence, UTF-8: a refused army code (naming
    // its version when that is unknown), no nation found, an unknown --nation.
    std::string error;
    // RosterText: the nation the text named or that fitted best.
    const NationRecord* nation = nullptr;
    // RosterText: the lines not understood, in text order, at most
    // kMostReportedLines; `moreLines` counts the rest.
    std::vector<ImportLine> lines;
    std::size_t moreLines = 0;
};

// Reads a pasted roster (UTF-8 text) into an army file against the
// catalogue. Never fails otherwise: any text gives a result, in time and
// memory linear in the text (and, for a code, in the army file it holds).
RosterImport ImportRoster(std::string_view text, const ArmyCatalogue& catalogue,
                          const ImportOptions& options = {});

} // namespace ovra
