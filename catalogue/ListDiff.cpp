#include "ListDiff.h"

#include "ArmyCatalogue.h"
#include "ArmyListReader.h"
#include "FileRead.h"

#include <algorithm>
#include <map>
#include <set>
#include <system_error>
#include <utility>

namespace ovra {
namespace {

// Collects the fields that differ, in the order they are offered.
class FieldComparer {
public:
    void Compare(const char* field, const char* label, ListValue before, ListValue now) {
        if (!(before == now))
            changes_.push_back({field, label, std::move(before), std::move(now)});
    }
    void Number(const char* field, const char* label, std::int32_t before, std::int32_t now) {
        Compare(field, label, ListValue::Of(before), ListValue::Of(now));
    }
    void Text(const char* field, const char* label, const std::string& before, const std::string& now) {
        Compare(field, label, ListValue::Of(before), ListValue::Of(now));
    }
    std::vector<FieldChange> Take() { return std::move(changes_); }

private:
    std::vector<FieldChange> changes_;
};

// A record's key among records of the same kind: its code and which
// occurrence of that code it is, so that a code given twice still pairs up.
using Key = std::pair<std::uint32_t, int>;

template <class Record> std::vector<Key> KeysOf(const std::vector<const Record*>& records) {
    std::map<std::uint32_t, int> seen;
    std::vector<Key> keys;
    keys.reserve(records.size());
    for (const Record* r : records)
        keys.emplace_back(r->key, seen[r->key]++);
    return keys;
}

// Walks two lists in the order of the new one, a removed record where it
// stood in the old one, before what was added in its place: `removed(old)`,
// `added(new)`, `both(old, new)`.
template <class Record, class Removed, class Added, class Both>
void Merge(const std::vector<const Record*>& before, const std::vector<const Record*>& now, Removed removed,
           Added added, Both both) {
    const std::vector<Key> beforeKeys = KeysOf(before), nowKeys = KeysOf(now);
    std::map<Key, std::size_t> beforeAt;
    for (std::size_t i = 0; i < beforeKeys.size(); ++i)
        beforeAt.emplace(beforeKeys[i], i);
    std::set<Key> kept(nowKeys.begin(), nowKeys.end());
    // For each new record, where the next one the old list holds too stood in it.
    std::vector<std::size_t> nextKept(now.size() + 1, before.size());
    for (std::size_t j = now.size(); j-- > 0;) {
        const auto at = beforeAt.find(nowKeys[j]);
        nextKept[j] = at != beforeAt.end() ? at->second : nextKept[j + 1];
    }
    std::size_t next = 0; // the first old record not yet passed
    const auto passTo = [&](std::size_t end) {
        for (; next < end; ++next)
            if (kept.count(beforeKeys[next]) == 0)
                removed(*before[next]);
    };
    for (std::size_t j = 0; j < now.size(); ++j) {
        passTo(nextKept[j]);
        const auto at = beforeAt.find(nowKeys[j]);
        if (at == beforeAt.end()) {
            added(*now[j]);
            continue;
        }
        next = std::max(next, at->second + 1);
        both(*before[at->second], *now[j]);
    }
    passTo(before.size());
}

// Nations in the order their texts define them; a nation replaced by a later
// text keeps the place of its first definition.
std::vector<const NationRecord*> NationsInFileOrder(const ArmyCatalogue& catalogue) {
    std::vector<const NationRecord*> nations;
    std::set<std::int32_t> seen;
    for (const ArmyListSource& source : catalogue.sources())
        for (const ArmyListSource::Nation& n : source.nations)
            if (seen.insert(n.id).second)
                if (const NationRecord* nation = catalogue.FindNation(n.id))
                    nations.push_back(nation);
    return nations;
}

std::vector<const TroopTypeRecord*> TroopTypesOf(const NationRecord& nation) {
    std::vector<const TroopTypeRecord*> types;
    for (const TroopTypeRecord* t = nation.NextTroopType(nullptr); t; t = nation.NextTroopType(t))
        types.push_back(t);
    return types;
}

template <class Record, class Next> std::vector<const Record*> Walk(Next next) {
    std::vector<const Record*> records;
    for (const Record* r = next(static_cast<const Record*>(nullptr)); r; r = next(r))
        records.push_back(r);
    return records;
}

ListChange NationChange(ListChange::Kind kind, const NationRecord& nation) {
    ListChange change;
    change.subject = ListChange::Subject::Nation;
    change.kind = kind;
    change.nationId = nation.id();
    change.nationName = nation.name;
    change.name = nation.name;
    return change;
}

ListChange RecordChange(ListChange::Subject subject, ListChange::Kind kind, const CatalogueEntry& record,
                        const NationRecord* nation) {
    ListChange change;
    change.subject = subject;
    change.kind = kind;
    if (nation != nullptr) {
        change.nationId = nation->id();
        change.nationName = nation->name;
    }
    change.code = record.key;
    change.name = record.name;
    return change;
}

// Every field change of a record as one ListChange each.
void AddFieldChanges(std::vector<ListChange>& out, const ListChange& about, std::vector<FieldChange> fields) {
    for (FieldChange& field : fields) {
        ListChange change = about;
        change.field = std::move(field);
        out.push_back(std::move(change));
    }
}

// Items and engines are not a nation's: they are compared once, by code.
template <class Record, class Compare>
void DiffCodedRecords(std::vector<ListChange>& out, ListChange::Subject subject,
                      const std::vector<const Record*>& before, const std::vector<const Record*>& now,
                      Compare compare) {
    using Kind = ListChange::Kind;
    Merge(
        before, now,
        [&](const Record& r) { out.push_back(RecordChange(subject, Kind::Removed, r, nullptr)); },
        [&](const Record& r) { out.push_back(RecordChange(subject, Kind::Added, r, nullptr)); },
        [&](const Record& b, const Record& n) {
            AddFieldChanges(out, RecordChange(subject, Kind::Changed, n, nullptr), compare(b, n));
        });
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

const char* SubjectWord(ListChange::Subject subject) {
    switch (subject) {
    case ListChange::Subject::Nation:
        return "nation";
    case ListChange::Subject::TroopType:
        return "troop type";
    case ListChange::Subject::MagicItem:
        return "magic item";
    case ListChange::Subject::SiegeEngine:
        return "siege engine";
    }
    return "";
}

} // namespace

std::vector<FieldChange> CompareNations(const NationRecord& before, const NationRecord& now) {
    FieldComparer c;
    c.Text("name", "name", before.name, now.name);
    c.Text("armyName", "army name", before.armyName, now.armyName);
    return c.Take();
}

std::vector<FieldChange> CompareTroopTypes(const TroopTypeRecord& before, const TroopTypeRecord& now) {
    FieldComparer c;
    c.Text("name", "name", before.name, now.name);
    c.Text("kind", "kind", CodeText(before.troopKind), CodeText(now.troopKind));
    c.Number("category", "category", before.category, now.category);
    c.Number("attacks", "attacks", before.attacks, now.attacks);
    c.Text("shots", "shots", before.shots, now.shots);
    c.Number("hits", "hits", before.hits, now.hits);
    c.Number("armourSave", "armour save", before.armourSave, now.armourSave);
    c.Number("command", "command", before.command, now.command);
    c.Number("size", "size", before.size, now.size);
    c.Number("points", "points", before.points, now.points);
    c.Number("minCount", "minimum", before.minCount, now.minCount);
    c.Number("maxCount", "maximum", before.maxCount, now.maxCount);
    c.Number("itemCategoryMask", "item categories", before.itemCategoryMask, now.itemCategoryMask);
    c.Compare("noBreak", "NOBREAK", ListValue::Flag(!before.countsForBreakpoint),
              ListValue::Flag(!now.countsForBreakpoint));
    c.Text("limit", "LIMIT", before.limit, now.limit);
    c.Text("ruleCodes", "rules", before.ruleCodes, now.ruleCodes);
    return c.Take();
}

std::vector<FieldChange> CompareMagicItems(const MagicItemRecord& before, const MagicItemRecord& now) {
    FieldComparer c;
    c.Text("name", "name", before.name, now.name);
    c.Number("itemCategory", "item category", before.itemCategory, now.itemCategory);
    c.Number("points", "points", before.points, now.points);
    c.Number("troopCategoryMask", "troop categories", before.troopCategoryMask, now.troopCategoryMask);
    return c.Take();
}

std::vector<FieldChange> CompareSiegeEngines(const SiegeEngineRecord& before, const SiegeEngineRecord& now) {
    FieldComparer c;
    c.Text("name", "name", before.name, now.name);
    c.Number("points", "points", before.points, now.points);
    return c.Take();
}

std::vector<ListChange> DiffArmyLists(const ArmyCatalogue& before, const ArmyCatalogue& now) {
    using Kind = ListChange::Kind;
    using Subject = ListChange::Subject;
    std::vector<ListChange> out;
    Merge(
        NationsInFileOrder(before), NationsInFileOrder(now),
        [&](const NationRecord& n) { out.push_back(NationChange(Kind::Removed, n)); },
        [&](const NationRecord& n) { out.push_back(NationChange(Kind::Added, n)); },
        [&](const NationRecord& b, const NationRecord& n) {
            AddFieldChanges(out, NationChange(Kind::Changed, n), CompareNations(b, n));
            Merge(
                TroopTypesOf(b), TroopTypesOf(n),
                [&](const TroopTypeRecord& t) {
                    out.push_back(RecordChange(Subject::TroopType, Kind::Removed, t, &n));
                },
                [&](const TroopTypeRecord& t) {
                    out.push_back(RecordChange(Subject::TroopType, Kind::Added, t, &n));
                },
                [&](const TroopTypeRecord& bt, const TroopTypeRecord& nt) {
                    AddFieldChanges(out, RecordChange(Subject::TroopType, Kind::Changed, nt, &n),
                                    CompareTroopTypes(bt, nt));
                });
        });
    DiffCodedRecords(out, Subject::MagicItem,
                     Walk<MagicItemRecord>([&](auto* p) { return before.NextMagicItem(p); }),
                     Walk<MagicItemRecord>([&](auto* p) { return now.NextMagicItem(p); }), CompareMagicItems);
    DiffCodedRecords(out, Subject::SiegeEngine,
                     Walk<SiegeEngineRecord>([&](auto* p) { return before.NextSiegeEngine(p); }),
                     Walk<SiegeEngineRecord>([&](auto* p) { return now.NextSiegeEngine(p); }),
                     CompareSiegeEngines);
    return out;
}

std::string ListValueText(const ListValue& value) {
    switch (value.type) {
    case ListValue::Type::Number:
        return std::to_string(value.number);
    case ListValue::Type::Text:
        return Quoted(value.text);
    case ListValue::Type::Flag:
        return value.flag ? "yes" : "no";
    }
    return "";
}

std::string ListChangeHead(const ListChange& change) {
    if (change.subject == ListChange::Subject::Nation)
        return "nation " + change.name + " (" + std::to_string(change.nationId) + ")";
    std::string head;
    if (change.subject == ListChange::Subject::TroopType)
        head = change.nationName + ": ";
    head += SubjectWord(change.subject);
    head += " " + change.name + " (" + CodeText(change.code) + ")";
    return head;
}

std::string ListChangeLine(const ListChange& change) {
    const std::string line = ListChangeHead(change);
    switch (change.kind) {
    case ListChange::Kind::Added:
        return line + " added";
    case ListChange::Kind::Removed:
        return line + " removed";
    case ListChange::Kind::Changed:
        break;
    }
    return line + ": " + change.field.label + " " + ListValueText(change.field.before) + " -> " +
           ListValueText(change.field.now);
}

bool LoadArmyListsFrom(const std::filesystem::path& fileOrFolder, ArmyCatalogue& catalogue,
                       std::string& error) {
    std::error_code ec;
    if (std::filesystem::is_directory(fileOrFolder, ec)) {
        catalogue.LoadDirectory(fileOrFolder);
        return true;
    }
    std::string bytes;
    if (!ReadFileBounded(fileOrFolder, kLargestReadableFile, bytes, error))
        return false;
    ArmyListReader reader;
    reader.OpenBytes(bytes.data(), bytes.size());
    catalogue.LoadArmyListText(reader);
    return true;
}

} // namespace ovra
