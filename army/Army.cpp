#include "Army.h"

#include "ArmyCatalogue.h"

#include <algorithm>
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

UnitEntry::UnitEntry(Army& army, const TroopTypeRecord& troopType)
    : TaggedObject(kKindUnitEntry), name_(troopType.name), troopType_(&troopType), army_(&army) {
    const ArmyCatalogue& catalogue = *troopType.nation->catalogue;
    if (troopType.itemCategoryMask != 0)
        magicItem = catalogue.FindMagicItem(kNoMagicItem);
    if ((troopType.category & kInfantryBit) != 0)
        siegeEngine = catalogue.FindSiegeEngine(kNoSiegeEngine);
    if (troopType.NextMount(nullptr) != nullptr)
        mount = troopType.nation->FindTroopType(kNoMount);
}

bool UnitEntry::CountsForBreakpoint() const {
    return troopType_->CountsForBreakpoint();
}

void UnitEntry::Description(std::string& out) const {
    out = troopType_->info;
    AppendOption(out, magicItem, kNoMagicItem);
    AppendOption(out, siegeEngine, kNoSiegeEngine);
    AppendOption(out, mount, kNoMount);
}

void UnitEntry::InfoLines(InfoTextList& out) const {
    troopType_->CollectInfoTexts(out);
}

std::int32_t UnitEntry::Points() const {
    std::int64_t points = troopType_->points;
    if (magicItem)
        points += magicItem->points;
    if (siegeEngine)
        points += siegeEngine->points;
    if (mount)
        points += mount->points;
    return ClampToInt32(points);
}

void UnitEntry::CopySettingsFrom(const UnitEntry& other) {
    troopType_ = other.troopType_;
    army_ = other.army_;
    mount = other.mount;
    magicItem = other.magicItem;
    siegeEngine = other.siegeEngine;
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
    if (skirmishers) {
        if (const TroopTypeRecord* runners = army_->nation().FindTroopType(kRunners)) {
            out += runners->info;
            out += kLineBreak;
        }
    }
    if (magicItem) {
        out += magicItem->info;
        out += kLineBreak;
    }
    if (siegeEngine)
        out += siegeEngine->info;
}

std::int32_t SkirmisherUnitEntry::Points() const {
    std::int64_t points = UnitEntry::Points();
    if (skirmishers) {
        if (const TroopTypeRecord* runners = army_->nation().FindTroopType(kRunners))
            points += runners->points;
    }
    return ClampToInt32(points);
}

void SkirmisherUnitEntry::CopySettingsFrom(const UnitEntry& other) {
    UnitEntry::CopySettingsFrom(other);
    if (const SkirmisherUnitEntry* skirmisher = other.AsSkirmisher())
        skirmishers = skirmisher->skirmishers;
}

// ---------------------------------------------------------------- Army

Army::Army(const NationRecord& nation, std::int32_t pointsLimit, bool fillMinimums)
    : nation_(&nation), pointsLimit_(pointsLimit) {
    if (fillMinimums)
        FillMinimums();
}

Army::~Army() = default;

std::int32_t Army::BreakPoint() const {
    std::int64_t counting = 0;
    for (const auto& e : entries_)
        if (e->CountsForBreakpoint())
            ++counting;
    return ClampToInt32((counting + 1) / 2);
}

std::int32_t Army::IndexOf(const UnitEntry* entry) const {
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].get() == entry)
            return static_cast<std::int32_t>(i);
    return -1;
}

std::unique_ptr<UnitEntry> Army::CreateUnit(Code troopCode) {
    const TroopTypeRecord* type = nation_->FindTroopType(troopCode);
    if (type == nullptr)
        return nullptr;
    if (type->troopKind == kTroopSkirmisherUnit)
        return std::make_unique<SkirmisherUnitEntry>(*this, *type);
    return std::make_unique<UnitEntry>(*this, *type);
}

UnitEntry* Army::AddUnit(Code troopCode) {
    std::unique_ptr<UnitEntry> entry = CreateUnit(troopCode);
    if (!entry)
        return nullptr;
    entries_.push_back(std::move(entry));
    return entries_.back().get();
}

void Army::RemoveUnit(const UnitEntry* entry) {
    const std::int32_t index = IndexOf(entry);
    if (index >= 0)
        entries_.erase(entries_.begin() + index);
}

UnitEntry* Army::FindLastOfType(Code troopCode) const {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if ((*it)->troopType().code() == troopCode)
            return it->get();
    return nullptr;
}

std::int32_t Army::CountOfType(Code troopCode) const {
    return static_cast<std::int32_t>(std::count_if(
        entries_.begin(), entries_.end(), [&](const auto& e) { return e->troopType().code() == troopCode; }));
}

std::int32_t Army::CountRiding(Code mountCode) const {
    return static_cast<std::int32_t>(std::count_if(entries_.begin(), entries_.end(), [&](const auto& e) {
        return e->mount != nullptr && e->mount->code() == mountCode;
    }));
}

std::int32_t Army::CountCarrying(Code itemCode) const {
    return static_cast<std::int32_t>(std::count_if(entries_.begin(), entries_.end(), [&](const auto& e) {
        return e->magicItem != nullptr && e->magicItem->code() == itemCode;
    }));
}

std::int32_t Army::CountWithEngine(Code engineCode) const {
    return static_cast<std::int32_t>(std::count_if(entries_.begin(), entries_.end(), [&](const auto& e) {
        return e->siegeEngine != nullptr && e->siegeEngine->code() == engineCode;
    }));
}

std::int32_t Army::PointsOfType(Code troopCode) const {
    std::int64_t sum = 0;
    for (const auto& e : entries_)
        if (e->troopType().code() == troopCode)
            sum += e->Points();
    return ClampToInt32(sum);
}

std::int32_t Army::TotalPoints() const {
    std::int64_t sum = 0;
    for (const auto& e : entries_)
        sum += e->Points();
    return ClampToInt32(sum);
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

std::int32_t Army::LastIndexOfType(Code troopCode) const {
    for (std::size_t i = entries_.size(); i-- > 0;)
        if (entries_[i]->troopType().code() == troopCode)
            return static_cast<std::int32_t>(i);
    return -1;
}

void Army::SetCountOfType(Code troopCode, std::int32_t count) {
    if (nation_->FindTroopType(troopCode) == nullptr)
        return;
    std::int32_t current = CountOfType(troopCode);
    for (std::int32_t added = 0; current < count && added < kMaxEntriesAddedPerType; ++added, ++current)
        if (AddUnit(troopCode) == nullptr)
            break;
    for (; current > count; --current) {
        const std::int32_t last = LastIndexOfType(troopCode);
        if (last < 0)
            break;
        entries_.erase(entries_.begin() + last);
    }
}

void Army::FillMinimums() {
    for (const TroopTypeRecord* t = nation_->NextTroopType(nullptr); t; t = nation_->NextTroopType(t))
        SetCountOfType(t->code(), MinimumRequired(*t));
}

void Army::EnforceMinMax() {
    // The bounds are evaluated anew after every step. Only this type's own
    // entries change while it is adjusted, so the other pool members' count
    // moves only by the type's references to itself in its LIMIT.
    for (const TroopTypeRecord* t = nation_->NextTroopType(nullptr); t; t = nation_->NextTroopType(t)) {
        const Code code = t->code();
        std::int32_t own = CountOfType(code);
        std::int64_t others = t->minCount < 0 ? OthersInPool(code) : 0;
        const std::int32_t selfReferences = t->minCount < 0 ? SelfReferencesInPool(code) : 0;
        for (std::int32_t added = 0; added < kMaxEntriesAddedPerType && own < MinimumFor(*t, others);
             ++added) {
            if (AddUnit(code) == nullptr)
                break;
            ++own;
            others += selfReferences;
        }
        while (own > MaximumFor(*t, others)) {
            const std::int32_t last = LastIndexOfType(code);
            if (last < 0)
                break;
            entries_.erase(entries_.begin() + last);
            --own;
            others -= selfReferences;
        }
    }
}

UnitEntry* Army::NewUnit(const TaggedObject* selection) {
    if (selection == nullptr)
        return nullptr;
    if (selection->kind == kKindUnitEntry) {
        const auto* source = static_cast<const UnitEntry*>(selection);
        if (IndexOf(source) < 0)
            return nullptr;
        UnitEntry* entry = AddUnit(source->troopType().code());
        if (entry != nullptr)
            entry->CopySettingsFrom(*source);
        return entry;
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
