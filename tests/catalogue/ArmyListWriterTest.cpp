// Records written as army-list text read back as the same records, or the
// writer says why it cannot write them.
#include "CatalogueFixtures.h"

#include "ArmyListWriter.h"
#include "ListDiff.h"

#include <gtest/gtest.h>

using namespace ovra;
using namespace ovra::test;

namespace {

// The records `next` walks through, last first.
template <class Record, class Next> std::vector<const Record*> Backwards(Next next) {
    std::vector<const Record*> records;
    for (const Record* r = next(static_cast<const Record*>(nullptr)); r; r = next(r))
        records.insert(records.begin(), r);
    return records;
}

// Every record of the catalogue but the special rules, which the writer has
// no use for. The keyed records go last first: read back, the newest of a
// bucket comes first again, so they walk in the same order.
std::string WriteAll(const ArmyCatalogue& c) {
    ArmyListWriter writer;
    for (const TroopCategory* r : Backwards<TroopCategory>([&](auto p) { return c.NextTroopCategory(p); }))
        writer.Write(*r);
    for (const MagicItemCategory* r :
         Backwards<MagicItemCategory>([&](auto p) { return c.NextMagicItemCategory(p); }))
        writer.Write(*r);
    for (const MagicItemRecord* r = c.NextMagicItem(nullptr); r; r = c.NextMagicItem(r))
        writer.Write(*r);
    for (const SiegeEngineRecord* r = c.NextSiegeEngine(nullptr); r; r = c.NextSiegeEngine(r))
        writer.Write(*r);
    for (const NationRecord* n : Backwards<NationRecord>([&](auto p) { return c.NextNation(p); })) {
        std::vector<const TroopTypeRecord*> types;
        for (const auto& t : n->troopTypes)
            types.push_back(t.get());
        writer.Write(*n, types);
    }
    EXPECT_TRUE(writer.ok()) << writer.error();
    return writer.text();
}

// What a diff does not compare: the categories and the descriptions.
std::vector<std::string> UncomparedTexts(const ArmyCatalogue& c) {
    std::vector<std::string> texts;
    for (const TroopCategory* r = c.NextTroopCategory(nullptr); r; r = c.NextTroopCategory(r))
        texts.insert(texts.end(), {std::to_string(r->key), r->abbreviation, r->name});
    for (const MagicItemCategory* r = c.NextMagicItemCategory(nullptr); r; r = c.NextMagicItemCategory(r))
        texts.insert(texts.end(), {std::to_string(r->key), r->name});
    for (const MagicItemRecord* r = c.NextMagicItem(nullptr); r; r = c.NextMagicItem(r))
        texts.push_back(r->info);
    for (const SiegeEngineRecord* r = c.NextSiegeEngine(nullptr); r; r = c.NextSiegeEngine(r))
        texts.push_back(r->info);
    for (const NationRecord* n = c.NextNation(nullptr); n; n = c.NextNation(n)) {
        texts.push_back(n->info);
        for (const auto& t : n->troopTypes)
            texts.insert(texts.end(), {t->info, t->unitInfo});
    }
    return texts;
}

TEST(ArmyListWriter, WhatItWritesReadsBackAsTheSameRecords) {
    // Codes cut short by a NUL, the code 0, an empty abbreviation, a name with
    // '<' and '>', bytes above 0x7F, control bytes and odd numbers.
    using namespace std::string_literals;
    const std::string odd =
        "<TRCAT 4 \0\"No abbreviation\"><MITEM AB\0 \"<Cut> code\" 1> -2147483648 -1</MITEM>"
        "<NATION 1 \"N\" \"A\"><TROOPS \0 \"Zero\" un\0 512> 1 \"\" 1</TROOPS></NATION>"s;
    for (const auto& original :
         {BuiltInCatalogue(), CatalogueFromFile("json/fells.dfm"), CatalogueFromText(odd)}) {
        const auto again = CatalogueFromText(WriteAll(*original));
        EXPECT_TRUE(DiffArmyLists(*original, *again).empty());
        EXPECT_EQ(UncomparedTexts(*again), UncomparedTexts(*original));
        EXPECT_EQ(again->NationCount(), original->NationCount());
    }
}

TEST(ArmyListWriter, RefusesValuesTheFormatCannotCarry) {
    const auto catalogue =
        CatalogueFromText("<NATION 1 \"N\" \"A\"></NATION><MITEM ring \"Ring\" 1> 5 -1</MITEM>");
    const NationRecord& nation = *catalogue->FindNation(1);
    const auto writeItem = [](auto change) {
        MagicItemRecord item;
        item.key = CodeOf("ring");
        item.name = "Ring";
        change(item);
        ArmyListWriter writer;
        writer.Write(item);
        return writer.error();
    };
    EXPECT_EQ(writeItem([](MagicItemRecord& r) { r.name = "The \"One\""; }),
              "a magic item's name holds a double quote");
    EXPECT_EQ(writeItem([](MagicItemRecord& r) { r.info = "a</INFO>b"; }),
              "a magic item's INFO holds </INFO>");
    EXPECT_EQ(writeItem([](MagicItemRecord& r) { r.key = MakeCode(' ', 'a', 'b', 'c'); }),
              "a magic item has a code that starts with white space");
    EXPECT_EQ(writeItem([](MagicItemRecord& r) { r.key = MakeCode('a', 0, 'b', 'c'); }),
              "a magic item has a NUL byte inside its code");
    EXPECT_EQ(writeItem([](MagicItemRecord&) {}), "");

    TroopCategory category;
    category.abbreviation = "In f";
    TroopTypeRecord type(const_cast<NationRecord&>(nation));
    type.limit = "AB</LIMIT>";
    ArmyListWriter writer(false);
    writer.Write(category);
    writer.Write(nation, {&type});
    EXPECT_EQ(writer.error(), "a troop category's abbreviation holds white space")
        << "the first failure is kept";
}

} // namespace
