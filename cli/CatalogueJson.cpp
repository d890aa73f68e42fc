#include "Headless.h"
#include "Json.h"

#include "ArmyCatalogue.h"

namespace ovra {
namespace {

void WriteTroopType(JsonWriter& json, const TroopTypeRecord& t) {
    json.BeginObject();
    json.Key("code"), json.String(CodeText(t.code()));
    json.Key("name"), json.String(t.name);
    json.Key("kind"), json.String(CodeText(t.troopKind));
    json.Key("category"), json.Int(t.category);
    json.Key("attacks"), json.Int(t.attacks);
    json.Key("shots"), json.String(t.shots);
    json.Key("hits"), json.Int(t.hits);
    json.Key("armourSave"), json.Int(t.armourSave);
    json.Key("command"), json.Int(t.command);
    json.Key("size"), json.Int(t.size);
    json.Key("points"), json.Int(t.points);
    json.Key("minCount"), json.Int(t.minCount);
    json.Key("maxCount"), json.Int(t.maxCount);
    json.Key("itemCategoryMask"), json.Int(t.itemCategoryMask);
    json.Key("countsForBreakpoint"), json.Bool(t.countsForBreakpoint);
    json.Key("limit"), json.String(t.limit);
    json.Key("ruleCodes"), json.String(t.ruleCodes);
    json.Key("unitInfo"), json.String(t.unitInfo);
    json.Key("info"), json.String(t.info);
    json.EndObject();
}

template <class Record> void WriteCodedRecord(JsonWriter& json, const Record& r) {
    json.BeginObject();
    json.Key("code"), json.String(CodeText(r.code()));
    json.Key("name"), json.String(r.name);
    json.Key("points"), json.Int(r.points);
    json.Key("info"), json.String(r.info);
    json.EndObject();
}

std::int32_t Signed(std::uint32_t key) {
    return static_cast<std::int32_t>(key);
}

} // namespace

std::string CatalogueJson(const ArmyCatalogue& catalogue) {
    std::string out;
    JsonWriter json(out);
    json.BeginObject();

    json.Key("nations");
    json.BeginArray();
    for (const NationRecord* n = catalogue.NextNation(nullptr); n; n = catalogue.NextNation(n)) {
        json.BeginObject();
        json.Key("id"), json.Int(n->id());
        json.Key("name"), json.String(n->name);
        json.Key("armyName"), json.String(n->armyName);
        json.Key("info"), json.String(n->info);
        json.Key("troopTypes");
        json.BeginArray();
        for (const TroopTypeRecord* t = n->NextTroopType(nullptr); t; t = n->NextTroopType(t))
            WriteTroopType(json, *t);
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();

    json.Key("troopCategories");
    json.BeginArray();
    for (const TroopCategory* c = catalogue.NextTroopCategory(nullptr); c;
         c = catalogue.NextTroopCategory(c)) {
        json.BeginObject();
        json.Key("bit"), json.Int(Signed(c->key));
        json.Key("abbreviation"), json.String(c->abbreviation);
        json.Key("name"), json.String(c->name);
        json.EndObject();
    }
    json.EndArray();

    json.Key("magicItemCategories");
    json.BeginArray();
    for (const MagicItemCategory* c = catalogue.NextMagicItemCategory(nullptr); c;
         c = catalogue.NextMagicItemCategory(c)) {
        json.BeginObject();
        json.Key("bit"), json.Int(Signed(c->key));
        json.Key("name"), json.String(c->name);
        json.EndObject();
    }
    json.EndArray();

    json.Key("magicItems");
    json.BeginArray();
    for (const MagicItemRecord* m = catalogue.NextMagicItem(nullptr); m; m = catalogue.NextMagicItem(m)) {
        json.BeginObject();
        json.Key("code"), json.String(CodeText(m->code()));
        json.Key("name"), json.String(m->name);
        json.Key("itemCategory"), json.Int(m->itemCategory);
        json.Key("points"), json.Int(m->points);
        json.Key("troopCategoryMask"), json.Int(m->troopCategoryMask);
        json.Key("info"), json.String(m->info);
        json.EndObject();
    }
    json.EndArray();

    json.Key("siegeEngines");
    json.BeginArray();
    for (const SiegeEngineRecord* e = catalogue.NextSiegeEngine(nullptr); e; e = catalogue.NextSiegeEngine(e))
        WriteCodedRecord(json, *e);
    json.EndArray();

    json.Key("specialRules");
    json.BeginArray();
    for (const SpecialRuleRecord* r = catalogue.NextSpecialRule(nullptr); r; r = catalogue.NextSpecialRule(r))
        WriteCodedRecord(json, *r);
    json.EndArray();

    json.EndObject();
    out.push_back('\n');
    return out;
}

std::string CatalogueSummary(const ArmyCatalogue& catalogue) {
    std::string out;
    if (catalogue.NextNation(nullptr) == nullptr)
        return "No army lists are loaded.\n";
    for (const NationRecord* n = catalogue.NextNation(nullptr); n; n = catalogue.NextNation(n)) {
        out += n->name + " (" + std::to_string(n->id()) + "): " + n->armyName + "\n";
        for (const TroopTypeRecord* t = n->NextTroopType(nullptr); t; t = n->NextTroopType(t)) {
            out += "  " + CodeText(t->code()) + "  " + CodeText(t->troopKind) + "  " + t->name + "  (" +
                   std::to_string(t->points) + " pts)\n";
        }
    }
    return out;
}

} // namespace ovra
