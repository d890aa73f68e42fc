#include "Records.h"
#include "ArmyCatalogue.h"

#include <string_view>

namespace ovra {
namespace {

// The element after `previous` in an owning list whose elements know their
// position; the first for none, none after the last or for a stranger.
template <class Record, class Predicate>
const Record* NextIn(const std::vector<std::unique_ptr<Record>>& list, const Record* previous,
                     Predicate accept) {
    std::size_t i = 0;
    if (previous != nullptr) {
        if (previous->ordinal >= list.size() || list[previous->ordinal].get() != previous)
            return nullptr;
        i = previous->ordinal + 1;
    }
    for (; i < list.size(); ++i)
        if (accept(*list[i]))
            return list[i].get();
    return nullptr;
}

} // namespace

bool TroopTypeRecord::CountsForBreakpoint() const {
    return (troopKind == kTroopUnit || troopKind == kTroopSkirmisherUnit) && countsForBreakpoint;
}

const TroopTypeRecord* TroopTypeRecord::NextMount(const TroopTypeRecord* previous) const {
    const std::string needle = CodeText(code());
    return NextIn(nation->troopTypes, previous, [&](const TroopTypeRecord& t) {
        return t.troopKind == kTroopMount && t.limit.find(needle) != std::string::npos;
    });
}

const MagicItemRecord* TroopTypeRecord::NextAllowedMagicItem(const MagicItemRecord* previous) const {
    const ArmyCatalogue& catalogue = *nation->catalogue;
    for (const MagicItemRecord* item = catalogue.NextMagicItem(previous); item != nullptr;
         item = catalogue.NextMagicItem(item)) {
        if ((category & item->troopCategoryMask) != 0 && (item->itemCategory & itemCategoryMask) != 0)
            return item;
    }
    return nullptr;
}

const SiegeEngineRecord* TroopTypeRecord::NextAllowedSiegeEngine(const SiegeEngineRecord* previous) const {
    if ((category & kInfantryBit) == 0)
        return nullptr;
    return nation->catalogue->NextSiegeEngine(previous);
}

void TroopTypeRecord::CollectInfoTexts(InfoTextList& list) const {
    list.clear();
    if (!unitInfo.empty())
        list.push_back(unitInfo);
    if (!ruleCodes.empty()) {
        const std::string_view codes = ruleCodes;
        for (std::size_t i = 0; i + 4 <= codes.size(); i += 4) {
            const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(codes[i + k]); };
            const Code rule = MakeCode(byte(0), byte(1), byte(2), byte(3));
            if (const SpecialRuleRecord* record = nation->catalogue->FindSpecialRule(rule))
                list.push_back(record->info);
        }
    }
    if (unitInfo.empty() && ruleCodes.empty() && !info.empty())
        list.push_back(info);
}

const TroopTypeRecord* NationRecord::NextTroopType(const TroopTypeRecord* previous) const {
    return NextIn(troopTypes, previous, [](const TroopTypeRecord&) { return true; });
}

const TroopTypeRecord* NationRecord::NextListedTroopType(const TroopTypeRecord* previous) const {
    return NextIn(troopTypes, previous, [](const TroopTypeRecord& t) {
        return t.troopKind != kTroopMount && t.troopKind != kTroopSpecial;
    });
}

const TroopTypeRecord* NationRecord::FindTroopType(Code code) const {
    for (const auto& t : troopTypes)
        if (t->code() == code)
            return t.get();
    return nullptr;
}

} // namespace ovra
