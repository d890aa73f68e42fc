// Imports arbitrary text as a pasted roster against the built-in army lists.
// Whatever it makes must hold: an army code gives bytes whose own code reads
// back to them; an army made from lines loads completely; its roster, shared
// with its code, imports to the same bytes; and shared without the code, to
// as many units.
#include "ArmyCatalogue.h"
#include "ArmyCode.h"
#include "ArmyFile.h"
#include "Roster.h"
#include "RosterImport.h"
#include "TextRoster.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

// Rosters of more units take long to write and read again; they show nothing new.
constexpr std::int32_t kMostUnitsRendered = 500;

const ovra::ArmyCatalogue& Catalogue() {
    static const ovra::ArmyCatalogue* catalogue = [] {
        auto* c = new ovra::ArmyCatalogue;
        c->LoadBuiltIn();
        return c;
    }();
    return *catalogue;
}

void Expect(bool holds) {
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ovra::ArmyCatalogue& catalogue = Catalogue();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ovra::RosterImport read = ovra::ImportRoster(text, catalogue);
    Expect(read.lines.size() <= ovra::kMostReportedLines);
    switch (read.source) {
    case ovra::RosterImport::Source::Nothing:
        Expect(!read.error.empty() && read.armyFile.empty());
        return 0;
    case ovra::RosterImport::Source::ArmyCode:
        Expect(ovra::FindArmyCode(ovra::ArmyCode(read.armyFile)).armyFile == read.armyFile);
        return 0;
    case ovra::RosterImport::Source::RosterText:
        break;
    }
    const ovra::ArmyFileLoad load = ovra::ReadArmyFile(read.armyFile, catalogue, "import");
    Expect(load.status == ovra::ArmyFileLoad::Status::Complete && load.army != nullptr);
    const ovra::Army& army = *load.army;
    if (army.UnitCount() > kMostUnitsRendered)
        return 0;
    // One layout a run, chosen by the input.
    const ovra::TextFormat format = size % 2 == 0 ? ovra::TextFormat::Plain : ovra::TextFormat::Markdown;
    const ovra::Roster roster = ovra::ComposeRoster(army, "Fuzz", ovra::InfoChoice::Short);
    const ovra::RosterImport coded =
        ovra::ImportRoster(ovra::RenderText(roster, format, ovra::ArmyCode(army)), catalogue);
    Expect(coded.source == ovra::RosterImport::Source::ArmyCode && coded.armyFile == read.armyFile);
    // A unit's name may look like a code ("ovra:1:x"); that roster is refused.
    const ovra::RosterImport bare = ovra::ImportRoster(ovra::RenderText(roster, format), catalogue);
    if (bare.source == ovra::RosterImport::Source::RosterText) {
        const auto again = ovra::ReadArmyFile(bare.armyFile, catalogue, "again").army;
        Expect(again != nullptr && again->UnitCount() == army.UnitCount());
    }
    return 0;
}
