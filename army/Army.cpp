#include "Army.h"

#include "ArmyCatalogue.h"

#include <algorithm>
#include <atomic>
#include <limits>

namespace ovra {

std::int32_t ClampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

namespace {

const char* const kLineBreak = "\r\n";

// Appends an option's name and text to a plain entry's description.
template <class Record> void AppendOption(std::string& out, const Record* option, Code noneCode) {
    if (option == nullptr || option->code() == noneCode)
        return;
    if (out.empty()) {
        out = option->name + kLineBreak + option->info;
    } else {
        out += kLineBreak;
        out += option->name;
        out += kLineBreak;
        out += option->info;
    }
}

} // namespace

// ---------------------------------------------------------------- UnitEntry

UnitEntry::UnitEntry(Army& army, const TroopTypeRecord& troopType, UnitId id)
    : TaggedObject(kKindUnitEntry), id_(id), name_(troopType.name), troopType_(&troopType), army_(&army) {
    const ArmyCatalogue& catalogue = *troopType.nation->catalogue;
    if (troopType.itemCategoryMask != 0)
        magicItem_ = catalogue.FindMagicItem(kNoMagicItem);
    if ((troopType.category & kInfantryBit) != 0)
        siegeEngine_ = catalogue.FindSiegeEngine(kNoSiegeEngine);
    if (troopType.NextMount(nullptr) != nullptr)
        mount_ = troopType.nation->FindTroopType(kNoMount);
}

bool UnitEntry::CountsForBreakpoint() const {
    return troopType_->CountsForBreakpoint();
}

bool UnitEntry::skirmishers() const {
    const SkirmisherUnitEntry* skirmisher = AsSkirmisher();
    return skirmisher != nullptr && skirmisher->skirmishers_;
}

void UnitEntry::Description(std::string& out) const {
    out = troopType_->info;
    AppendOption(out, magicItem_, kNoMagicItem);
    AppendOption(out, siegeEngine_, kNoSiegeEngine);
    AppendOption(out, mount_, kNoMount);
}

std::int32_t UnitEntry::Points() const {
    std::int64_t points = troopType_->points;
    if (magicItem_)
        points += magicItem_->points;
    if (siegeEngine_)
        points += siegeEngine_->points;
    if (mount_)
        points += mount_->points;
    return ClampToInt32(points);
}

void UnitEntry::CopySettingsFrom(const UnitEntry& other) {
    troopType_ = other.troopType_;
    army_ = other.army_;
    mount_ = other.mount_;
    magicItem_ = other.magicItem_;
    siegeEngine_ = other.siegeEngine_;
    name_ = other.name_;
}

void UnitEntry::SetName(std::string_view name) {
    if (name.empty())
        name_ = troopType_->name;
    else
        name_.assign(name);
}

void SkirmisherUnitEntry::Description(std::string& out) const {
    out = troopType_->info + kLineBreak;
    if (skirmishers_) {
        if (const TroopTypeRecord* runners = army_->nation().FindTroopType(kRunners)) {
            out += runners->info;
            out += kLineBreak;
        }
    }
    if (magicItem_) {
        out += magicItem_->info;
        out += kLineBreak;
    }
    if (siegeEngine_)
        out += siegeEngine_->info;
}

std::int32_t SkirmisherUnitEntry::Points() const {
    std::int64_t points = UnitEntry::Points();
    if (skirmishers_) {
        if (const TroopTypeRecord* runners = army_->nation().FindTroopType(kRunners))
            points += runners->points;
    }
    return ClampToInt32(points);
}

void SkirmisherUnitEntry::CopySettingsFrom(const UnitEntry& other) {
    UnitEntry::CopySettingsFrom(other);
    if (const SkirmisherUnitEntry* skirmisher = other.AsSkirmisher())
        skirmishers_ = skirmisher->skirmishers_;
}

// ---------------------------------------------------------------- Army

Army::Army(const NationRecord& nation, std::int32_t pointsLimit, bool fillMinimums)
    : nation_(&nation), pointsLimit_(pointsLimit) {
    if (fillMinimums)
        FillMinimums();
}

Army::~Army() = default;

std::int32_t Army::BreakPoint() const {
    return ClampToInt32((counting_ + 1) / 2);
}

std::int32_t Army::IndexOf(const UnitEntry* entry) const {
    if (entry == nullptr || Own(*entry) == nullptr)
        return -1;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].get() == entry)
            return static_cast<std::int32_t>(i);
    return -1;
}

UnitEntry* Army::FindUnit(UnitId id) const {
    const auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : it->second;
}

void Army::Count(const UnitEntry& entry, int sign) {
    const std::int64_t points = entry.Points();
    TypeTally& tally = byType_[entry.troopType().code()];
    tally.count += sign;
    tally.points += sign * points;
    totalPoints_ += sign * points;
    if (entry.CountsForBreakpoint())
        counting_ += sign;
    if (entry.mount() != nullptr)
        riding_[entry.mount()->code()] += sign;
    if (entry.magicItem() != nullptr)
        carrying_[entry.magicItem()->code()] += sign;
    if (entry.siegeEngine() != nullptr)
        withEngine_[entry.siegeEngine()->code()] += sign;
}

UnitId Army::NewId() {
    static std::atomic<UnitId> last{0};
    return ++last;
}

std::unique_ptr<UnitEntry> Army::CreateUnit(const TroopTypeRecord& type, UnitId id) {
    if (type.troopKind == kTroopSkirmisherUnit)
        return std::make_unique<SkirmisherUnitEntry>(*this, type, id);
    return std::make_unique<UnitEntry>(*this, type, id);
}

UnitEntry* Army::Append(std::unique_ptr<UnitEntry> entry) {
    Count(*entry, +1);
    byId_[entry->id()] = entry.get();
    entries_.push_back(std::move(entry));
    return entries_.back().get();
}

UnitEntry* Army::AddUnit(Code troopCode) {
    const TroopTypeRecord* type = nation_->FindTroopType(troopCode);
    if (type == nullptr)
        return nullptr;
    return Append(CreateUnit(*type, NewId()));
}

void Army::RemoveUnit(const UnitEntry* entry) {
    const std::int32_t index = IndexOf(entry);
    if (index >= 0)
        RemoveUnitsAt({index});
}

void Army::RemoveUnitsAt(const std::vector<std::int32_t>& ascendingIndices) {
    if (ascendingIndices.empty())
        return;
    std::size_t next = 0;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (next < ascendingIndices.size() && static_cast<std::size_t>(ascendingIndices[next]) == i) {
            ++next;
            if (removals_ != nullptr)
                removals_->push_back({static_cast<std::int32_t>(i), StateOf(*entries_[i])});
            Count(*entries_[i], -1);
            byId_.erase(entries_[i]->id());
            entries_[i].reset();
            continue;
        }
        if (kept != i)
            entries_[kept] = std::move(entries_[i]);
        ++kept;
    }
    entries_.resize(kept);
}

UnitEntryState Army::StateOf(const UnitEntry& entry) {
    return {entry.id(),        &entry.troopType(),  entry.name(),       entry.mount(),
            entry.magicItem(), entry.siegeEngine(), entry.skirmishers()};
}

std::unique_ptr<UnitEntry> Army::Recreate(const UnitEntryState& state) {
    if (state.troopType == nullptr || state.troopType->nation != nation_ || state.id == 0 ||
        FindUnit(state.id) != nullptr)
        return nullptr;
    std::unique_ptr<UnitEntry> entry = CreateUnit(*state.troopType, state.id);
    entry->name_ = state.name;
    entry->mount_ = state.mount;
    entry->magicItem_ = state.magicItem;
    entry->siegeEngine_ = state.siegeEngine;
    if (entry->AsSkirmisher() != nullptr)
        static_cast<SkirmisherUnitEntry&>(*entry).skirmishers_ = state.skirmishers;
    return entry;
}

UnitEntry* Army::AppendUnit(const UnitEntryState& state) {
    std::unique_ptr<UnitEntry> entry = Recreate(state);
    return entry ? Append(std::move(entry)) : nullptr;
}

void Army::InsertUnitsAt(const std::vector<RemovedUnit>& ascending) {
    if (ascending.empty())
        return;
    std::vector<std::unique_ptr<UnitEntry>> merged;
    merged.reserve(entries_.size() + ascending.size());
    std::size_t from = 0;
    for (const RemovedUnit& removed : ascending) {
        while (merged.size() < static_cast<std::size_t>(std::max(removed.index, 0)) && from < entries_.size())
            merged.push_back(std::move(entries_[from++]));
        if (std::unique_ptr<UnitEntry> entry = Recreate(removed.state)) {
            Count(*entry, +1);
            byId_[entry->id()] = entry.get();
            merged.push_back(std::move(entry));
        }
    }
    while (from < entries_.size())
        merged.push_back(std::move(entries_[from++]));
    entries_ = std::move(merged);
}

UnitEntry* Army::Own(const UnitEntry& entry) const {
    UnitEntry* own = FindUnit(entry.id());
    return own == &entry ? own : nullptr;
}

void Army::SetName(const UnitEntry& entry, std::string_view name) {
    if (UnitEntry* e = Own(entry))
        e->SetName(name);
}

void Army::SetMount(const UnitEntry& entry, const TroopTypeRecord* mount) {
    if (UnitEntry* e = Own(entry)) {
        Count(*e, -1);
        e->mount_ = mount;
        Count(*e, +1);
    }
}

void Army::SetMagicItem(const UnitEntry& entry, const MagicItemRecord* item) {
    if (UnitEntry* e = Own(entry)) {
        Count(*e, -1);
        e->magicItem_ = item;
        Count(*e, +1);
    }
}

void Army::SetSiegeEngine(const UnitEntry& entry, const SiegeEngineRecord* engine) {
    if (UnitEntry* e = Own(entry)) {
        Count(*e, -1);
        e->siegeEngine_ = engine;
        Count(*e, +1);
    }
}

void Army::SetSkirmishers(const UnitEntry& entry, bool skirmishers) {
    UnitEntry* e = Own(entry);
    if (e == nullptr || e->AsSkirmisher() == nullptr)
        return;
    Count(*e, -1);
    static_cast<SkirmisherUnitEntry*>(e)->skirmishers_ = skirmishers;
    Count(*e, +1);
}

namespace {

template <class Map> std::int32_t Lookup(const Map& map, Code code) {
    const auto it = map.find(code);
    return it == map.end() ? 0 : it->second;
}

} // namespace

std::int32_t Army::CountOfType(Code troopCode) const {
    const auto it = byType_.find(troopCode);
    return it == byType_.end() ? 0 : it->second.count;
}

std::int32_t Army::CountRiding(Code mountCode) const {
    return Lookup(riding_, mountCode);
}

std::int32_t Army::CountCarrying(Code itemCode) const {
    return Lookup(carrying_, itemCode);
}

std::int32_t Army::CountWithEngine(Code engineCode) const {
    return Lookup(withEngine_, engineCode);
}

std::int32_t Army::PointsOfType(Code troopCode) const {
    const auto it = byType_.find(troopCode);
    return it == byType_.end() ? 0 : ClampToInt32(it->second.points);
}

std::int32_t Army::TotalPoints() const {
    return ClampToInt32(totalPoints_);
}

// ---------------------------------------------------------------- composition rules

std::int32_t Army::PointsScale() const {
    const std::int32_t scale = pointsLimit_ / 1000;
    return scale <= 0 ? 1 : scale;
}

std::int32_t Army::PooledCount(Code troopCode) const {
    std::int64_t count = CountOfType(troopCode);
    const TroopTypeRecord* type = nation_->FindTroopType(troopCode);
    if (type == nullptr || type->minCount >= 0)
        return ClampToInt32(count);
    const std::string& limit = type->limit;
    for (std::size_t i = 0; i + 4 <= limit.size(); i += 4) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(limit[i + k]); };
        count += CountOfType(MakeCode(byte(0), byte(1), byte(2), byte(3)));
    }
    return ClampToInt32(count);
}

std::int64_t Army::OthersInPool(Code troopCode) const {
    return std::int64_t(PooledCount(troopCode)) - CountOfType(troopCode);
}

std::int32_t Army::SelfReferencesInPool(Code troopCode) const {
    const TroopTypeRecord* type = nation_->FindTroopType(troopCode);
    if (type == nullptr || type->minCount >= 0)
        return 0;
    std::int32_t references = 0;
    const std::string& limit = type->limit;
    for (std::size_t i = 0; i + 4 <= limit.size(); i += 4) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(limit[i + k]); };
        references += MakeCode(byte(0), byte(1), byte(2), byte(3)) == troopCode ? 1 : 0;
    }
    return references;
}

std::int32_t Army::MinimumFor(const TroopTypeRecord& type, std::int64_t others) const {
    const std::int64_t minimum = type.minCount;
    const std::int64_t maximum = type.maxCount;
    if (minimum >= 0) {
        std::int64_t required = PointsScale() * minimum;
        if (maximum < 0 && required > -maximum)
            required = -maximum;
        return ClampToInt32(required);
    }
    return others >= -minimum ? 0 : ClampToInt32(-minimum - others);
}

std::int32_t Army::MaximumFor(const TroopTypeRecord& type, std::int64_t others) const {
    const std::int64_t maximum = type.maxCount;
    std::int64_t cap = PointsScale() * maximum;
    if (cap == 0)
        cap = kNoMaximum;
    else if (maximum < 0)
        cap = -maximum;
    if (type.minCount >= 0)
        return ClampToInt32(cap);
    return others > cap ? 0 : ClampToInt32(cap - others);
}

std::int32_t Army::MinimumRequired(const TroopTypeRecord& type) const {
    return MinimumFor(type, type.minCount < 0 ? OthersInPool(type.code()) : 0);
}

std::int32_t Army::MaximumAllowed(const TroopTypeRecord& type) const {
    return MaximumFor(type, type.minCount < 0 ? OthersInPool(type.code()) : 0);
}

std::int32_t Army::NumberInArmy(Code troopCode) const {
    const TroopTypeRecord* type = nation_->FindTroopType(troopCode);
    if (type != nullptr && (type->category & kMountCategoryBits) != 0)
        return CountRiding(troopCode);
    return PooledCount(troopCode);
}

void Army::RemoveLastOfTypes(std::unordered_map<Code, std::int32_t> surplus) {
    std::erase_if(surplus, [](const auto& item) { return item.second <= 0; });
    if (surplus.empty())
        return;
    // Marked from the end, then removed in one pass.
    std::vector<std::int32_t> doomed;
    for (std::size_t i = entries_.size(); i-- > 0 && !surplus.empty();) {
        const auto it = surplus.find(entries_[i]->troopType().code());
        if (it == surplus.end())
            continue;
        doomed.push_back(static_cast<std::int32_t>(i));
        if (--it->second == 0)
            surplus.erase(it);
    }
    std::reverse(doomed.begin(), doomed.end());
    RemoveUnitsAt(doomed);
}

void Army::SetCountOfType(Code troopCode, std::int32_t count) {
    const TroopTypeRecord* type = nation_->FindTroopType(troopCode);
    if (type == nullptr)
        return;
    const std::int32_t current = CountOfType(troopCode);
    if (current > count) {
        RemoveLastOfTypes({{troopCode, current - std::max(count, 0)}});
        return;
    }
    const std::int32_t adding = std::min(count - current, kMaxEntriesAddedPerType);
    // Room for a large block at once, but never an exact fit: filling a list
    // of many types would otherwise copy the whole army once per type.
    const std::size_t needed = entries_.size() + static_cast<std::size_t>(std::max(adding, 0));
    if (needed > entries_.capacity())
        entries_.reserve(std::max(needed, 2 * entries_.capacity()));
    for (std::int32_t i = 0; i < adding; ++i)
        Append(CreateUnit(*type, NewId()));
}

void Army::FillMinimums() {
    for (const TroopTypeRecord* t = nation_->NextTroopType(nullptr); t; t = nation_->NextTroopType(t))
        SetCountOfType(t->code(), MinimumRequired(*t));
}

void Army::EnforceMinMax() {
    // Each troop type is brought within the bounds that hold after the types
    // before it were adjusted. The counts are worked out first, by the
    // bounds alone; then the surplus is removed in one pass and the missing
    // entries appended, which gives the army that adding and removing one
    // entry at a time would give. Only a type's own entries change while it
    // is adjusted, so the other pool members' count moves only by the
    // type's references to itself in its LIMIT.
    struct Block {
        const TroopTypeRecord* type;
        std::int32_t count;
    };
    std::vector<Block> added;                       // in the order they are appended
    std::unordered_map<Code, std::int32_t> surplus; // existing entries to remove, per code
    std::unordered_map<Code, std::int32_t> tally;   // the counts as adjusted so far
    const auto countOf = [&](Code code) {
        const auto it = tally.find(code);
        return it != tally.end() ? it->second : CountOfType(code);
    };
    // OthersInPool, read from the adjusted counts.
    const auto othersInPool = [&](Code code) -> std::int64_t {
        std::int64_t pooled = countOf(code);
        const TroopTypeRecord* type = nation_->FindTroopType(code);
        if (type != nullptr && type->minCount < 0) {
            const std::string& limit = type->limit;
            for (std::size_t i = 0; i + 4 <= limit.size(); i += 4) {
                const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(limit[i + k]); };
                pooled += countOf(MakeCode(byte(0), byte(1), byte(2), byte(3)));
            }
        }
        return std::int64_t(ClampToInt32(pooled)) - countOf(code);
    };

    for (const TroopTypeRecord* t = nation_->NextTroopType(nullptr); t; t = nation_->NextTroopType(t)) {
        const Code code = t->code();
        const TroopTypeRecord* made = nation_->FindTroopType(code); // what AddUnit would make
        const std::int32_t before = countOf(code);
        std::int32_t own = before;
        std::int64_t others = t->minCount < 0 ? othersInPool(code) : 0;
        const std::int32_t selfReferences = t->minCount < 0 ? SelfReferencesInPool(code) : 0;
        for (std::int32_t n = 0; n < kMaxEntriesAddedPerType && own < MinimumFor(*t, others); ++n) {
            ++own;
            others += selfReferences;
        }
        if (own > before)
            added.push_back({made, own - before});
        std::int32_t removing = 0;
        while (own > 0 && own > MaximumFor(*t, others)) {
            --own;
            others -= selfReferences;
            ++removing;
        }
        // The newest entries of the code go first: those appended in this pass.
        for (auto block = added.rbegin(); block != added.rend() && removing > 0; ++block) {
            if (block->type->code() != code)
                continue;
            const std::int32_t taken = std::min(block->count, removing);
            block->count -= taken;
            removing -= taken;
        }
        surplus[code] += removing;
        tally[code] = own;
    }

    RemoveLastOfTypes(std::move(surplus));
    std::size_t adding = 0;
    for (const Block& block : added)
        adding += static_cast<std::size_t>(block.count);
    entries_.reserve(entries_.size() + adding);
    for (const Block& block : added)
        for (std::int32_t i = 0; i < block.count; ++i)
            Append(CreateUnit(*block.type, NewId()));
}

UnitEntry* Army::NewUnit(const TaggedObject* selection) {
    if (selection == nullptr)
        return nullptr;
    if (selection->kind == kKindUnitEntry) {
        const auto* source = static_cast<const UnitEntry*>(selection);
        if (IndexOf(source) < 0)
            return nullptr;
        std::unique_ptr<UnitEntry> entry = CreateUnit(source->troopType(), NewId());
        entry->CopySettingsFrom(*source);
        return Append(std::move(entry));
    }
    if (selection->kind == kKindTroopType)
        return AddUnit(static_cast<const TroopTypeRecord*>(selection)->code());
    return nullptr;
}

bool Army::DeleteUnit(const TaggedObject* selection) {
    if (selection == nullptr || selection->kind != kKindUnitEntry)
        return false;
    const auto* entry = static_cast<const UnitEntry*>(selection);
    if (IndexOf(entry) < 0)
        return false;
    RemoveUnit(entry);
    return true;
}

} // namespace ovra
