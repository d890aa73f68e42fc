#include "ArmyCatalogue.h"

#include "ArmyListReader.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace ovra {
namespace {

// Reads sub-tags until the record's closing tag or the end of the data;
// `onTag` handles the sub-tags the record accepts, others are ignored.
template <class OnTag> void ReadBody(ArmyListReader& reader, std::string_view closingTag, OnTag onTag) {
    std::string tag;
    while (reader.SkipPast('<')) {
        reader.ReadTagName(tag);
        if (tag == closingTag) {
            reader.SkipPast('>');
            return;
        }
        onTag(tag);
    }
}

std::unique_ptr<TroopTypeRecord> ReadTroopType(ArmyListReader& reader, NationRecord& nation) {
    auto t = std::make_unique<TroopTypeRecord>(nation);
    Code code = 0;
    reader.ReadCode(code);
    t->key = code;
    reader.ReadQuoted(t->name);
    reader.ReadCode(t->troopKind);
    reader.ReadNumber(t->category);
    reader.SkipPast('>');
    reader.ReadNumber(t->attacks);
    reader.ReadQuoted(t->shots);
    for (std::int32_t* field : {&t->hits, &t->armourSave, &t->command, &t->size, &t->points, &t->minCount,
                                &t->maxCount, &t->itemCategoryMask})
        reader.ReadNumber(*field);
    ReadBody(reader, "/TROOPS", [&](const std::string& tag) {
        if (tag == "INFO") {
            reader.SkipPast('>');
            reader.ReadTextUntil(t->info, "</INFO>");
        } else if (tag == "UINFO") {
            reader.SkipPast('>');
            reader.ReadTextUntil(t->unitInfo, "</UINFO>");
        } else if (tag == "LIMIT") {
            reader.SkipPast('>');
            reader.ReadTextUntil(t->limit, "</LIMIT>");
        } else if (tag == "SRULE") {
            reader.SkipPast('>');
            reader.ReadTextUntil(t->ruleCodes, "</SRULE>");
        } else if (tag == "NOBREAK") {
            reader.SkipPast('>');
            t->countsForBreakpoint = false;
        }
    });
    return t;
}

// ENGINE and SPECIAL share one shape: code, name, points, then INFO.
template <class Record>
std::unique_ptr<Record> ReadCodedRecord(ArmyListReader& reader, std::string_view closingTag) {
    auto r = std::make_unique<Record>();
    Code code = 0;
    reader.ReadCode(code);
    r->key = code;
    reader.ReadQuoted(r->name);
    reader.ReadNumber(r->points);
    reader.SkipPast('>');
    ReadBody(reader, closingTag, [&](const std::string& tag) {
        if (tag == "INFO") {
            reader.SkipPast('>');
            reader.ReadTextUntil(r->info, "</INFO>");
        }
    });
    return r;
}

template <class Record>
void Append(std::vector<std::unique_ptr<Record>>& list, std::unique_ptr<Record> record) {
    record->ordinal = list.size();
    list.push_back(std::move(record));
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
    magicItems_.clear();
    siegeEngines_.clear();
    specialRules_.clear();
    troopCategories_.Clear();
}

std::unique_ptr<NationRecord> ArmyCatalogue::ReadNation(ArmyListReader& reader) {
    auto nation = std::make_unique<NationRecord>(*this);
    std::int32_t id = 0;
    reader.ReadNumber(id);
    nation->key = static_cast<std::uint32_t>(id);
    reader.ReadQuoted(nation->name);
    reader.ReadQuoted(nation->armyName);
    reader.SkipPast('>');
    ReadBody(reader, "/NATION", [&](const std::string& tag) {
        if (tag == "INFO") {
            reader.SkipPast('>');
            reader.ReadTextUntil(nation->info, "</INFO>");
        } else if (tag == "TROOPS") {
            auto troopType = ReadTroopType(reader, *nation);
            troopType->ordinal = nation->troopTypes.size();
            nation->troopTypes.push_back(std::move(troopType));
        }
    });
    return nation;
}

void ArmyCatalogue::LoadArmyListText(ArmyListReader& reader) {
    std::string tag;
    while (reader.SkipPast('<')) {
        reader.ReadTagName(tag);
        if (tag == "NATION") {
            nations_.Set(ReadNation(reader));
        } else if (tag == "MICAT") {
            auto category = std::make_unique<MagicItemCategory>();
            std::int32_t bit = 0;
            reader.ReadNumber(bit);
            category->key = static_cast<std::uint32_t>(bit);
            reader.ReadQuoted(category->name);
            reader.SkipPast('>');
            magicItemCategories_.Set(std::move(category));
        } else if (tag == "TRCAT") {
            auto category = std::make_unique<TroopCategory>();
            std::int32_t bit = 0;
            reader.ReadNumber(bit);
            category->key = static_cast<std::uint32_t>(bit);
            reader.ReadWord(category->abbreviation);
            reader.ReadQuoted(category->name);
            reader.SkipPast('>');
            troopCategories_.Set(std::move(category));
        } else if (tag == "MITEM") {
            auto item = std::make_unique<MagicItemRecord>();
            Code code = 0;
            reader.ReadCode(code);
            item->key = code;
            reader.ReadQuoted(item->name);
            reader.ReadNumber(item->itemCategory);
            reader.SkipPast('>');
            reader.ReadNumber(item->points);
            reader.ReadNumber(item->troopCategoryMask);
            ReadBody(reader, "/MITEM", [&](const std::string& sub) {
                if (sub == "INFO") {
                    reader.SkipPast('>');
                    reader.ReadTextUntil(item->info, "</INFO>");
                }
            });
            Append(magicItems_, std::move(item));
        } else if (tag == "ENGINE") {
            Append(siegeEngines_, ReadCodedRecord<SiegeEngineRecord>(reader, "/ENGINE"));
        } else if (tag == "SPECIAL") {
            Append(specialRules_, ReadCodedRecord<SpecialRuleRecord>(reader, "/SPECIAL"));
        }
    }
}

bool ArmyCatalogue::LoadBuiltIn() {
    ArmyListReader reader;
    if (!reader.OpenResource(kBuiltInArmyListResource))
        return false;
    LoadArmyListText(reader);
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
    for (const auto& file : files) {
        ArmyListFileReader reader;
        if (!reader.OpenFile(file))
            continue;
        LoadArmyListText(reader);
        reader.Close();
        ++loaded;
    }
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

namespace {

template <class Record>
const Record* NextOf(const std::vector<std::unique_ptr<Record>>& list, const Record* previous) {
    std::size_t i = 0;
    if (previous != nullptr) {
        if (previous->ordinal >= list.size() || list[previous->ordinal].get() != previous)
            return nullptr;
        i = previous->ordinal + 1;
    }
    return i < list.size() ? list[i].get() : nullptr;
}

template <class Record>
const Record* FirstWithCode(const std::vector<std::unique_ptr<Record>>& list, Code code) {
    for (const auto& r : list)
        if (r->key == code)
            return r.get();
    return nullptr;
}

} // namespace

const MagicItemRecord* ArmyCatalogue::NextMagicItem(const MagicItemRecord* previous) const {
    return NextOf(magicItems_, previous);
}

const MagicItemRecord* ArmyCatalogue::FindMagicItem(Code code) const {
    if (const MagicItemRecord* item = FirstWithCode(magicItems_, code))
        return item;
    return FirstWithCode(magicItems_, kNoMagicItem);
}

const SiegeEngineRecord* ArmyCatalogue::NextSiegeEngine(const SiegeEngineRecord* previous) const {
    return NextOf(siegeEngines_, previous);
}

const SiegeEngineRecord* ArmyCatalogue::FindSiegeEngine(Code code) const {
    if (const SiegeEngineRecord* engine = FirstWithCode(siegeEngines_, code))
        return engine;
    return FirstWithCode(siegeEngines_, kNoSiegeEngine);
}

const SpecialRuleRecord* ArmyCatalogue::NextSpecialRule(const SpecialRuleRecord* previous) const {
    return NextOf(specialRules_, previous);
}

const SpecialRuleRecord* ArmyCatalogue::FindSpecialRule(Code code) const {
    return FirstWithCode(specialRules_, code);
}

} // namespace ovra
