#include "RosterImport.h"

#include "Army.h"
#include "ArmyCatalogue.h"
#include "ArmyCode.h"
#include "ArmyDocument.h"
#include "ArmyFile.h"
#include "ImportText.h"
#include "RosterLines.h"
#include "Windows1252.h"

#include <algorithm>
#include <limits>
#include <map>
#include <memory>
#include <unordered_map>
#include <unordered_set>

namespace ovra {
namespace {

using namespace pasted;

constexpr std::size_t kShownLineBytes = 200;
constexpr std::int64_t kMostPerLine = kMaxEntriesAddedPerType;
// The notes a roster carries are read up to this much text.
constexpr std::size_t kMostNoteText = std::size_t{4} * 1024 * 1024;
constexpr std::size_t kMostSuggestions = 3;
// A line names its nation, or is a heading, within its first so many bytes.
constexpr std::size_t kMostKeyed = 1024;

// What a line called something, in quotes, cut short when long.
std::string Quoted(std::string_view written) {
    constexpr std::size_t kShown = 60;
    return "\"" + std::string(written.substr(0, kShown)) + (written.size() > kShown ? "...\"" : "\"");
}

// ---------------------------------------------------------------- names

// A name's key as written, then in the other number: players write
// "Chariot" for "Chariots" and "Archer" for "Archers".
std::vector<std::string> NumberVariants(const std::string& key) {
    std::vector<std::string> variants = {key, key + "s", key + "es"};
    if (EndsWith(key, "es"))
        variants.push_back(key.substr(0, key.size() - 2));
    if (EndsWith(key, "s"))
        variants.push_back(key.substr(0, key.size() - 1));
    return variants;
}

// The first value of a map under the key or another number of it.
template <class Map>
const typename Map::mapped_type* FindEitherNumber(const Map& map, const std::string& key) {
    for (const std::string& variant : NumberVariants(key))
        if (const auto it = map.find(variant); it != map.end())
            return &it->second;
    return nullptr;
}

// What a unit line may name after its troop type.
struct Option {
    enum class Kind { Mount, Item, Engine, Runners } kind = Kind::Item;
    const TroopTypeRecord* mount = nullptr;
    const MagicItemRecord* item = nullptr;
    const SiegeEngineRecord* engine = nullptr;
};

template <class Record> using ByKey = std::unordered_map<std::string, std::vector<const Record*>>;

// The names of one nation, by key.
class NationNames {
public:
    NationNames(const NationRecord& nation, const ArmyCatalogue& catalogue) : nation_(nation) {
        for (const TroopTypeRecord* type = nation.NextTroopType(nullptr); type != nullptr;
             type = nation.NextTroopType(type)) {
            if (type->troopKind == kTroopMount)
                mounts_[NameKey(type->name)].push_back(type);
            else if (type->troopKind != kTroopSpecial)
                types_[NameKey(type->name)].push_back(type);
        }
        for (const MagicItemRecord* item = catalogue.NextMagicItem(nullptr); item != nullptr;
             item = catalogue.NextMagicItem(item))
            items_[NameKey(item->name)].push_back(item);
        for (const SiegeEngineRecord* engine = catalogue.NextSiegeEngine(nullptr); engine != nullptr;
             engine = catalogue.NextSiegeEngine(engine))
            engines_[NameKey(engine->name)].push_back(engine);
        runners_ = nation.FindTroopType(kRunners);
    }

    const NationRecord& nation() const { return nation_; }

    // The listed troop types of that name, in list order; the name may be
    // written in the other number.
    const std::vector<const TroopTypeRecord*>* Types(const std::string& key) const {
        return FindEitherNumber(types_, key);
    }

    // The mount of that name, one the unit's type may ride first.
    const TroopTypeRecord* Mount(const std::string& key, const TroopTypeRecord* rider) const {
        const auto it = mounts_.find(key);
        if (it == mounts_.end())
            return nullptr;
        for (const TroopTypeRecord* mount : it->second)
            if (rider != nullptr && rider->MountWalkIncludes(*mount))
                return mount;
        return it->second.front();
    }

    const MagicItemRecord* Item(const std::string& key, const TroopTypeRecord* carrier) const {
        const auto it = items_.find(key);
        if (it == items_.end())
            return nullptr;
        for (const MagicItemRecord* item : it->second)
            if (carrier != nullptr && (carrier->category & item->troopCategoryMask) != 0 &&
                (item->itemCategory & carrier->itemCategoryMask) != 0)
                return item;
        return it->second.front();
    }

    const SiegeEngineRecord* Engine(const std::string& key) const {
        const auto it = engines_.find(key);
        return it == engines_.end() ? nullptr : it->second.front();
    }

    // An option of that name for a unit of the type (or of a type not known
    // yet): mounts first, then items, engines and runners.
    std::optional<Option> FindOption(const std::string& key, const TroopTypeRecord* type) const {
        Option option;
        if ((option.mount = Mount(key, type)) != nullptr) {
            option.kind = Option::Kind::Mount;
        } else if ((option.item = Item(key, type)) != nullptr) {
            option.kind = Option::Kind::Item;
        } else if ((option.engine = Engine(key)) != nullptr) {
            option.kind = Option::Kind::Engine;
        } else if (key == "runners" || key == "runner" ||
                   (runners_ != nullptr && key == NameKey(runners_->name))) {
            option.kind = Option::Kind::Runners;
        } else {
            return std::nullopt;
        }
        return option;
    }

    // Every listed troop type's name, in list order.
    std::vector<std::string> TypeNames() const {
        std::vector<std::string> names;
        for (const TroopTypeRecord* type = nation_.NextListedTroopType(nullptr); type != nullptr;
             type = nation_.NextListedTroopType(type))
            names.push_back(type->name);
        return names;
    }

    // Every mount, item and engine name.
    std::vector<std::string> OptionNames() const {
        std::vector<std::string> names;
        for (const TroopTypeRecord* type = nation_.NextTroopType(nullptr); type != nullptr;
             type = nation_.NextTroopType(type))
            if (type->troopKind == kTroopMount)
                names.push_back(type->name);
        const ArmyCatalogue& catalogue = *nation_.catalogue;
        for (const MagicItemRecord* item = catalogue.NextMagicItem(nullptr); item != nullptr;
             item = catalogue.NextMagicItem(item))
            names.push_back(item->name);
        for (const SiegeEngineRecord* engine = catalogue.NextSiegeEngine(nullptr); engine != nullptr;
             engine = catalogue.NextSiegeEngine(engine))
            names.push_back(engine->name);
        if (runners_ != nullptr)
            names.push_back(runners_->name);
        return names;
    }

private:
    const NationRecord& nation_;
    ByKey<TroopTypeRecord> types_;
    ByKey<TroopTypeRecord> mounts_;
    ByKey<MagicItemRecord> items_;
    ByKey<SiegeEngineRecord> engines_;
    const TroopTypeRecord* runners_ = nullptr;
};

// The closest of the names to what was written, closest first.
std::vector<std::string> Closest(std::string_view written, const std::vector<std::string>& names) {
    constexpr std::size_t kCompared = 64;
    const std::string key = NameKey(written).substr(0, kCompared);
    if (key.empty())
        return {};
    std::vector<std::pair<std::size_t, std::size_t>> found; // distance, index
    std::unordered_set<std::string> seen;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string name = NameKey(names[i]).substr(0, kCompared);
        if (name.empty() || !seen.insert(name).second)
            continue;
        const std::size_t limit = std::max<std::size_t>(2, std::max(key.size(), name.size()) / 3);
        std::size_t distance = EditDistance(key, name, limit);
        // A name written in part ("Leg" for "Legionaries") or within more
        // words ("Nubian Archers") is close too.
        const std::size_t shorter = std::min(key.size(), name.size());
        if (shorter >= 3 && (StartsWith(name, key) || HoldsWords(key, name)))
            distance = std::min(distance, std::size_t{1});
        if (distance <= limit)
            found.emplace_back(distance, i);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> closest;
    for (std::size_t i = 0; i < found.size() && i < kMostSuggestions; ++i)
        closest.push_back(Windows1252ToUtf8(names[found[i].second]));
    return closest;
}

// A unit's magic item and siege engine as the roster names them: "Item",
// "Engine" or "Item, Engine".
bool ReadOptionsCell(std::string_view cell, const NationNames& names, const MagicItemRecord*& item,
                     const SiegeEngineRecord*& engine) {
    item = nullptr;
    engine = nullptr;
    cell = Trim(cell);
    if (cell.empty())
        return true;
    const std::string key = NameKey(cell);
    if ((item = names.Item(key, nullptr)) != nullptr || (engine = names.Engine(key)) != nullptr)
        return true;
    for (std::size_t comma = cell.find(", "); comma != std::string_view::npos;
         comma = cell.find(", ", comma + 1)) {
        item = names.Item(NameKey(cell.substr(0, comma)), nullptr);
        engine = names.Engine(NameKey(cell.substr(comma + 2)));
        if (item != nullptr && engine != nullptr)
            return true;
    }
    item = nullptr;
    engine = nullptr;
    return false;
}

// ---------------------------------------------------------------- drafts

// One line of the roster part of the text, read before the nation is known
// for sure, then resolved against it.
struct Draft {
    enum class Kind { Unit, Mount, Runners, Other } kind = Kind::Other;
    std::size_t line = 0;
    std::string_view pasted;
    std::string text; // Windows-1252, as read
    // A row of the program's own layout in this group (else a loose line).
    const Group* group = nullptr;
    // A row: its name, options, notes and points as written.
    std::string name;
    std::string options;
    std::string notes;
    std::optional<std::int64_t> points;
    bool optionsInName = false; // a plain row: "NAME (OPTIONS)"
    bool relaxed = false;       // a plain row that lost its indent and blanks on the way

    // Resolved.
    const TroopTypeRecord* type = nullptr;
    std::int64_t count = 1;
    bool renamed = false; // the row's name is the unit's own
    std::string mountKey; // a mount row
    std::vector<Option> chosen;
    bool resolved = false;
    bool owned = false;   // a row's mount or runners, with a unit row above
    bool chatter = false; // no unit, but a line a roster holds: a heading, the points limit...
};

// A line not understood, before its suggestions are looked for.
struct Problem {
    enum class Suggest { Nothing, TroopTypes, Options, Nations };
    std::size_t line = 0;
    std::string_view pasted;
    std::string reason; // Windows-1252
    std::string written;
    Suggest suggest = Suggest::Nothing;
};

class Importer {
public:
    Importer(std::string_view text, const ArmyCatalogue& catalogue, const ImportOptions& options)
        : text_(text), catalogue_(catalogue), options_(options) {}

    RosterImport Run();

private:
    void ReadLines();
    void ReadRosterLine(std::size_t number, std::string_view pasted, std::string text);
    bool ReadTitleLine(std::string_view text);
    void ReadInformationLine(std::string_view text);
    std::optional<Draft> ReadRow(std::string_view text);
    const NationRecord* ChooseNation();
    bool MentionsNation(const std::string& key, const NationRecord& nation);
    // The nations that list a troop type, by the type's key.
    const std::unordered_map<std::string, std::vector<const NationRecord*>>& NationsOf();
    std::string Elsewhere(const std::string& written);

    void ResolveLoose(Draft& draft);
    void ResolveRow(Draft& draft, bool inferring, std::size_t earliest, std::size_t latest);
    std::int64_t PointsOf(const TroopTypeRecord& type, const Draft& draft) const;
    bool NotesFit(const TroopTypeRecord& type, const Draft& draft) const;
    void Resolve();
    std::string Build();
    bool IsChatter(const Draft& draft, bool beforeUnits);
    void SplitOptions(Draft& draft) const;

    void Report(const Draft& draft, std::string reason, std::string written = {},
                Problem::Suggest suggest = Problem::Suggest::Nothing) {
        problems_.push_back({draft.line, draft.pasted, std::move(reason), std::move(written), suggest});
    }
    void Finish(RosterImport& result);

    std::string_view text_;
    const ArmyCatalogue& catalogue_;
    const ImportOptions& options_;

    bool markdown_ = false;
    const NationRecord* titleNation_ = nullptr;
    std::optional<std::int64_t> pointsLimit_;
    std::vector<std::unique_ptr<Group>> groups_;
    bool information_ = false; // past the roster's total: descriptions follow
    bool inNotes_ = false;
    std::map<std::string, std::string> notes_; // number -> text, as the roster carries them
    std::string* note_ = nullptr;
    std::size_t noteText_ = 0;
    std::vector<Draft> drafts_;
    std::vector<Problem> problems_;
    std::unique_ptr<NationNames> names_;
    std::unique_ptr<Army> scratch_;
    std::unordered_map<std::string, std::vector<const NationRecord*>> nationsOf_;
    // The keys of each nation's name and army name.
    std::unordered_map<const NationRecord*, std::pair<std::string, std::string>> nationKeys_;
};

bool Importer::ReadTitleLine(std::string_view text) {
    std::string line = Unescaped(text);
    std::string_view s = Trim(line);
    while (!s.empty() && s.front() == '#')
        s = Trim(s.substr(1));
    if (!EndsWith(s, " points"))
        return false;
    s.remove_suffix(7);
    const std::size_t comma = s.rfind(", ");
    std::int64_t limit = 0;
    if (comma == std::string_view::npos || !ParseNumber(s.substr(comma + 2), limit))
        return false;
    s = s.substr(0, comma);
    // "TITLE - NATION": the nation's name after the first " - " that leaves one.
    for (std::size_t dash = s.find("- "); dash != std::string_view::npos; dash = s.find("- ", dash + 1)) {
        if (dash > 0 && s[dash - 1] != ' ')
            continue;
        const std::string key = NameKey(s.substr(dash + 2));
        for (const NationRecord* nation = catalogue_.NextNation(nullptr); nation != nullptr;
             nation = catalogue_.NextNation(nation)) {
            if (NameKey(nation->name) == key) {
                titleNation_ = nation;
                pointsLimit_ = limit;
                markdown_ = StartsWith(Trim(text), "#");
                return true;
            }
        }
    }
    return false;
}

void Importer::ReadInformationLine(std::string_view text) {
    std::string_view trimmed = Trim(text);
    if (trimmed == "Notes" || trimmed == "## Notes") {
        inNotes_ = true;
        return;
    }
    if (!inNotes_)
        return;
    if (markdown_ && EndsWith(trimmed, "\\"))
        trimmed.remove_suffix(1); // a hard line break
    // A note starts "1 - "; its further lines are indented (plain) or
    // paragraphs of their own (Markdown) until the next heading.
    const std::size_t dash = trimmed.find(" - ");
    const bool starts = dash != std::string_view::npos && AllDigits(trimmed.substr(0, dash)) &&
                        (markdown_ || (!text.empty() && !IsBlank(text.front())));
    if (starts) {
        note_ = &notes_[std::string(trimmed.substr(0, dash))];
        *note_ = Unescaped(trimmed.substr(dash + 3));
    } else if (StartsWith(trimmed, "#") || (!markdown_ && !text.empty() && !IsBlank(text.front()))) {
        inNotes_ = false;
        note_ = nullptr;
    } else if (note_ != nullptr && noteText_ < kMostNoteText) {
        *note_ += ' ';
        *note_ += Unescaped(trimmed);
        noteText_ += trimmed.size();
    }
}

// A row of the program's own layout within a group.
std::optional<Draft> Importer::ReadRow(std::string_view text) {
    const Group* group = groups_.empty() ? nullptr : groups_.back().get();
    if (group == nullptr)
        return std::nullopt;
    Draft draft;
    draft.group = group;
    std::string name;
    // A mount or runners row: "mount: NAME", without points; a unit's own
    // name may start so too.
    bool attached = false;
    if (group->markdown) {
        if (text.empty() || text.front() != '|')
            return std::nullopt;
        std::vector<std::string> cells = TableCells(text);
        if (cells.size() != (group->notesColumn ? 4u : 3u))
            return std::nullopt;
        name = cells[0];
        draft.options = cells[1];
        if (group->notesColumn)
            draft.notes = cells[2];
        std::int64_t points = 0;
        if (ParseNumber(cells.back(), points))
            draft.points = points;
        attached = cells.back().empty();
    } else {
        // A forum may have taken the indent and the blanks between the columns.
        const std::string_view trimmed = Trim(text);
        const bool unit = StartsWith(text, "  ") && text.size() > 2 && !IsBlank(text[2]);
        const bool row = StartsWith(text, "    mount: ") || StartsWith(text, "    runners: ");
        draft.relaxed = !unit && !row;
        std::string_view label = trimmed;
        // The points stand apart, two blanks or more after the label.
        const std::size_t blank = label.find_last_of(' ');
        std::int64_t points = 0;
        if (!row && blank != std::string_view::npos && blank > 0 &&
            (draft.relaxed || label[blank - 1] == ' ') && ParseNumber(label.substr(blank + 1), points)) {
            draft.points = points;
            label = Trim(label.substr(0, blank));
        }
        attached = row || (draft.relaxed && !draft.points);
        if (!attached && !draft.points && draft.relaxed)
            return std::nullopt;
        if (EndsWith(label, "]")) {
            const std::size_t open = label.rfind(" [");
            const std::string_view inside =
                open == std::string_view::npos ? "" : label.substr(open + 2, label.size() - open - 3);
            if (!inside.empty() && inside.find_first_not_of("0123456789,") == std::string_view::npos) {
                draft.notes = inside;
                label = label.substr(0, open);
            }
        }
        // Options in brackets follow the name; which brackets, the names tell.
        name = label;
        draft.optionsInName = !attached;
    }
    draft.kind = Draft::Kind::Unit;
    if (attached && StartsWith(name, "mount: ")) {
        draft.kind = Draft::Kind::Mount;
        name.erase(0, 7);
    } else if (attached && StartsWith(name, "runners: ")) {
        draft.kind = Draft::Kind::Runners;
        name.erase(0, 9);
    } else if (draft.relaxed && !draft.points) {
        return std::nullopt;
    }
    draft.name = std::move(name);
    return draft;
}

void Importer::ReadRosterLine(std::size_t number, std::string_view pasted, std::string text) {
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty() || IsTableRule(text))
        return;
    if (groups_.empty() && titleNation_ == nullptr && ReadTitleLine(text))
        return;
    if (std::optional<Group> group = ReadGroupHead(text)) {
        if (group->markdown)
            markdown_ = true;
        groups_.push_back(std::make_unique<Group>(*group));
        return;
    }
    if (const auto limit = ReadTotalLine(text)) {
        if (!pointsLimit_)
            pointsLimit_ = limit;
        // The program's own roster: what follows the total describes the army.
        information_ = !groups_.empty() || titleNation_ != nullptr;
        return;
    }
    std::optional<Draft> draft = ReadRow(text);
    if (!draft) {
        draft.emplace();
        draft->kind = Draft::Kind::Other;
    }
    draft->line = number;
    draft->pasted = pasted;
    draft->text = std::move(text);
    drafts_.push_back(std::move(*draft));
}

void Importer::ReadLines() {
    std::size_t number = 0;
    for (std::size_t from = 0; from < text_.size();) {
        const std::size_t end = std::min(text_.find('\n', from), text_.size());
        std::string_view pasted = text_.substr(from, end - from);
        from = end + 1;
        ++number;
        if (!pasted.empty() && pasted.back() == '\r')
            pasted.remove_suffix(1);
        if (number > kMostRosterLines) {
            if (information_)
                return;
            Draft beyond;
            beyond.line = number;
            beyond.pasted = pasted;
            Report(beyond, "the text goes on beyond " + std::to_string(kMostRosterLines) +
                               " lines; the rest was not read");
            return;
        }
        if (pasted.size() > kLongestRosterLine) {
            if (!information_) {
                Draft longLine;
                longLine.line = number;
                longLine.pasted = pasted;
                Report(longLine, "too long for a line of a roster");
            }
            continue;
        }
        std::string text = Utf8ToWindows1252(pasted);
        if (information_)
            ReadInformationLine(text);
        else
            ReadRosterLine(number, pasted, std::move(text));
    }
}

bool Importer::MentionsNation(const std::string& key, const NationRecord& nation) {
    auto [names, added] = nationKeys_.try_emplace(&nation);
    if (added)
        names->second = {NameKey(nation.name), NameKey(nation.armyName)};
    return HoldsWords(key, names->second.first) || HoldsWords(key, names->second.second);
}

const std::unordered_map<std::string, std::vector<const NationRecord*>>& Importer::NationsOf() {
    if (!nationsOf_.empty())
        return nationsOf_;
    for (const NationRecord* nation = catalogue_.NextNation(nullptr); nation != nullptr;
         nation = catalogue_.NextNation(nation)) {
        for (const TroopTypeRecord* type = nation->NextListedTroopType(nullptr); type != nullptr;
             type = nation->NextListedTroopType(type)) {
            auto& holders = nationsOf_[NameKey(type->name)];
            if (holders.empty() || holders.back() != nation)
                holders.push_back(nation);
        }
    }
    return nationsOf_;
}

// "; Imperial Rome and Republican Rome have one" when other nations list a
// troop type of that name.
std::string Importer::Elsewhere(const std::string& written) {
    const auto* holders = FindEitherNumber(NationsOf(), NameKey(written));
    if (holders == nullptr)
        return {};
    std::string names;
    for (std::size_t i = 0; i < holders->size() && i < 3; ++i)
        names += (i == 0 ? "" : i + 1 == holders->size() ? " and " : ", ") + (*holders)[i]->name;
    return "; " + names + (holders->size() == 1 ? " has one" : " have one");
}

const NationRecord* Importer::ChooseNation() {
    if (options_.nationId)
        return catalogue_.FindNation(*options_.nationId);
    if (titleNation_ != nullptr)
        return titleNation_;
    // The nation whose troop types the lines name best; a name that many
    // nations share counts for less.
    std::vector<const NationRecord*> nations;
    for (const NationRecord* nation = catalogue_.NextNation(nullptr); nation != nullptr;
         nation = catalogue_.NextNation(nation))
        nations.push_back(nation);
    std::unordered_map<const NationRecord*, double> score;
    std::unordered_set<const NationRecord*> mentioned;
    for (const Draft& draft : drafts_) {
        std::unordered_set<const NationRecord*> named;
        if (draft.group != nullptr && draft.kind == Draft::Kind::Unit) {
            if (const auto* holders = FindEitherNumber(NationsOf(), NameKey(draft.name)))
                named.insert(holders->begin(), holders->end());
        }
        const std::vector<Token> tokens = Tokens(Unmarked(draft.text));
        std::int64_t count = 0;
        const std::size_t start = NameStart(tokens, count);
        LongestName(tokens, start, [&](const std::string& key) {
            if (const auto* holders = FindEitherNumber(NationsOf(), key))
                named.insert(holders->begin(), holders->end());
            return false; // every length counts
        });
        for (const NationRecord* nation : named)
            score[nation] += 1.0 / static_cast<double>(named.size());
        if (named.empty()) {
            const std::string key = NameKey(std::string_view(draft.text).substr(0, kMostKeyed));
            for (const NationRecord* nation : nations)
                if (MentionsNation(key, *nation))
                    mentioned.insert(nation);
        }
    }
    const NationRecord* best = nullptr;
    for (const NationRecord* nation : nations) {
        const auto better = [&](const NationRecord* a, const NationRecord* b) {
            if (b == nullptr)
                return score[a] > 0 || mentioned.count(a) != 0;
            if (score[a] != score[b])
                return score[a] > score[b];
            return mentioned.count(a) != 0 && mentioned.count(b) == 0;
        };
        if (better(nation, best))
            best = nation;
    }
    return best;
}

// A loose line: "[count] TROOP TYPE [options] [count] [points]".
void Importer::ResolveLoose(Draft& draft) {
    const std::vector<Token> tokens = Tokens(Unmarked(draft.text));
    const NationNames& names = *names_;
    std::size_t start = NameStart(tokens, draft.count);
    // "mount: Chariot" and "runners: Chariot Runners" belong to the unit above;
    // a row with points is a unit, whatever its name.
    if (draft.group == nullptr && start + 1 < tokens.size() &&
        tokens[start + 1].kind == Token::Kind::Separator && tokens[start + 1].separator == ':') {
        const std::string word = NameKey(tokens[start].text);
        if (word == "mount" || word == "runners") {
            draft.kind = word == "mount" ? Draft::Kind::Mount : Draft::Kind::Runners;
            std::size_t end = start + 2;
            while (end < tokens.size() && IsNameToken(tokens[end]))
                ++end;
            draft.mountKey = NameKey(Joined(tokens, start + 2, end));
            draft.resolved = true;
            return;
        }
    }
    const std::size_t length =
        LongestName(tokens, start, [&](const std::string& key) { return names.Types(key) != nullptr; });
    if (length == 0)
        return;
    draft.type = names.Types(NameKey(Joined(tokens, start, start + length)))->front();
    draft.kind = Draft::Kind::Unit;
    draft.resolved = true;
    const Rest rest = ReadRest(tokens, start + length);
    if (rest.count)
        draft.count = *rest.count;
    std::string unknown;
    // Options are a few words; a line that goes on and on is looked at so far only.
    constexpr std::size_t kMostOptionWords = 64;
    std::size_t looked = 0;
    for (const std::vector<Token>& phrase : rest.phrases) {
        for (std::size_t at = 0; at < phrase.size(); ++looked) {
            if (looked == kMostOptionWords) {
                unknown += " ...";
                break;
            }
            const std::size_t found = LongestName(phrase, at, [&](const std::string& key) {
                return names.FindOption(key, draft.type).has_value();
            });
            if (found > 0) {
                draft.chosen.push_back(
                    *names.FindOption(NameKey(Joined(phrase, at, at + found)), draft.type));
                at += found;
            } else if (IsConnector(phrase[at])) {
                ++at;
            } else {
                unknown += (unknown.empty() ? "" : " ") + phrase[at++].text;
            }
        }
    }
    if (!unknown.empty())
        Report(draft,
               draft.type->name + ": no mount, magic item or siege engine is called " + Quoted(unknown),
               unknown, Problem::Suggest::Options);
}

std::int64_t Importer::PointsOf(const TroopTypeRecord& type, const Draft& draft) const {
    UnitEntry* entry = scratch_->AddUnit(type.code());
    if (entry == nullptr)
        return std::numeric_limits<std::int64_t>::min();
    for (const Option& option : draft.chosen) {
        if (option.kind == Option::Kind::Mount)
            scratch_->SetMount(*entry, names_->Mount(NameKey(option.mount->name), &type));
        else if (option.kind == Option::Kind::Item)
            scratch_->SetMagicItem(*entry, option.item);
        else if (option.kind == Option::Kind::Engine)
            scratch_->SetSiegeEngine(*entry, option.engine);
        else
            scratch_->SetSkirmishers(*entry, true);
    }
    const std::int64_t points = entry->Points();
    scratch_->RemoveUnit(entry);
    return points;
}

void Importer::SplitOptions(Draft& draft) const {
    // The last brackets that name options; a name may hold brackets too.
    const std::string label = draft.name;
    for (std::size_t open = label.rfind(" ("); EndsWith(label, ")") && open != std::string::npos;
         open = open == 0 ? std::string::npos : label.rfind(" (", open - 1)) {
        const MagicItemRecord* item = nullptr;
        const SiegeEngineRecord* engine = nullptr;
        const std::string inside = label.substr(open + 2, label.size() - open - 3);
        if (ReadOptionsCell(inside, *names_, item, engine)) {
            draft.options = inside;
            draft.name = label.substr(0, open);
            return;
        }
    }
}

bool Importer::NotesFit(const TroopTypeRecord& type, const Draft& draft) const {
    std::vector<std::string> written;
    for (std::size_t from = 0; from < draft.notes.size();) {
        const std::size_t comma = std::min(draft.notes.find(',', from), draft.notes.size());
        const auto note = notes_.find(draft.notes.substr(from, comma - from));
        if (note == notes_.end())
            return true; // the roster does not say
        written.push_back(NameKey(note->second));
        from = comma + 1;
    }
    InfoTextList texts;
    type.CollectInfoTexts(texts);
    std::vector<std::string> own;
    for (const std::string& text : texts)
        own.push_back(NameKey(text));
    std::sort(written.begin(), written.end());
    std::sort(own.begin(), own.end());
    return written == own;
}

// A row of the program's own roster: a unit of the troop type of that name,
// or a renamed unit, whose troop type is the one of its group, between the
// types of the rows around it, that costs its points and carries its notes.
void Importer::ResolveRow(Draft& draft, bool inferring, std::size_t earliest, std::size_t latest) {
    const NationRecord& nation = names_->nation();
    const bool runners = std::any_of(draft.chosen.begin(), draft.chosen.end(),
                                     [](const Option& o) { return o.kind == Option::Kind::Runners; });
    std::vector<const TroopTypeRecord*> candidates;
    const std::string key = NameKey(draft.name);
    for (const TroopTypeRecord* type = nation.NextListedTroopType(nullptr); type != nullptr;
         type = nation.NextListedTroopType(type)) {
        if (draft.group->Holds(*type) && (!runners || type->troopKind == kTroopSkirmisherUnit) &&
            (inferring || NameKey(type->name) == key))
            candidates.push_back(type);
    }
    // Each test narrows the candidates unless none would be left.
    const auto narrow = [&](auto&& keep) {
        std::vector<const TroopTypeRecord*> kept;
        std::copy_if(candidates.begin(), candidates.end(), std::back_inserter(kept), keep);
        if (!kept.empty())
            candidates = std::move(kept);
    };
    if (inferring)
        narrow([&](const TroopTypeRecord* t) { return t->ordinal >= earliest && t->ordinal <= latest; });
    if (draft.points)
        narrow([&](const TroopTypeRecord* t) { return PointsOf(*t, draft) == *draft.points; });
    if (!draft.notes.empty() || !notes_.empty())
        narrow([&](const TroopTypeRecord* t) { return NotesFit(*t, draft); });
    if (candidates.empty())
        return;
    draft.type = candidates.front();
    draft.resolved = true;
    draft.renamed = draft.name != draft.type->name;
    if (inferring && candidates.size() > 1) {
        std::string others;
        for (std::size_t i = 1; i < candidates.size() && i < 4; ++i)
            others += (i > 1 ? ", " : "") + candidates[i]->name;
        Report(draft, "a renamed unit taken for " + draft.type->name + "; it could also be " + others);
    }
}

void Importer::Resolve() {
    scratch_ = std::make_unique<Army>(names_->nation(), 0, false);
    // The options of each row, then the rows named as their troop types,
    // then the renamed rows between them.
    Draft* unit = nullptr;
    for (Draft& draft : drafts_) {
        if (draft.group == nullptr || draft.kind == Draft::Kind::Other) {
            unit = nullptr;
            continue;
        }
        if (draft.kind == Draft::Kind::Unit) {
            unit = &draft;
            if (draft.optionsInName)
                SplitOptions(draft);
            const MagicItemRecord* item = nullptr;
            const SiegeEngineRecord* engine = nullptr;
            if (!ReadOptionsCell(draft.options, *names_, item, engine))
                Report(draft, "no magic item or siege engine is called " + Quoted(draft.options),
                       draft.options, Problem::Suggest::Options);
            if (item != nullptr)
                draft.chosen.push_back({Option::Kind::Item, nullptr, item, nullptr});
            if (engine != nullptr)
                draft.chosen.push_back({Option::Kind::Engine, nullptr, nullptr, engine});
        } else if (unit != nullptr) {
            draft.owned = true;
            Option option;
            option.kind = draft.kind == Draft::Kind::Mount ? Option::Kind::Mount : Option::Kind::Runners;
            option.mount = names_->Mount(NameKey(draft.name), nullptr);
            if (option.kind == Option::Kind::Runners || option.mount != nullptr)
                unit->chosen.push_back(option);
        }
    }
    for (Draft& draft : drafts_)
        if (draft.group != nullptr && draft.kind == Draft::Kind::Unit)
            ResolveRow(draft, false, 0, 0);
    // The rows that name no troop type lie between the types of the rows around them.
    std::vector<std::size_t> latest(drafts_.size(), std::numeric_limits<std::size_t>::max());
    for (std::size_t i = drafts_.size(), next = std::numeric_limits<std::size_t>::max(); i-- > 0;) {
        latest[i] = next;
        if (drafts_[i].resolved && drafts_[i].type != nullptr)
            next = drafts_[i].type->ordinal;
    }
    std::size_t earliest = 0;
    bool anyUnit = false;
    for (std::size_t i = 0; i < drafts_.size(); ++i) {
        Draft& draft = drafts_[i];
        // A row that lost its layout may be a forum line too; one that kept it is a renamed unit first.
        if (draft.relaxed && !draft.resolved && draft.kind == Draft::Kind::Unit)
            ResolveLoose(draft);
        if (!draft.resolved && draft.group != nullptr && draft.kind == Draft::Kind::Unit) {
            draft.count = 1;
            ResolveRow(draft, true, earliest, latest[i]);
        }
        if (draft.kind == Draft::Kind::Other || (!draft.resolved && draft.kind == Draft::Kind::Unit))
            ResolveLoose(draft);
        if (draft.resolved && draft.type != nullptr)
            earliest = draft.type->ordinal;
        if (draft.group != nullptr && draft.kind != Draft::Kind::Unit)
            draft.resolved = true;
        if (!draft.resolved && draft.group == nullptr)
            draft.chatter = IsChatter(draft, !anyUnit);
        anyUnit = anyUnit || (draft.resolved && draft.kind == Draft::Kind::Unit);
    }
}

// A line that is no unit but one a roster holds: a heading, the nation, the
// points limit (taken when it comes before the units), the total, decoration.
bool Importer::IsChatter(const Draft& draft, bool beforeUnits) {
    const std::string unmarked = Unmarked(draft.text);
    const std::string key = NameKey(std::string_view(unmarked).substr(0, kMostKeyed));
    if (std::none_of(key.begin(), key.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
        return true;
    // Headings, and the heads of tables a forum rendered: "Character Options Notes Pts".
    static const std::unordered_set<std::string> headings = {"character", "characters", "unit",  "units",
                                                             "options",   "notes",      "pts",   "points",
                                                             "army",      "list",       "roster"};
    bool heading = true;
    for (std::size_t from = 0; heading && from < key.size();) {
        const std::size_t end = std::min(key.find(' ', from), key.size());
        heading = headings.count(key.substr(from, end - from)) != 0;
        from = end + 1;
    }
    if (heading || EndsWith(Trim(unmarked), ":") || StartsWith(key, "total"))
        return true;
    // Before the units, a line with a number of points gives the limit,
    // unless it names something like a troop type.
    const std::vector<Token> tokens = Tokens(unmarked);
    std::int64_t value = 0;
    for (std::size_t i = 0; beforeUnits && i < tokens.size(); ++i) {
        if (!PointsAt(tokens, i, value))
            continue;
        const std::string written = WrittenName(draft.text);
        if (!Elsewhere(written).empty() || !Closest(written, names_->TypeNames()).empty())
            break;
        if (!pointsLimit_)
            pointsLimit_ = value;
        return true;
    }
    return MentionsNation(key, names_->nation());
}

std::string Importer::Build() {
    const NationRecord& nation = names_->nation();
    const std::int64_t limit =
        std::clamp<std::int64_t>(pointsLimit_.value_or(kDefaultPointsLimit), 0, kMostPointsLimit);
    Army army(nation, static_cast<std::int32_t>(limit), false);
    std::vector<UnitEntry*> last; // the units of the last unit line
    std::size_t units = 0;
    const auto apply = [&](UnitEntry& entry, const Option& option) {
        switch (option.kind) {
        case Option::Kind::Mount:
            army.SetMount(entry, names_->Mount(NameKey(option.mount->name), &entry.troopType()));
            break;
        case Option::Kind::Item:
            army.SetMagicItem(entry, names_->Item(NameKey(option.item->name), &entry.troopType()));
            break;
        case Option::Kind::Engine:
            army.SetSiegeEngine(entry, option.engine);
            break;
        case Option::Kind::Runners:
            if (entry.AsSkirmisher() == nullptr)
                return false;
            army.SetSkirmishers(entry, true);
            break;
        }
        return true;
    };
    for (Draft& draft : drafts_) {
        if (!draft.resolved) {
            if (!draft.chatter) {
                const std::string written = draft.group != nullptr ? draft.name : WrittenName(draft.text);
                Report(draft, "no troop type of " + nation.name + " is called so" + Elsewhere(written),
                       written, Problem::Suggest::TroopTypes);
            }
            continue;
        }
        if (draft.kind == Draft::Kind::Unit) {
            last.clear();
            if (draft.count > kMostPerLine) {
                Report(draft, "more than " + std::to_string(kMostPerLine) + " units on one line");
                continue;
            }
            if (units + static_cast<std::size_t>(draft.count) > kMostImportedUnits) {
                Report(draft, "the army holds " + std::to_string(units) + " units; an import makes at most " +
                                  std::to_string(kMostImportedUnits));
                continue;
            }
            bool refused = false;
            for (std::int64_t i = 0; i < draft.count; ++i) {
                UnitEntry* entry = army.AddUnit(draft.type->code());
                if (draft.renamed)
                    army.SetName(*entry, draft.name);
                for (const Option& option : draft.chosen)
                    refused = !apply(*entry, option) || refused;
                last.push_back(entry);
            }
            if (refused)
                Report(draft, draft.type->name + " takes no runners");
            units += static_cast<std::size_t>(draft.count);
        } else if (draft.group == nullptr &&
                   (draft.kind == Draft::Kind::Mount || draft.kind == Draft::Kind::Runners)) {
            // A loose "mount:" or "runners:" line.
            const char* what = draft.kind == Draft::Kind::Mount ? "a mount" : "runners";
            if (last.empty()) {
                Report(draft, std::string(what) + " without a unit on the line before");
                continue;
            }
            for (UnitEntry* entry : last) {
                if (draft.kind == Draft::Kind::Runners) {
                    if (entry->AsSkirmisher() == nullptr) {
                        Report(draft, entry->troopType().name + " takes no runners");
                        break;
                    }
                    army.SetSkirmishers(*entry, true);
                } else if (const TroopTypeRecord* mount =
                               names_->Mount(draft.mountKey, &entry->troopType())) {
                    army.SetMount(*entry, mount);
                } else {
                    Report(draft, "no mount of " + nation.name + " is called so", draft.text,
                           Problem::Suggest::Options);
                    break;
                }
            }
        } else if (!draft.owned) {
            Report(draft, "a mount or runners without a unit on the line before");
        } else if (draft.kind == Draft::Kind::Mount &&
                   names_->Mount(NameKey(draft.name), nullptr) == nullptr) {
            Report(draft, "no mount of " + nation.name + " is called " + Quoted(draft.name), draft.name,
                   Problem::Suggest::Options);
        }
    }
    return WriteArmyFile(army);
}

void Importer::Finish(RosterImport& result) {
    std::stable_sort(problems_.begin(), problems_.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
    std::vector<std::string> typeNames;
    std::vector<std::string> optionNames;
    std::vector<std::string> nationNames;
    if (names_ != nullptr) {
        typeNames = names_->TypeNames();
        optionNames = names_->OptionNames();
    }
    for (const NationRecord* nation = catalogue_.NextNation(nullptr); nation != nullptr;
         nation = catalogue_.NextNation(nation))
        nationNames.push_back(nation->name);
    for (const Problem& problem : problems_) {
        if (result.lines.size() >= kMostReportedLines) {
            ++result.moreLines;
            continue;
        }
        ImportLine& line = result.lines.emplace_back();
        line.line = problem.line;
        line.text = WellFormedUtf8(problem.pasted, kShownLineBytes);
        line.reason = Windows1252ToUtf8(problem.reason);
        switch (problem.suggest) {
        case Problem::Suggest::TroopTypes:
            line.suggestions = Closest(problem.written, typeNames);
            break;
        case Problem::Suggest::Options:
            line.suggestions = Closest(problem.written, optionNames);
            break;
        case Problem::Suggest::Nations:
            line.suggestions = Closest(problem.written, nationNames);
            break;
        case Problem::Suggest::Nothing:
            break;
        }
    }
}

RosterImport Importer::Run() {
    RosterImport result;
    if (text_.size() > kLargestImportText) {
        result.error = "The text is longer than " + std::to_string(kLargestImportText) +
                       " bytes, more than a roster can be";
        return result;
    }
    ArmyCodeRead code = FindArmyCode(text_);
    if (code.status == ArmyCodeRead::Status::Refused) {
        result.error = std::move(code.error);
        return result;
    }
    if (code.status == ArmyCodeRead::Status::Read) {
        result.source = RosterImport::Source::ArmyCode;
        result.armyFile = std::move(code.armyFile);
        return result;
    }
    ReadLines();
    const NationRecord* nation = ChooseNation();
    if (nation == nullptr) {
        result.error = options_.nationId
                           ? "No army list defines the nation " + std::to_string(*options_.nationId)
                           : std::string("No troop type of any army list is named in the text");
        return result;
    }
    if (names_ == nullptr || &names_->nation() != nation)
        names_ = std::make_unique<NationNames>(*nation, catalogue_);
    Resolve();
    result.armyFile = Build();
    const bool any = std::any_of(drafts_.begin(), drafts_.end(),
                                 [](const Draft& d) { return d.resolved && d.kind == Draft::Kind::Unit; });
    if (!any && titleNation_ == nullptr && groups_.empty()) {
        result.armyFile.clear();
        result.error = "No line of the text names a troop type of " + Windows1252ToUtf8(nation->name);
        return result;
    }
    result.source = RosterImport::Source::RosterText;
    result.nation = nation;
    Finish(result);
    return result;
}

} // namespace

RosterImport ImportRoster(std::string_view text, const ArmyCatalogue& catalogue,
                          const ImportOptions& options) {
    return Importer(text, catalogue, options).Run();
}

} // namespace ovra
