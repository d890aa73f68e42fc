#include "DiffCommands.h"

#include "ArmyCatalogue.h"
#include "ArmyDiff.h"
#include "HeadlessDocument.h"
#include "Json.h"
#include "ListDiff.h"

#include <algorithm>
#include <ostream>

namespace ovra {
namespace {

int UsageError(std::ostream& err, const std::string& message) {
    err << "ovra: " << message << "\n\n" << UsageText();
    return 2;
}

// The arguments of a diff command: two files, and which of `flags` were given.
struct DiffArguments {
    std::vector<std::string> files;
    std::vector<std::string> flags;
    bool Has(const std::string& flag) const {
        return std::find(flags.begin(), flags.end(), flag) != flags.end();
    }
};

bool SplitDiffArguments(const std::vector<std::string>& args, const std::vector<std::string>& known,
                        DiffArguments& split, std::ostream& err) {
    bool filesOnly = false; // after "--"
    for (const std::string& arg : args) {
        if (filesOnly) {
            split.files.push_back(arg);
        } else if (arg == "--") {
            filesOnly = true;
        } else if (std::find(known.begin(), known.end(), arg) != known.end()) {
            split.flags.push_back(arg);
        } else if (arg.size() > 1 && arg[0] == '-') {
            UsageError(err, "unknown option '" + arg + "'");
            return false;
        } else {
            split.files.push_back(arg);
        }
    }
    return true;
}

const char* SubjectName(ListChange::Subject subject) {
    switch (subject) {
    case ListChange::Subject::Nation:
        return "nation";
    case ListChange::Subject::TroopType:
        return "troop-type";
    case ListChange::Subject::MagicItem:
        return "magic-item";
    case ListChange::Subject::SiegeEngine:
        return "siege-engine";
    }
    return "";
}

const char* KindName(ListChange::Kind kind) {
    switch (kind) {
    case ListChange::Kind::Added:
        return "added";
    case ListChange::Kind::Removed:
        return "removed";
    case ListChange::Kind::Changed:
        return "changed";
    }
    return "";
}

void WriteValue(JsonWriter& json, const ListValue& value) {
    switch (value.type) {
    case ListValue::Type::Number:
        json.Int(value.number);
        break;
    case ListValue::Type::Text:
        json.String(value.text);
        break;
    case ListValue::Type::Flag:
        json.Bool(value.flag);
        break;
    }
}

template <class Record> void WriteOption(JsonWriter& json, const char* key, const Record* option) {
    json.Key(key);
    if (option == nullptr) {
        json.Null();
        return;
    }
    json.BeginObject();
    json.Key("code"), json.String(CodeText(option->code()));
    json.Key("name"), json.String(option->name);
    json.EndObject();
}

void WriteUnit(JsonWriter& json, const char* key, const std::optional<UnitSide>& unit) {
    json.Key(key);
    if (!unit) {
        json.Null();
        return;
    }
    json.BeginObject();
    json.Key("position"), json.Int(unit->position);
    json.Key("name"), json.String(unit->name);
    WriteOption(json, "mount", unit->mount);
    WriteOption(json, "magicItem", unit->magicItem);
    WriteOption(json, "siegeEngine", unit->siegeEngine);
    json.Key("runners"), json.Bool(unit->runners);
    json.Key("points"), json.Int(unit->points);
    json.EndObject();
}

void WriteSummary(JsonWriter& json, const char* key, const ArmySummary& army) {
    json.Key(key);
    json.BeginObject();
    json.Key("nationId"), json.Int(army.nation->id());
    json.Key("nation"), json.String(army.nation->name);
    json.Key("pointsLimit"), json.Int(army.pointsLimit);
    json.Key("total"), json.Int(army.total);
    json.Key("breakpoint"), json.Int(army.breakPoint);
    json.EndObject();
}

const char* UnitStatus(const UnitComparison& unit) {
    if (!unit.b)
        return "only-a";
    if (!unit.a)
        return "only-b";
    return unit.Differs() ? "changed" : "same";
}

} // namespace

std::string ArmyDiffJson(const ArmyDiff& diff) {
    std::string text;
    JsonWriter json(text);
    json.BeginObject();
    json.Key("equal"), json.Bool(diff.Equal());
    WriteSummary(json, "a", diff.a);
    WriteSummary(json, "b", diff.b);
    json.Key("totalDifference"), json.Int(ClampToInt32(std::int64_t(diff.b.total) - diff.a.total));
    json.Key("breakpointDifference"), json.Int(diff.b.breakPoint - diff.a.breakPoint);
    json.Key("troopTypes");
    json.BeginArray();
    for (const TroopTypeComparison& type : diff.troopTypes) {
        json.BeginObject();
        json.Key("code"), json.String(CodeText(type.code));
        json.Key("name"), json.String(type.name());
        json.Key("differs"), json.Bool(type.Differs());
        json.Key("countA"), json.Int(type.countA);
        json.Key("countB"), json.Int(type.countB);
        json.Key("pointsA"), json.Int(type.pointsA);
        json.Key("pointsB"), json.Int(type.pointsB);
        json.Key("units");
        json.BeginArray();
        for (const UnitComparison& unit : type.units) {
            json.BeginObject();
            json.Key("status"), json.String(UnitStatus(unit));
            json.Key("differences");
            json.BeginArray();
            const std::pair<bool, const char*> fields[] = {
                {unit.name, "name"},           {unit.mount, "mount"},
                {unit.magicItem, "magicItem"}, {unit.siegeEngine, "siegeEngine"},
                {unit.runners, "runners"},     {unit.points, "points"}};
            for (const auto& [differs, field] : fields)
                if (differs)
                    json.String(field);
            json.EndArray();
            WriteUnit(json, "a", unit.a);
            WriteUnit(json, "b", unit.b);
            json.EndObject();
        }
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    text += '\n';
    return text;
}

std::string ListChangesJson(const std::vector<ListChange>& changes) {
    std::string text;
    JsonWriter json(text);
    json.BeginArray();
    for (const ListChange& change : changes) {
        const bool nation = change.subject == ListChange::Subject::Nation;
        const bool ofNation = nation || change.subject == ListChange::Subject::TroopType;
        const bool changed = change.kind == ListChange::Kind::Changed;
        json.BeginObject();
        json.Key("subject"), json.String(SubjectName(change.subject));
        json.Key("change"), json.String(KindName(change.kind));
        json.Key("nationId");
        ofNation ? json.Int(change.nationId) : json.Null();
        json.Key("nation");
        ofNation ? json.String(change.nationName) : json.Null();
        json.Key("code");
        nation ? json.Null() : json.String(CodeText(change.code));
        json.Key("name"), json.String(change.name);
        json.Key("field");
        changed ? json.String(change.field.field) : json.Null();
        json.Key("before");
        changed ? WriteValue(json, change.field.before) : json.Null();
        json.Key("now");
        changed ? WriteValue(json, change.field.now) : json.Null();
        json.Key("line"), json.String(ListChangeLine(change));
        json.EndObject();
    }
    json.EndArray();
    text += '\n';
    return text;
}

int RunDiffLists(const CommandLine& commandLine, std::ostream& out, std::ostream& err) {
    DiffArguments args;
    if (!SplitDiffArguments(commandLine.arguments, {"--json"}, args, err))
        return 2;
    if (args.files.size() != 2)
        return UsageError(err, "diff-lists needs two army-list files or folders");
    // Each side is what its files say: the built-in lists would be the same
    // on both sides, and would hide an item or engine a file redefines.
    ArmyCatalogue before, now;
    for (const auto& [path, catalogue] : {std::pair{&args.files[0], &before}, {&args.files[1], &now}}) {
        std::string error;
        if (!LoadArmyListsFrom(*path, *catalogue, error)) {
            err << "ovra: cannot read the army lists '" << *path << "': " << error << "\n";
            return 2;
        }
    }
    const std::vector<ListChange> changes = DiffArmyLists(before, now);
    if (args.Has("--json")) {
        out << ListChangesJson(changes);
    } else {
        for (const ListChange& change : changes)
            out << ListChangeLine(change) << "\n";
    }
    return changes.empty() ? 0 : 1;
}

int RunDiffArmies(const CommandLine& commandLine, const ArmyCatalogue& catalogue, std::ostream& out,
                  std::ostream& err) {
    DiffArguments args;
    if (!SplitDiffArguments(commandLine.arguments, {"--json", kAllowIncompleteOption}, args, err))
        return 2;
    if (args.files.size() != 2)
        return UsageError(err, "diff needs two army files");
    const bool allowIncomplete = args.Has(kAllowIncompleteOption);
    HeadlessDocument a(catalogue, err), b(catalogue, err);
    if (!a.Open(args.files[0], allowIncomplete) || !b.Open(args.files[1], allowIncomplete))
        return 2;
    const ArmyDiff diff = CompareArmies(a.doc.army(), b.doc.army());
    if (args.Has("--json")) {
        out << ArmyDiffJson(diff);
    } else {
        for (const std::string& line : ArmyDiffLines(diff))
            out << line << "\n";
    }
    return diff.Equal() ? 0 : 1;
}

} // namespace ovra
