#include "Records.h"
#include "ArmyCatalogue.h"

#include <algorithm>
#include <string_view>

namespace ovra {

bool TroopTypeRecord::CountsForBreakpoint() const {
    return (troopKind == kTroopUnit || troopKind == kTroopSkirmisherUnit) && countsForBreakpoint;
}

namespace {

// Where a walk after `previous` starts in the list; none (the list's end) for
// a record that is not in it.
template <class Record>
std::size_t StartAfter(const std::vector<std::unique_ptr<Record>>& list, const Record* previous) {
    if (previous == nullptr)
        return 0;
    if (previous->ordinal >= list.size() || list[previous->ordinal].get() != previous)
        return list.size();
    return previous->ordinal + 1;
}

bool IsListed(const TroopTypeRecord& t) {
    return t.troopKind != kTroopMount && t.troopKind != kTroopSpecial;
}

} // namespace

const TroopTypeRecord* TroopTypeRecord::NextMount(const TroopTypeRecord* previous) const {
    const auto& types = nation->troopTypes;
    const auto it = nation->mountsNaming_.find(code());
    if (it == nation->mountsNaming_.end())
        return nullptr;
    const std::size_t start = StartAfter(types, previous);
    const auto next = std::lower_bound(it->second.begin(), it->second.end(), start);
    return next == it->second.end() ? nullptr : types[*next].get();
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
    const std::size_t next = StartAfter(troopTypes, previous);
    return next < troopTypes.size() ? troopTypes[next].get() : nullptr;
}

const TroopTypeRecord* NationRecord::NextListedTroopType(const TroopTypeRecord* previous) const {
    const std::size_t start = StartAfter(troopTypes, previous);
    if (start >= nextListed_.size())
        return nullptr;
    const std::size_t next = nextListed_[start];
    return next < troopTypes.size() ? troopTypes[next].get() : nullptr;
}

const TroopTypeRecord* NationRecord::FindTroopType(Code code) const {
    const auto it = firstOfCode_.find(code);
    return it == firstOfCode_.end() ? nullptr : troopTypes[it->second].get();
}

void NationRecord::IndexTroopTypes() {
    firstOfCode_.clear();
    mountsNaming_.clear();
    for (std::size_t i = 0; i < troopTypes.size(); ++i)
        firstOfCode_.try_emplace(troopTypes[i]->code(), i);
    // Every four bytes of a mount's LIMIT, at every offset, that spell a
    // code of this nation: codes are written without separators, so a match
    // may straddle two of them.
    for (std::size_t i = 0; i < troopTypes.size(); ++i) {
        const TroopTypeRecord& mount = *troopTypes[i];
        if (mount.troopKind != kTroopMount)
            continue;
        const std::string& limit = mount.limit;
        for (std::size_t at = 0; at + 4 <= limit.size(); ++at) {
            const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(limit[at + k]); };
            const Code code = MakeCode(byte(0), byte(1), byte(2), byte(3));
            if (firstOfCode_.count(code) == 0)
                continue;
            std::vector<std::size_t>& mounts = mountsNaming_[code];
            if (mounts.empty() || mounts.back() != i)
                mounts.push_back(i);
        }
    }
    nextListed_.assign(troopTypes.size() + 1, troopTypes.size());
    for (std::size_t i = troopTypes.size(); i-- > 0;)
        nextListed_[i] = IsListed(*troopTypes[i]) ? i : nextListed_[i + 1];
}

} // namespace ovra
