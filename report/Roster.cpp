#include "Roster.h"

#include "ArmyCatalogue.h"
#include "ArmyDocument.h"

#include <algorithm>
#include <unordered_map>

namespace ovra {

// ---------------------------------------------------------------- rows

const RowCells& ColumnTitles() {
    static const RowCells titles{"Type", "Atks", "Hits", "Save", "Cmd", "Size", "Pts", " "};
    return titles;
}

std::int32_t RosterRow::Indent() const {
    switch (kind_) {
    case RosterRowKind::Heading:
        return 0;
    case RosterRowKind::Unit:
        return 2;
    case RosterRowKind::Mount:
    case RosterRowKind::Runners:
        break;
    }
    return 3;
}

UnitId RosterRow::unit() const {
    return entry_ != nullptr ? entry_->id() : 0;
}

const std::string& RosterRow::name() const {
    return kind_ == RosterRowKind::Unit ? entry_->name() : profile_->name;
}

std::string RosterRow::Options() const {
    std::string options;
    if (kind_ != RosterRowKind::Unit)
        return options;
    const MagicItemRecord* item = entry_->magicItem();
    const bool hasItem = item != nullptr && item->code() != kNoMagicItem;
    if (hasItem)
        options = item->name;
    const SiegeEngineRecord* engine = entry_->siegeEngine();
    if (engine != nullptr && engine->code() != kNoSiegeEngine) {
        if (hasItem)
            options += ", ";
        options += engine->name;
    }
    return options;
}

std::string RosterRow::Points() const {
    return kind_ == RosterRowKind::Unit ? std::to_string(entry_->Points()) : std::string();
}

RowCells RosterRow::Cells() const {
    RowCells cells = profile_->cells;
    if (kind_ == RosterRowKind::Heading)
        return cells;
    if (kind_ == RosterRowKind::Unit)
        cells[6] = Points();
    else if (kind_ == RosterRowKind::Runners)
        cells[3] = std::to_string(entry_->troopType().armourSave);
    std::string options = Options();
    const std::string& notes = profile_->notes;
    if (options.empty())
        cells[7] = notes;
    else if (notes.empty())
        cells[7] = std::move(options);
    else
        cells[7] = options + "," + notes;
    return cells;
}

namespace {

// The numbered notes of one roster: distinct texts, numbered from 1 in the
// order they were first met. Numbers never change once given.
class NoteTable {
public:
    // The numbers of the texts, sorted as texts (so "10" before "2") and
    // joined with ","; a text listed twice gives its number twice. New texts
    // are numbered first.
    std::string NoteReferences(const InfoTextList& texts);
    // The texts in number order.
    const std::vector<std::string>& texts() const { return texts_; }

private:
    std::string NoteNumber(const std::string& text);

    std::vector<std::string> texts_;
    std::unordered_map<std::string, std::int32_t> numbers_;
};

std::string NoteTable::NoteNumber(const std::string& text) {
    const auto [it, added] = numbers_.try_emplace(text, static_cast<std::int32_t>(texts_.size()) + 1);
    if (added)
        texts_.push_back(text);
    return std::to_string(it->second);
}

std::string NoteTable::NoteReferences(const InfoTextList& texts) {
    std::vector<std::string> numbers;
    numbers.reserve(texts.size());
    for (const std::string& text : texts) {
        std::string number = NoteNumber(text);
        // Sorted as texts, not as numbers: the roster has always printed "10,2".
        numbers.insert(std::lower_bound(numbers.begin(), numbers.end(), number), std::move(number));
    }
    std::string joined;
    for (const std::string& number : numbers) {
        if (!joined.empty())
            joined += ',';
        joined += number;
    }
    return joined;
}

class Composer {
public:
    Composer(const Army& army, Roster& roster)
        : army_(army), catalogue_(*army.nation().catalogue), roster_(roster) {}

    void Rows();
    void Totals();
    void Warnings();
    void Information();

private:
    // The profile all rows of the type share.
    const RosterProfile& Profile(const TroopTypeRecord& type);
    const RosterProfile& Heading(Code troopKind);
    const RosterProfile& Keep(std::unique_ptr<RosterProfile> profile);
    void AddEntry(const UnitEntry& entry);

    const Army& army_;
    const ArmyCatalogue& catalogue_;
    Roster& roster_;
    NoteTable notes_;
    std::unordered_map<const TroopTypeRecord*, const RosterProfile*> types_;
    std::unordered_map<Code, const RosterProfile*> headings_;
    InfoTextList texts_;
};

const RosterProfile& Composer::Keep(std::unique_ptr<RosterProfile> profile) {
    return *roster_.profiles.emplace_back(std::move(profile));
}

const RosterProfile& Composer::Profile(const TroopTypeRecord& type) {
    const auto [it, added] = types_.try_emplace(&type, nullptr);
    if (!added)
        return *it->second;
    auto profile = std::make_unique<RosterProfile>();
    profile->troopKind = type.troopKind;
    profile->name = type.name;
    RowCells& cells = profile->cells;
    // A category bit that names no category leaves the Type cell empty.
    if (const TroopCategory* category = catalogue_.FindTroopCategory(type.category))
        cells[0] = category->abbreviation;
    cells[1] = std::to_string(type.attacks);
    if (!type.shots.empty())
        cells[1] += "/" + type.shots;
    cells[2] = std::to_string(type.hits);
    cells[3] = std::to_string(type.armourSave);
    cells[4] = std::to_string(type.command);
    cells[5] = std::to_string(type.size);
    // The first row of a type numbers its notes; later rows get the same
    // numbers. A roster without notes points at none.
    if (roster_.info != InfoChoice::None) {
        type.CollectInfoTexts(texts_);
        profile->notes = notes_.NoteReferences(texts_);
    }
    profile->overMaximum = RosterOverMaximum(army_, type);
    it->second = &Keep(std::move(profile));
    return *it->second;
}

const RosterProfile& Composer::Heading(Code troopKind) {
    const auto [it, added] = headings_.try_emplace(troopKind, nullptr);
    if (!added)
        return *it->second;
    auto profile = std::make_unique<RosterProfile>();
    profile->troopKind = troopKind;
    if (troopKind == kTroopCharacter)
        profile->name = "Character";
    else if (troopKind == kTroopUnit || troopKind == kTroopSkirmisherUnit)
        profile->name = "Unit";
    profile->cells = ColumnTitles();
    it->second = &Keep(std::move(profile));
    return *it->second;
}

void Composer::AddEntry(const UnitEntry& entry) {
    const TroopTypeRecord& type = entry.troopType();
    roster_.rows.emplace_back(RosterRowKind::Unit, Profile(type), &entry);
    if (entry.mount() != nullptr && entry.mount()->code() != kNoMount)
        roster_.rows.emplace_back(RosterRowKind::Mount, Profile(*entry.mount()), &entry);
    if (type.troopKind == kTroopSkirmisherUnit && entry.skirmishers()) {
        // A nation without runners writes no runners row.
        if (const TroopTypeRecord* runners = type.nation->FindTroopType(kRunners))
            roster_.rows.emplace_back(RosterRowKind::Runners, Profile(*runners), &entry);
    }
}

void Composer::Rows() {
    // The entries grouped by troop type in one pass, each group in army order.
    const NationRecord& nation = army_.nation();
    std::vector<std::vector<const UnitEntry*>> byType(nation.troopTypes.size());
    std::size_t rows = byType.size(); // at most one heading per type
    for (std::int32_t i = 0; i < army_.UnitCount(); ++i) {
        const UnitEntry* entry = army_.UnitAt(i);
        const TroopTypeRecord& type = entry->troopType();
        if (type.ordinal < byType.size() && nation.troopTypes[type.ordinal].get() == &type) {
            byType[type.ordinal].push_back(entry);
            rows += 1 + (entry->mount() != nullptr) + entry->skirmishers();
        }
    }
    roster_.rows.reserve(rows);
    std::optional<Code> lastKind;
    for (const TroopTypeRecord* type = nation.NextListedTroopType(nullptr); type != nullptr;
         type = nation.NextListedTroopType(type)) {
        const std::vector<const UnitEntry*>& entries = byType[type->ordinal];
        if (entries.empty())
            continue;
        // Kinds compare as codes: "unSk" between two "unit" types makes three groups.
        if (lastKind != type->troopKind)
            roster_.rows.emplace_back(RosterRowKind::Heading, Heading(type->troopKind), nullptr);
        for (const UnitEntry* entry : entries)
            AddEntry(*entry);
        lastKind = type->troopKind;
    }
}

void Composer::Totals() {
    roster_.totals = {army_.TotalPoints(), army_.pointsLimit(), army_.BreakPoint(), OverPointsLimit(army_)};
}

void Composer::Warnings() {
    const NationRecord& nation = army_.nation();
    for (const TroopTypeRecord* type = nation.NextListedTroopType(nullptr); type != nullptr;
         type = nation.NextListedTroopType(type)) {
        if (RosterBelowMinimum(army_, *type))
            roster_.belowMinimum.push_back(type->name);
    }
    for (const Breach& breach : CheckArmy(army_)) {
        std::string name;
        if (breach.troopType != nullptr)
            name = breach.troopType->name;
        else if (breach.magicItem != nullptr)
            name = breach.magicItem->name;
        roster_.breaches.push_back({breach.kind, std::move(name),
                                    breach.mount != nullptr ? breach.mount->name : "", breach.count,
                                    breach.bound});
    }
}

void Composer::Information() {
    std::vector<InfoParagraph>& out = roster_.information;
    const InfoChoice info = roster_.info;
    if (info == InfoChoice::Complete) {
        const NationRecord& nation = army_.nation();
        out.push_back({InfoParagraph::Kind::Nation, false, nation.name, nation.info});
    }
    // The rows have numbered every note; None has none but keeps the items
    // and engines in use.
    if (info != InfoChoice::None) {
        const std::vector<std::string>& notes = notes_.texts();
        for (std::size_t n = 0; n < notes.size(); ++n)
            out.push_back({InfoParagraph::Kind::Note, false, std::to_string(n + 1) + " - ", notes[n]});
    }
    for (const MagicItemRecord* item = catalogue_.NextMagicItem(nullptr); item != nullptr;
         item = catalogue_.NextMagicItem(item)) {
        if (item->code() != kNoMagicItem && army_.CountCarrying(item->code()) > 0)
            out.push_back(
                {InfoParagraph::Kind::MagicItem, CarriedMoreThanOnce(army_, *item), item->name, item->info});
    }
    for (const SiegeEngineRecord* engine = catalogue_.NextSiegeEngine(nullptr); engine != nullptr;
         engine = catalogue_.NextSiegeEngine(engine)) {
        if (engine->code() != kNoSiegeEngine && army_.CountWithEngine(engine->code()) > 0)
            out.push_back({InfoParagraph::Kind::SiegeEngine, false, engine->name, engine->info});
    }
}

} // namespace

Roster ComposeRoster(const Army& army, const std::string& title, InfoChoice info) {
    Roster roster;
    roster.title = title;
    roster.nationName = army.nation().name;
    roster.info = info;
    Composer composer(army, roster);
    composer.Rows();
    composer.Totals();
    composer.Warnings();
    composer.Information();
    return roster;
}

Roster ComposeRoster(const ArmyDocument& document, InfoChoice info) {
    return ComposeRoster(document.army(), document.ArmyTitle(), info);
}

} // namespace ovra
