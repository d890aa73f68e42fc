#include "ReportWriter.h"

#include "ArmyCatalogue.h"
#include "ArmyChecker.h"
#include "ArmyDocument.h"

#include <algorithm>

namespace ovra {

// ---------------------------------------------------------------- NoteTable

std::string NoteTable::NoteNumber(const std::string& text) {
    const auto it = std::find(texts_.begin(), texts_.end(), text);
    if (it != texts_.end())
        return std::to_string(it - texts_.begin() + 1);
    texts_.push_back(text);
    return std::to_string(texts_.size());
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

const std::string& NoteTable::NoteAt(std::int32_t n) const {
    static const std::string empty;
    if (n < 1 || n > NoteCount())
        return empty;
    return texts_[static_cast<std::size_t>(n) - 1];
}

// ---------------------------------------------------------------- helpers

const RowCells& ColumnTitles() {
    static const RowCells titles{"Type", "Atks", "Hits", "Save", "Cmd", "Size", "Pts", " "};
    return titles;
}

// ---------------------------------------------------------------- ReportWriter

ReportWriter::ReportWriter(const ArmyDocument& document) : document_(&document) {}

ReportWriter::~ReportWriter() = default;

const Army& ReportWriter::army() const {
    return document_->army();
}

std::int32_t ReportWriter::WriteBelowMinimum(PrintSurface*, const std::string&, bool) {
    return 0;
}

std::int32_t ReportWriter::WriteMinimumWarnings(PrintSurface* surface, bool draw) {
    const Army& a = army();
    const NationRecord& nation = a.nation();
    std::int64_t sum = 0;
    for (const TroopTypeRecord* type = nation.NextListedTroopType(nullptr); type != nullptr;
         type = nation.NextListedTroopType(type)) {
        if (RosterBelowMinimum(a, *type))
            sum += WriteBelowMinimum(surface, type->name, draw);
    }
    return ClampToInt32(sum);
}

std::int32_t ReportWriter::LayoutPages(PrintSurface*, const PrintJob&, bool) {
    return 0;
}

std::int32_t ReportWriter::WriteParagraph(bool, const std::string&, const std::string&, bool) {
    return 0;
}

std::int32_t ReportWriter::BeginUnitRow(bool) {
    return 0;
}

std::int32_t ReportWriter::WriteHeader(std::int32_t, bool) {
    return 0;
}

std::int32_t ReportWriter::WriteFooter(std::int32_t, bool) {
    return 0;
}

std::int32_t ReportWriter::WriteRoster() {
    const Army& a = army();
    const NationRecord& nation = a.nation();
    BeginTable(true);
    std::optional<Code> lastKind;
    for (const TroopTypeRecord* type = nation.NextListedTroopType(nullptr); type != nullptr;
         type = nation.NextListedTroopType(type)) {
        if (a.CountOfType(type->code()) == 0)
            continue;
        if (lastKind != type->troopKind)
            WriteCategoryHeader(type->troopKind, true);
        for (std::int32_t i = 0; i < a.UnitCount(); ++i) {
            const UnitEntry* entry = a.UnitAt(i);
            if (&entry->troopType() == type)
                WriteUnit(*entry, kUnitIndent, std::nullopt, true);
        }
        lastKind = type->troopKind;
    }
    EndTable(true);
    WriteTotals(true);
    WriteMinimumWarnings(nullptr, true);
    return 0;
}

std::int32_t ReportWriter::WriteInformation(InfoChoice choice, bool draw) {
    if (choice == InfoChoice::None)
        return 0;
    if (choice == InfoChoice::Complete) {
        const NationRecord& nation = army().nation();
        WriteParagraph(false, nation.name, nation.info, draw);
    }
    BeginTable(true);
    for (const InfoParagraph& paragraph : InformationParagraphs(true))
        WriteParagraph(paragraph.highlight, paragraph.title, paragraph.body, draw);
    return 0;
}

std::int32_t ReportWriter::WriteCategoryHeader(Code troopKind, bool draw) {
    if (troopKind == kTroopCharacter)
        return WriteRow(false, kHeadingIndent, "Character", ColumnTitles(), nullptr, draw);
    if (troopKind == kTroopUnit || troopKind == kTroopSkirmisherUnit)
        return WriteRow(false, kHeadingIndent, "Unit", ColumnTitles(), nullptr, draw);
    return 0;
}

std::int32_t ReportWriter::WriteRow(bool, std::int32_t, const std::string&, const RowCells&, Rect*, bool) {
    return 0;
}

std::int32_t ReportWriter::WriteUnit(const TaggedObject& item, std::int32_t indent,
                                     std::optional<std::int32_t> armourSaveOverride, bool draw) {
    const UnitEntry* entry = nullptr;
    const TroopTypeRecord* type = nullptr;
    if (item.kind == kKindUnitEntry) {
        entry = static_cast<const UnitEntry*>(&item);
        type = &entry->troopType();
    } else if (item.kind == kKindTroopType) {
        type = static_cast<const TroopTypeRecord*>(&item);
    } else {
        return 0;
    }

    const RowCells cells = UnitCells(*type, entry, armourSaveOverride);
    std::int64_t height = BeginUnitRow(draw);
    const Army& a = army();
    const bool overMaximum = RosterOverMaximum(a, *type);
    const std::string& name = entry != nullptr ? entry->name() : type->name;
    Rect remarksCell;
    height += WriteRow(overMaximum, indent, name, cells, &remarksCell, draw);
    if (entry != nullptr) {
        if (entry->mount() != nullptr && entry->mount()->code() != kNoMount)
            height += WriteUnit(*entry->mount(), indent + 1, std::nullopt, draw);
        if (const TroopTypeRecord* runners = RunnersOf(*entry))
            height += WriteUnit(*runners, indent + 1, type->armourSave, draw);
    }
    return ClampToInt32(height);
}

std::int32_t ReportWriter::BeginTable(bool) {
    return 0;
}

std::int32_t ReportWriter::EndTable(bool) {
    return 0;
}

std::int32_t ReportWriter::WriteTotals(bool) {
    return 0;
}

void ReportWriter::RegisterNotes() {
    InfoTextList texts;
    ForEachRosterEntry([&](const TroopTypeRecord& type, const UnitEntry& entry) {
        type.CollectInfoTexts(texts);
        notes_.NoteReferences(texts);
        if (entry.mount() != nullptr && entry.mount()->code() != kNoMount) {
            entry.mount()->CollectInfoTexts(texts);
            notes_.NoteReferences(texts);
        }
        if (const TroopTypeRecord* runners = RunnersOf(entry)) {
            runners->CollectInfoTexts(texts);
            notes_.NoteReferences(texts);
        }
    });
}

std::vector<ReportWriter::InfoParagraph> ReportWriter::InformationParagraphs(bool withNotes) {
    std::vector<InfoParagraph> paragraphs;
    if (withNotes) {
        RegisterNotes();
        for (std::int32_t n = 1; n <= notes_.NoteCount(); ++n)
            paragraphs.push_back({false, std::to_string(n) + " - ", notes_.NoteAt(n)});
    }
    const Army& a = army();
    const ArmyCatalogue& catalogue = document_->catalogue();
    for (const MagicItemRecord* item = catalogue.NextMagicItem(nullptr); item != nullptr;
         item = catalogue.NextMagicItem(item)) {
        if (item->code() == kNoMagicItem)
            continue;
        if (a.CountCarrying(item->code()) > 0)
            paragraphs.push_back({CarriedMoreThanOnce(a, *item), item->name, item->info});
    }
    for (const SiegeEngineRecord* engine = catalogue.NextSiegeEngine(nullptr); engine != nullptr;
         engine = catalogue.NextSiegeEngine(engine)) {
        if (engine->code() != kNoSiegeEngine && a.CountWithEngine(engine->code()) > 0)
            paragraphs.push_back({false, engine->name, engine->info});
    }
    return paragraphs;
}

RowCells ReportWriter::UnitCells(const TroopTypeRecord& type, const UnitEntry* entry,
                                 std::optional<std::int32_t> armourSaveOverride) {
    RowCells cells;
    // A category bit that names no category leaves the Type cell empty.
    if (const TroopCategory* category = document_->catalogue().FindTroopCategory(type.category))
        cells[0] = category->abbreviation;
    cells[1] = std::to_string(type.attacks);
    if (!type.shots.empty())
        cells[1] += "/" + type.shots;
    cells[2] = std::to_string(type.hits);
    cells[3] = std::to_string(armourSaveOverride.value_or(type.armourSave));
    cells[4] = std::to_string(type.command);
    cells[5] = std::to_string(type.size);
    if (entry != nullptr)
        cells[6] = std::to_string(entry->Points());

    InfoTextList texts;
    type.CollectInfoTexts(texts);
    const std::string references = notes_.NoteReferences(texts);
    std::string options;
    if (entry != nullptr) {
        const bool hasItem = entry->magicItem() != nullptr && entry->magicItem()->code() != kNoMagicItem;
        if (hasItem)
            options = entry->magicItem()->name;
        if (entry->siegeEngine() != nullptr && entry->siegeEngine()->code() != kNoSiegeEngine)
            options = hasItem ? entry->magicItem()->name + ", " + entry->siegeEngine()->name
                              : entry->siegeEngine()->name;
    }
    if (options.empty())
        cells[7] = references;
    else if (references.empty())
        cells[7] = options;
    else
        cells[7] = options + "," + references;
    return cells;
}

const TroopTypeRecord* ReportWriter::RunnersOf(const UnitEntry& entry) const {
    const TroopTypeRecord& type = entry.troopType();
    if (type.troopKind != kTroopSkirmisherUnit)
        return nullptr;
    const SkirmisherUnitEntry* skirmisher = entry.AsSkirmisher();
    if (skirmisher == nullptr || !skirmisher->skirmishers())
        return nullptr;
    // A nation without runners writes no runners row.
    return type.nation->FindTroopType(kRunners);
}

} // namespace ovra
