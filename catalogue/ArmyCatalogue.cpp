#include "ArmyCatalogue.h"

#include "ArmyListObserver.h"
#include "ArmyListReader.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace ovra {
namespace {

using Field = ArmyListField;
using TagUse = ArmyListObserver::TagUse;

// Calls the reader's operations in the order the format prescribes, and tells
// the observer, when there is one, what each of them read and where. The
// results of the field operations are not examined: a record keeps whatever
// they leave.
class TextLoader {
public:
    TextLoader(ArmyListReader& reader, ArmyListObserver* observer) : reader_(reader), observer_(observer) {
        if (observer_ != nullptr)
            observer_->OnText(reader_.Data() + reader_.Position(), reader_.Size() - reader_.Position());
    }

    // Finds the next '<' and reads the tag name after it; false at the end of the data.
    bool NextTag(std::string& tag) {
        if (!reader_.SkipPast('<'))
            return false;
        tagAt_ = reader_.Position() - 1;
        reader_.ReadTagName(tag);
        tagEnd_ = reader_.Position();
        tag_ = &tag;
        return true;
    }
    // What was done with the tag just read.
    void Use(TagUse use) {
        if (observer_ != nullptr)
            observer_->OnTag(tagAt_ - base_, tagEnd_ - base_, *tag_, use);
    }

    void Number(Field field, std::int32_t& out) {
        const std::uint32_t from = reader_.Position();
        Tell(field, from, reader_.ReadNumber(out));
    }
    void ReadCode(Field field, Code& out) {
        const std::uint32_t from = reader_.Position();
        Tell(field, from, reader_.ReadCode(out));
    }
    void Quoted(Field field, std::string& out) {
        const std::uint32_t from = reader_.Position();
        Tell(field, from, reader_.ReadQuoted(out));
    }
    void Word(Field field, std::string& out) {
        const std::uint32_t from = reader_.Position();
        Tell(field, from, reader_.ReadWord(out));
    }
    void HeaderEnd() {
        const std::uint32_t from = reader_.Position();
        Tell(Field::HeaderEnd, from, reader_.SkipPast('>'));
    }
    // A free-text sub-tag: through its '>', then the text to its closing tag.
    void Text(Field field, std::string& out, std::string_view closingTag) {
        Use(TagUse::SubTag);
        reader_.SkipPast('>');
        const std::uint32_t from = reader_.Position();
        Tell(field, from, reader_.ReadTextUntil(out, closingTag));
    }
    // A sub-tag without content (NOBREAK).
    void Flag() {
        Use(TagUse::SubTag);
        reader_.SkipPast('>');
    }

    // Reads sub-tags until the record's closing tag or the end of the data;
    // `onTag` reads the sub-tags the record accepts and returns false for
    // the others, which are ignored. True when the closing tag was found.
    template <class OnTag> bool Body(std::string_view closingTag, OnTag onTag) {
        std::string tag;
        while (NextTag(tag)) {
            if (tag == closingTag) {
                Use(TagUse::Closing);
                reader_.SkipPast('>');
                return true;
            }
            if (!onTag(tag))
                Use(TagUse::Ignored);
        }
        return false;
    }

    void Ended(const CatalogueEntry& record, bool closed) {
        if (observer_ != nullptr)
            observer_->OnRecordEnd(record, closed);
    }

private:
    void Tell(Field field, std::uint32_t from, bool ok) {
        if (observer_ != nullptr)
            observer_->OnField(field, from - base_, reader_.Position() - base_, ok);
    }

    ArmyListReader& reader_;
    ArmyListObserver* observer_;
    std::uint32_t base_ = reader_.Position();
    std::uint32_t tagAt_ = 0;
    std::uint32_t tagEnd_ = 0;
    const std::string* tag_ = nullptr;
};

std::unique_ptr<TroopTypeRecord> ReadTroopType(TextLoader& in, NationRecord& nation) {
    in.Use(TagUse::Record);
    auto t = std::make_unique<TroopTypeRecord>(nation);
    Code code = 0;
    in.ReadCode(Field::Code, code);
    t->key = code;
    in.Quoted(Field::Name, t->name);
    in.ReadCode(Field::Kind, t->troopKind);
    in.Number(Field::Category, t->category);
    in.HeaderEnd();
    in.Number(Field::Attacks, t->attacks);
    in.Quoted(Field::Shots, t->shots);
    const std::pair<Field, std::int32_t*> stats[] = {
        {Field::Hits, &t->hits},        {Field::ArmourSave, &t->armourSave},
        {Field::Command, &t->command},  {Field::Size, &t->size},
        {Field::Points, &t->points},    {Field::Minimum, &t->minCount},
        {Field::Maximum, &t->maxCount}, {Field::ItemCategories, &t->itemCategoryMask}};
    for (const auto& [field, value] : stats)
        in.Number(field, *value);
    const bool closed = in.Body("/TROOPS", [&](const std::string& tag) {
        if (tag == "INFO")
            in.Text(Field::Info, t->info, "</INFO>");
        else if (tag == "UINFO")
            in.Text(Field::UnitInfo, t->unitInfo, "</UINFO>");
        else if (tag == "LIMIT")
            in.Text(Field::Limit, t->limit, "</LIMIT>");
        else if (tag == "SRULE")
            in.Text(Field::RuleCodes, t->ruleCodes, "</SRULE>");
        else if (tag == "NOBREAK") {
            in.Flag();
            t->countsForBreakpoint = false;
        } else
            return false;
        return true;
    });
    in.Ended(*t, closed);
    return t;
}

// ENGINE and SPECIAL share one shape: code, name, points, then INFO.
template <class Record> std::unique_ptr<Record> ReadCodedRecord(TextLoader& in, std::string_view closingTag) {
    in.Use(TagUse::Record);
    auto r = std::make_unique<Record>();
    Code code = 0;
    in.ReadCode(Field::Code, code);
    r->key = code;
    in.Quoted(Field::Name, r->name);
    in.Number(Field::Points, r->points);
    in.HeaderEnd();
    const bool closed = in.Body(closingTag, [&](const std::string& tag) {
        if (tag != "INFO")
            return false;
        in.Text(Field::Info, r->info, "</INFO>");
        return true;
    });
    in.Ended(*r, closed);
    return r;
}

std::unique_ptr<MagicItemRecord> ReadMagicItem(TextLoader& in) {
    in.Use(TagUse::Record);
    auto item = std::make_unique<MagicItemRecord>();
    Code code = 0;
    in.ReadCode(Field::Code, code);
    item->key = code;
    in.Quoted(Field::Name, item->name);
    in.Number(Field::ItemCategory, item->itemCategory);
    in.HeaderEnd();
    in.Number(Field::Points, item->points);
    in.Number(Field::TroopCategories, item->troopCategoryMask);
    const bool closed = in.Body("/MITEM", [&](const std::string& tag) {
        if (tag != "INFO")
            return false;
        in.Text(Field::Info, item->info, "</INFO>");
        return true;
    });
    in.Ended(*item, closed);
    return item;
}

std::unique_ptr<NationRecord> ReadNation(TextLoader& in, const ArmyCatalogue& catalogue) {
    in.Use(TagUse::Record);
    auto nation = std::make_unique<NationRecord>(catalogue);
    std::int32_t id = 0;
    in.Number(Field::Id, id);
    nation->key = static_cast<std::uint32_t>(id);
    in.Quoted(Field::Name, nation->name);
    in.Quoted(Field::ArmyName, nation->armyName);
    in.HeaderEnd();
    const bool closed = in.Body("/NATION", [&](const std::string& tag) {
        if (tag == "INFO") {
            in.Text(Field::Info, nation->info, "</INFO>");
        } else if (tag == "TROOPS") {
            auto troopType = ReadTroopType(in, *nation);
            troopType->ordinal = nation->troopTypes.size();
            nation->troopTypes.push_back(std::move(troopType));
        } else {
            return false;
        }
        return true;
    });
    in.Ended(*nation, closed);
    return nation;
}

// TRCAT and MICAT: a bit, then their names; no body and no closing tag.
std::unique_ptr<TroopCategory> ReadTroopCategory(TextLoader& in) {
    in.Use(TagUse::Record);
    auto category = std::make_unique<TroopCategory>();
    std::int32_t bit = 0;
    in.Number(Field::Bit, bit);
    category->key = static_cast<std::uint32_t>(bit);
    in.Word(Field::Abbreviation, category->abbreviation);
    in.Quoted(Field::Name, category->name);
    in.HeaderEnd();
    in.Ended(*category, true);
    return category;
}

std::unique_ptr<MagicItemCategory> ReadMagicItemCategory(TextLoader& in) {
    in.Use(TagUse::Record);
    auto category = std::make_unique<MagicItemCategory>();
    std::int32_t bit = 0;
    in.Number(Field::Bit, bit);
    category->key = static_cast<std::uint32_t>(bit);
    in.Quoted(Field::Name, category->name);
    in.HeaderEnd();
    in.Ended(*category, true);
    return category;
}

bool HasArmyListExtension(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".dfm";
}

} // namespace

ArmyCatalogue::ArmyCatalogue() = default;

ArmyCatalogue::ArmyCatalogue(const std::vector<std::filesystem::path>& armyListDirectories) {
    LoadBuiltIn();
    for (const auto& directory : armyListDirectories)
        LoadDirectory(directory);
}

ArmyCatalogue::~ArmyCatalogue() {
    // Destroyed in collection order; troop types go with their nations.
    nations_.Clear();
    magicItemCategories_.Clear();
    magicItems_.Clear();
    siegeEngines_.Clear();
    specialRules_.Clear();
    troopCategories_.Clear();
}

void ArmyCatalogue::SetNation(std::unique_ptr<NationRecord> nation) {
    ArmyListSource& source = sources_.back();
    nation->source = sources_.size() - 1;
    ArmyListSource::Nation change;
    change.id = nation->id();
    change.name = nation->name;
    change.armyName = nation->armyName;
    if (const NationRecord* earlier = nations_.Find(nation->key)) {
        change.replaced = true;
        change.replacedSource = earlier->source;
        change.replacedName = earlier->name;
    }
    source.nations.push_back(std::move(change));
    nations_.Set(std::move(nation));
}

void ArmyCatalogue::LoadText(ArmyListReader& reader, ArmyListSource source, ArmyListObserver* observer) {
    sources_.push_back(std::move(source));
    TextLoader in(reader, observer);
    std::string tag;
    while (in.NextTag(tag)) {
        if (tag == "NATION")
            SetNation(ReadNation(in, *this));
        else if (tag == "MICAT")
            magicItemCategories_.Set(ReadMagicItemCategory(in));
        else if (tag == "TRCAT")
            troopCategories_.Set(ReadTroopCategory(in));
        else if (tag == "MITEM")
            magicItems_.Append(ReadMagicItem(in));
        else if (tag == "ENGINE")
            siegeEngines_.Append(ReadCodedRecord<SiegeEngineRecord>(in, "/ENGINE"));
        else if (tag == "SPECIAL")
            specialRules_.Append(ReadCodedRecord<SpecialRuleRecord>(in, "/SPECIAL"));
        else
            in.Use(TagUse::Ignored);
    }
}

void ArmyCatalogue::LoadArmyListText(ArmyListReader& reader, ArmyListObserver* observer) {
    LoadText(reader, {}, observer);
}

bool ArmyCatalogue::LoadBuiltIn(ArmyListObserver* observer) {
    ArmyListReader reader;
    if (!reader.OpenResource(kBuiltInArmyListResource))
        return false;
    ArmyListSource source;
    source.kind = ArmyListSource::Kind::BuiltIn;
    LoadText(reader, std::move(source), observer);
    reader.Close();
    return true;
}

bool ArmyCatalogue::LoadFile(const std::filesystem::path& file, ArmyListObserver* observer) {
    ArmyListFileReader reader;
    if (!reader.OpenFile(file))
        return false;
    ArmyListSource source;
    source.kind = ArmyListSource::Kind::File;
    source.file = file;
    LoadText(reader, std::move(source), observer);
    reader.Close();
    return true;
}

int ArmyCatalogue::LoadDirectory(const std::filesystem::path& directory) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    std::filesystem::directory_iterator it(directory, error);
    if (error)
        return 0;
    for (const std::filesystem::directory_iterator end; it != end; it.increment(error)) {
        if (error)
            break;
        if (HasArmyListExtension(it->path()) && it->is_regular_file(error))
            files.push_back(it->path());
    }
    // Name order, so that replacements between files are the same on every run.
    std::sort(files.begin(), files.end());
    int loaded = 0;
    for (const auto& file : files)
        if (LoadFile(file))
            ++loaded;
    return loaded;
}

const NationRecord* ArmyCatalogue::FindNation(std::int32_t id) const {
    return nations_.Find(static_cast<std::uint32_t>(id));
}

const NationRecord* ArmyCatalogue::NextNation(const NationRecord* previous) const {
    return nations_.Next(previous);
}

const TroopCategory* ArmyCatalogue::FindTroopCategory(std::int32_t bit) const {
    return troopCategories_.Find(static_cast<std::uint32_t>(bit));
}

const MagicItemCategory* ArmyCatalogue::FindMagicItemCategory(std::int32_t bit) const {
    return magicItemCategories_.Find(static_cast<std::uint32_t>(bit));
}

const TroopCategory* ArmyCatalogue::NextTroopCategory(const TroopCategory* previous) const {
    return troopCategories_.Next(previous);
}

const MagicItemCategory* ArmyCatalogue::NextMagicItemCategory(const MagicItemCategory* previous) const {
    return magicItemCategories_.Next(previous);
}

const MagicItemRecord* ArmyCatalogue::NextMagicItem(const MagicItemRecord* previous) const {
    return magicItems_.Next(previous);
}

const MagicItemRecord* ArmyCatalogue::FindMagicItem(Code code) const {
    if (const MagicItemRecord* item = magicItems_.Find(code))
        return item;
    return magicItems_.Find(kNoMagicItem);
}

const SiegeEngineRecord* ArmyCatalogue::NextSiegeEngine(const SiegeEngineRecord* previous) const {
    return siegeEngines_.Next(previous);
}

const SiegeEngineRecord* ArmyCatalogue::FindSiegeEngine(Code code) const {
    if (const SiegeEngineRecord* engine = siegeEngines_.Find(code))
        return engine;
    return siegeEngines_.Find(kNoSiegeEngine);
}

const SpecialRuleRecord* ArmyCatalogue::NextSpecialRule(const SpecialRuleRecord* previous) const {
    return specialRules_.Next(previous);
}

const SpecialRuleRecord* ArmyCatalogue::FindSpecialRule(Code code) const {
    return specialRules_.Find(code);
}

} // namespace ovra
