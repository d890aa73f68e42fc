#include "Records.h"
#include "ArmyCatalogue.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

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

struct NationRecord::Index {
    std::unordered_map<Code, std::size_t> firstOfCode; // code -> position of its first troop type
    // Code -> positions of the mounts whose LIMIT holds it, ascending.
    std::unordered_map<Code, std::vector<std::size_t>> mountsNaming;
    // Position -> the first listed troop type at or after it; one past the end too.
    std::vector<std::size_t> nextListed;
};

NationRecord::NationRecord(const ArmyCatalogue& owner) : CatalogueEntry(kKindNation), catalogue(&owner) {}

NationRecord::~NationRecord() = default;

const NationRecord::Index& NationRecord::index() const {
    std::call_once(indexed_, [this] {
        auto index = std::make_unique<Index>();
        for (std::size_t i = 0; i < troopTypes.size(); ++i)
            index->firstOfCode.try_emplace(troopTypes[i]->code(), i);
        // Every four bytes of a mount's LIMIT, at every offset, that spell a
        // code of this nation: codes are written without separators, so a
        // match may straddle two of them.
        for (std::size_t i = 0; i < troopTypes.size(); ++i) {
            const TroopTypeRecord& mount = *troopTypes[i];
            if (mount.troopKind != kTroopMount)
                continue;
            const std::string& limit = mount.limit;
            for (std::size_t at = 0; at + 4 <= limit.size(); ++at) {
                const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(limit[at + k]); };
                const Code code = MakeCode(byte(0), byte(1), byte(2), byte(3));
                if (index->firstOfCode.count(code) == 0)
                    continue;
                std::vector<std::size_t>& mounts = index->mountsNaming[code];
                if (mounts.empty() || mounts.back() != i)
                    mounts.push_back(i);
            }
        }
        index->nextListed.assign(troopTypes.size() + 1, troopTypes.size());
        for (std::size_t i = troopTypes.size(); i-- > 0;)
            index->nextListed[i] = IsListed(*troopTypes[i]) ? i : index->nextListed[i + 1];
        index_ = std::move(index);
    });
    return *index_;
}

const TroopTypeRecord* TroopTypeRecord::NextMount(const TroopTypeRecord* previous) const {
    const auto& types = nation->troopTypes;
    const auto& mountsNaming = nation->index().mountsNaming;
    const auto it = mountsNaming.find(code());
    if (it == mountsNaming.end())
        return nullptr;
    const std::size_t start = StartAfter(types, previous);
    const auto next = std::lower_bound(it->second.begin(), it->second.end(), start);
    return next == it->second.end() ? nullptr : types[*next].get();
}

bool TroopTypeRecord::MountWalkIncludes(const TroopTypeRecord& mount) const {
    const auto& types = nation->troopTypes;
    if (mount.ordinal >= types.size() || types[mount.ordinal].get() != &mount)
        return false;
    const auto& mountsNaming = nation->index().mountsNaming;
    const auto it = mountsNaming.find(code());
    return it != mountsNaming.end() &&
           std::binary_search(it->second.begin(), it->second.end(), mount.ordinal);
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
    if (start >= troopTypes.size())
        return nullptr;
    const std::size_t next = index().nextListed[start];
    return next < troopTypes.size() ? troopTypes[next].get() : nullptr;
}

const TroopTypeRecord* NationRecord::FindTroopType(Code code) const {
    const auto& firstOfCode = index().firstOfCode;
    const auto it = firstOfCode.find(code);
    return it == firstOfCode.end() ? nullptr : troopTypes[it->second].get();
}

} // namespace ovra
