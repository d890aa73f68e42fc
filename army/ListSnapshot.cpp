#include "ListSnapshot.h"

#include "Army.h"
#include "ArmyCatalogue.h"
#include "ArmyFile.h"
#include "ArmyListReader.h"
#include "ArmyListWriter.h"
#include "FileIo.h"

#include <algorithm>
#include <set>
#include <system_error>

namespace ovra {
namespace {

constexpr std::string_view kSnapshotExtension = ".dfm";
constexpr std::size_t kHashDigits = 16;

// Only files named as this program names snapshots are counted and pruned:
// nothing else that lives in the folder is ever removed.
bool IsSnapshotName(const std::string& name) {
    if (name.size() != kHashDigits + kSnapshotExtension.size() || !name.ends_with(kSnapshotExtension))
        return false;
    return std::all_of(name.begin(), name.begin() + kHashDigits,
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// The codes a LIMIT text names, four bytes each; a remainder counts for nothing.
std::vector<Code> LimitCodes(const std::string& limit) {
    std::vector<Code> codes;
    for (std::size_t i = 0; i + 4 <= limit.size(); i += 4) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(limit[i + k]); };
        codes.push_back(MakeCode(byte(0), byte(1), byte(2), byte(3)));
    }
    return codes;
}

// The records of its catalogue that an army depends on, each once.
struct UsedRecords {
    std::set<const TroopTypeRecord*> troopTypes;
    std::set<const MagicItemRecord*> magicItems;
    std::set<const SiegeEngineRecord*> siegeEngines;
};

UsedRecords RecordsUsedBy(const Army& army) {
    const NationRecord& nation = army.nation();
    const ArmyCatalogue& catalogue = *nation.catalogue;
    UsedRecords used;
    const auto addType = [&](const TroopTypeRecord* type) {
        if (type != nullptr && type->nation == &nation)
            used.troopTypes.insert(type);
    };

    std::set<const TroopTypeRecord*> fielded;
    for (std::int32_t i = 0; i < army.UnitCount(); ++i) {
        const UnitEntry& entry = *army.UnitAt(i);
        fielded.insert(&entry.troopType());
        addType(entry.mount());
        if (entry.magicItem() != nullptr)
            used.magicItems.insert(entry.magicItem());
        if (entry.siegeEngine() != nullptr)
            used.siegeEngines.insert(entry.siegeEngine());
    }
    // The types the army must field count as much as those it does.
    for (const TroopTypeRecord* t = nation.NextTroopType(nullptr); t; t = nation.NextTroopType(t))
        if (army.MinimumRequired(*t) > 0)
            fielded.insert(t);

    for (const TroopTypeRecord* type : fielded) {
        addType(type);
        // What a unit of the type gets by default, and the mounts it is offered.
        for (const TroopTypeRecord* mount = type->NextMount(nullptr); mount; mount = type->NextMount(mount))
            addType(mount);
        if (type->NextMount(nullptr) != nullptr)
            addType(nation.FindTroopType(kNoMount));
        if (type->troopKind == kTroopSkirmisherUnit)
            addType(nation.FindTroopType(kRunners));
        const MagicItemRecord* noItem = catalogue.FindMagicItem(kNoMagicItem);
        if (type->itemCategoryMask != 0 && noItem != nullptr && noItem->code() == kNoMagicItem)
            used.magicItems.insert(noItem);
        const SiegeEngineRecord* noEngine = catalogue.FindSiegeEngine(kNoSiegeEngine);
        if ((type->category & kInfantryBit) != 0 && noEngine != nullptr && noEngine->code() == kNoSiegeEngine)
            used.siegeEngines.insert(noEngine);
    }
    // Pools, both ways: the partners a pooled type names, and the pooled types
    // that name a type the army fields.
    for (const TroopTypeRecord* t = nation.NextTroopType(nullptr); t; t = nation.NextTroopType(t)) {
        if (t->minCount >= 0)
            continue;
        const std::vector<Code> partners = LimitCodes(t->limit);
        if (fielded.count(t) != 0) {
            for (const Code code : partners)
                addType(nation.FindTroopType(code));
        } else if (std::any_of(partners.begin(), partners.end(), [&](Code code) {
                       const TroopTypeRecord* partner = nation.FindTroopType(code);
                       return partner != nullptr && fielded.count(partner) != 0;
                   })) {
            addType(t);
        }
    }
    return used;
}

template <class Record> std::vector<const Record*> InLoadOrder(const std::set<const Record*>& records) {
    std::vector<const Record*> ordered(records.begin(), records.end());
    std::sort(ordered.begin(), ordered.end(),
              [](const Record* a, const Record* b) { return a->ordinal < b->ordinal; });
    return ordered;
}

// Removes the oldest snapshots until the folder's snapshots fit the limit;
// `keep` is never removed. Files that cannot be examined or removed are passed.
void PruneSnapshots(const std::filesystem::path& folder, std::uintmax_t limit,
                    const std::filesystem::path& keep) {
    struct Snapshot {
        std::filesystem::file_time_type time;
        std::filesystem::path path;
        std::uintmax_t size;
    };
    std::vector<Snapshot> snapshots;
    std::uintmax_t total = 0;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (const std::filesystem::directory_iterator end; !error && it != end; it.increment(error)) {
        std::error_code ec;
        if (!IsSnapshotName(it->path().filename().string()) || !it->is_regular_file(ec))
            continue;
        const std::uintmax_t size = it->file_size(ec);
        const auto time = ec ? std::filesystem::file_time_type{} : it->last_write_time(ec);
        if (ec)
            continue;
        total += size;
        snapshots.push_back({time, it->path(), size});
    }
    std::sort(snapshots.begin(), snapshots.end(), [](const Snapshot& a, const Snapshot& b) {
        return a.time != b.time ? a.time < b.time : a.path < b.path;
    });
    for (const Snapshot& snapshot : snapshots) {
        if (total <= limit)
            break;
        std::error_code ec;
        if (snapshot.path.filename() != keep.filename() && std::filesystem::remove(snapshot.path, ec))
            total -= snapshot.size;
    }
}

std::string BoundsText(const TroopTypeBounds& bounds) {
    if (bounds.maximum >= kNoMaximum)
        return std::to_string(bounds.minimum) + " or more";
    return std::to_string(bounds.minimum) + " to " + std::to_string(bounds.maximum);
}

// The army's units that use a troop type: its riders for a mount, those with
// runners for the runners, its own units for the others.
std::int32_t UnitsUsing(const Army& army, const TroopTypeRecord& type) {
    if (type.troopKind == kTroopMount)
        return army.CountRiding(type.code());
    if (type.code() != kRunners)
        return army.CountOfType(type.code());
    std::int32_t units = 0;
    for (std::int32_t i = 0; i < army.UnitCount(); ++i)
        units += army.UnitAt(i)->skirmishers() ? 1 : 0;
    return units;
}

TroopTypeBounds BoundsOf(const Army& army, const TroopTypeRecord& type) {
    return {army.MinimumRequired(type), army.MaximumAllowed(type)};
}

// The first record with the code in load order, without the fallback of
// FindMagicItem and FindSiegeEngine to the "no" records.
template <class Record, class Next> const Record* FirstWithCode(Next next, Code code) {
    for (const Record* r = next(static_cast<const Record*>(nullptr)); r; r = next(r))
        if (r->code() == code)
            return r;
    return nullptr;
}

ListChange About(ListChange::Subject subject, const CatalogueEntry& record, const NationRecord* nation) {
    ListChange change;
    change.subject = subject;
    if (nation != nullptr) {
        change.nationId = nation->id();
        change.nationName = nation->name;
    }
    change.code = subject == ListChange::Subject::Nation ? 0 : record.key;
    change.name = record.name;
    return change;
}

void AddFieldChanges(std::vector<SnapshotChange>& out, const ListChange& about,
                     const std::vector<FieldChange>& fields) {
    for (const FieldChange& field : fields) {
        SnapshotChange change;
        change.change = about;
        change.change.field = field;
        out.push_back(std::move(change));
    }
}

void AddRemoved(std::vector<SnapshotChange>& out, ListChange about, std::int32_t units) {
    SnapshotChange change;
    change.kind = SnapshotChange::Kind::Removed;
    about.kind = ListChange::Kind::Removed;
    change.change = std::move(about);
    change.units = units;
    out.push_back(std::move(change));
}

void CompareTroopTypesOf(std::vector<SnapshotChange>& out, const Army& before, const Army& now) {
    const NationRecord& was = before.nation();
    const NationRecord& is = now.nation();
    for (const TroopTypeRecord* type = was.NextTroopType(nullptr); type; type = was.NextTroopType(type)) {
        const ListChange about = About(ListChange::Subject::TroopType, *type, &is);
        const TroopTypeRecord* today = is.FindTroopType(type->code());
        if (today == nullptr) {
            AddRemoved(out, about, UnitsUsing(before, *type));
            continue;
        }
        std::vector<FieldChange> fields = CompareTroopTypes(*type, *today);
        // The bounds the army gets follow, computed; the raw numbers would say it twice.
        std::erase_if(fields, [](const FieldChange& f) {
            return std::string_view(f.field) == "minCount" || std::string_view(f.field) == "maxCount";
        });
        AddFieldChanges(out, About(ListChange::Subject::TroopType, *today, &is), fields);
        SnapshotChange bounds;
        bounds.kind = SnapshotChange::Kind::Bounds;
        bounds.change = About(ListChange::Subject::TroopType, *today, &is);
        bounds.before = BoundsOf(before, *type);
        bounds.now = BoundsOf(now, *today);
        if (!(bounds.before == bounds.now))
            out.push_back(std::move(bounds));
    }
    for (const TroopTypeRecord* type = is.NextListedTroopType(nullptr); type;
         type = is.NextListedTroopType(type)) {
        if (was.FindTroopType(type->code()) != nullptr || now.MinimumRequired(*type) <= 0)
            continue;
        SnapshotChange required;
        required.kind = SnapshotChange::Kind::NowRequired;
        required.change = About(ListChange::Subject::TroopType, *type, &is);
        required.now = BoundsOf(now, *type);
        out.push_back(std::move(required));
    }
}

template <class Record, class Compare, class Count>
void CompareOptions(std::vector<SnapshotChange>& out, ListChange::Subject subject,
                    const std::vector<const Record*>& was, const std::vector<const Record*>& is,
                    Compare compare, Count count) {
    for (const Record* record : was) {
        const auto found =
            std::find_if(is.begin(), is.end(), [&](const Record* r) { return r->code() == record->code(); });
        if (found == is.end())
            AddRemoved(out, About(subject, *record, nullptr), count(record->code()));
        else
            AddFieldChanges(out, About(subject, **found, nullptr), compare(*record, **found));
    }
}

template <class Record, class Next> std::vector<const Record*> FirstOfEachCode(Next next) {
    std::vector<const Record*> records;
    for (const Record* r = next(static_cast<const Record*>(nullptr)); r; r = next(r))
        if (FirstWithCode<Record>(next, r->code()) == r)
            records.push_back(r);
    return records;
}

} // namespace

std::uint64_t ArmyFileHash(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

std::string SnapshotFileName(std::string_view armyFileBytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    const std::uint64_t hash = ArmyFileHash(armyFileBytes);
    std::string name(kHashDigits, '0');
    for (std::size_t i = 0; i < kHashDigits; ++i)
        name[i] = kHex[(hash >> (4 * (kHashDigits - 1 - i))) & 0xF];
    return name + std::string(kSnapshotExtension);
}

bool SnapshotText(const Army& army, std::string& text, std::string& error) {
    const NationRecord& nation = army.nation();
    const ArmyCatalogue& catalogue = *nation.catalogue;
    const UsedRecords used = RecordsUsedBy(army);

    ArmyListWriter writer(false);
    writer.Comment("What the army lists said about an army when Ovra saved it; the descriptions are left "
                   "out.\n");
    // The categories the records refer to: a troop type's own, and every bit
    // of the masks of the items and of the types that may carry them.
    std::int32_t troopBits = 0;
    std::int32_t itemBits = 0;
    std::set<std::int32_t> troopCategories;
    for (const TroopTypeRecord* t : used.troopTypes) {
        troopCategories.insert(t->category);
        itemBits |= t->itemCategoryMask;
    }
    for (const MagicItemRecord* item : used.magicItems) {
        troopBits |= item->troopCategoryMask;
        itemBits |= item->itemCategory;
    }
    for (const TroopCategory* c = catalogue.NextTroopCategory(nullptr); c; c = catalogue.NextTroopCategory(c))
        if (troopCategories.count(static_cast<std::int32_t>(c->key)) != 0 ||
            (static_cast<std::int32_t>(c->key) & troopBits) != 0)
            writer.Write(*c);
    for (const MagicItemCategory* c = catalogue.NextMagicItemCategory(nullptr); c;
         c = catalogue.NextMagicItemCategory(c))
        if ((static_cast<std::int32_t>(c->key) & itemBits) != 0)
            writer.Write(*c);
    for (const MagicItemRecord* item : InLoadOrder(used.magicItems))
        writer.Write(*item);
    for (const SiegeEngineRecord* engine : InLoadOrder(used.siegeEngines))
        writer.Write(*engine);
    writer.Write(nation, InLoadOrder(used.troopTypes));
    if (!writer.ok()) {
        error = "The army lists cannot be kept for this army: " + writer.error() + ".";
        return false;
    }
    text = writer.text();
    return true;
}

SnapshotWriteResult WriteSnapshot(const std::filesystem::path& folder, std::string_view armyFileBytes,
                                  const Army& army, std::uintmax_t folderLimit) {
    SnapshotWriteResult result;
    result.path = folder / SnapshotFileName(armyFileBytes);
    std::string text;
    if (!SnapshotText(army, text, result.error))
        return result;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::string error;
    if (ec || !WriteFileAtomically(result.path, text, error)) {
        result.error = "The army lists cannot be kept in \"" + folder.string() +
                       "\": " + (ec ? ec.message() : error) + ".";
        return result;
    }
    PruneSnapshots(folder, folderLimit, result.path);
    return result;
}

std::optional<std::filesystem::path> FindSnapshot(const std::filesystem::path& folder,
                                                  std::string_view armyFileBytes) {
    const std::filesystem::path path = folder / SnapshotFileName(armyFileBytes);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    return path;
}

bool CompareWithSnapshot(std::string_view snapshotText, std::string_view armyFileBytes,
                         const ArmyCatalogue& today, SnapshotComparison& comparison, std::string& error) {
    comparison = {};
    ArmyFileHeader header;
    if (!ReadArmyFileHeader(armyFileBytes, header)) {
        error = "The army file is too short to name its nation.";
        return false;
    }
    ArmyCatalogue then;
    ArmyListReader reader;
    reader.OpenBytes(snapshotText.data(), snapshotText.size());
    then.LoadArmyListText(reader);
    const NationRecord* was = then.FindNation(header.nationId);
    if (was == nullptr) {
        error = "The snapshot does not hold the army's nation.";
        return false;
    }
    ArmyFileLoad loadedBefore = ReadArmyFile(armyFileBytes, then, {});
    if (!loadedBefore.army) {
        error = "The army file cannot be read against the snapshot.";
        return false;
    }
    const Army& before = *loadedBefore.army;
    comparison.totalBefore = before.TotalPoints();

    const NationRecord* is = today.FindNation(header.nationId);
    if (is == nullptr) {
        AddRemoved(comparison.changes, About(ListChange::Subject::Nation, *was, was), before.UnitCount());
        return true;
    }
    ArmyFileLoad loadedNow = ReadArmyFile(armyFileBytes, today, {});
    if (!loadedNow.army) {
        error = "The army file cannot be read against today's army lists.";
        return false;
    }
    const Army& now = *loadedNow.army;
    comparison.totalNow = now.TotalPoints();

    AddFieldChanges(comparison.changes, About(ListChange::Subject::Nation, *is, is),
                    CompareNations(*was, *is));
    CompareTroopTypesOf(comparison.changes, before, now);
    const auto items = [](const ArmyCatalogue& c) {
        return FirstOfEachCode<MagicItemRecord>([&](const MagicItemRecord* p) { return c.NextMagicItem(p); });
    };
    const auto engines = [](const ArmyCatalogue& c) {
        return FirstOfEachCode<SiegeEngineRecord>(
            [&](const SiegeEngineRecord* p) { return c.NextSiegeEngine(p); });
    };
    CompareOptions(comparison.changes, ListChange::Subject::MagicItem, items(then), items(today),
                   CompareMagicItems, [&](Code code) { return before.CountCarrying(code); });
    CompareOptions(comparison.changes, ListChange::Subject::SiegeEngine, engines(then), engines(today),
                   CompareSiegeEngines, [&](Code code) { return before.CountWithEngine(code); });
    return true;
}

bool CompareWithSnapshotFile(const std::filesystem::path& snapshot, std::string_view armyFileBytes,
                             const ArmyCatalogue& today, SnapshotComparison& comparison, std::string& error) {
    std::string text;
    if (!ReadFileBytes(snapshot, text, error))
        return false;
    return CompareWithSnapshot(text, armyFileBytes, today, comparison, error);
}

std::string SnapshotChangeLine(const SnapshotChange& change) {
    switch (change.kind) {
    case SnapshotChange::Kind::Changed:
        return ListChangeLine(change.change);
    case SnapshotChange::Kind::Removed: {
        std::string line = ListChangeLine(change.change);
        if (change.units == 1)
            line += ", with 1 unit of the army";
        else if (change.units > 1)
            line += ", with " + std::to_string(change.units) + " units of the army";
        return line;
    }
    case SnapshotChange::Kind::Bounds:
    case SnapshotChange::Kind::NowRequired:
        break;
    }
    const std::string line = ListChangeHead(change.change);
    if (change.kind == SnapshotChange::Kind::NowRequired)
        return line + ": now required: " + BoundsText(change.now);
    return line + ": bounds " + BoundsText(change.before) + " -> " + BoundsText(change.now);
}

std::vector<std::string> SnapshotLines(const SnapshotComparison& comparison) {
    std::vector<std::string> lines;
    if (!comparison.Changed())
        return lines;
    for (const SnapshotChange& change : comparison.changes)
        lines.push_back(SnapshotChangeLine(change));
    lines.push_back("points total: " + std::to_string(comparison.totalBefore) + " -> " +
                    std::to_string(comparison.totalNow));
    return lines;
}

} // namespace ovra
