#include "CatalogueFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

using namespace ovra;
using namespace ovra::test;

namespace {

std::vector<std::int32_t> NationIds(const ArmyCatalogue& catalogue) {
    std::vector<std::int32_t> ids;
    for (const NationRecord* n = catalogue.NextNation(nullptr); n; n = catalogue.NextNation(n))
        ids.push_back(n->id());
    return ids;
}

std::vector<std::string> Names(const NationRecord& nation, bool listedOnly) {
    std::vector<std::string> names;
    for (const TroopTypeRecord* t = listedOnly ? nation.NextListedTroopType(nullptr)
                                               : nation.NextTroopType(nullptr);
         t; t = listedOnly ? nation.NextListedTroopType(t) : nation.NextTroopType(t))
        names.push_back(t->name);
    return names;
}

TEST(CatalogueRecords, TroopTypeFieldsAreReadInOrder) {
    const auto catalogue = CatalogueFromText(
        "<NATION 7 \"Name\" \"Army\">\r\n"
        "<TROOPS 1GBW \"Longbowmen\" unit 512> 1 \"2\" 3 4 5 6 45 4 10 8\r\n"
        "<INFO>Bows.</INFO><UINFO>Unit text.</UINFO><LIMIT>GEN1</LIMIT><SRULE>RG15</SRULE><NOBREAK>\r\n"
        "</TROOPS>\r\n"
        "</NATION>");
    const NationRecord* nation = catalogue->FindNation(7);
    ASSERT_NE(nation, nullptr);
    EXPECT_EQ(nation->name, "Name");
    EXPECT_EQ(nation->armyName, "Army");
    EXPECT_EQ(nation->kind, kKindNation);
    const TroopTypeRecord* t = nation->FindTroopType(CodeOf("1GBW"));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->kind, kKindTroopType);
    EXPECT_EQ(t->name, "Longbowmen");
    EXPECT_EQ(t->troopKind, kTroopUnit);
    EXPECT_EQ(t->category, 512);
    EXPECT_EQ(t->attacks, 1);
    EXPECT_EQ(t->shots, "2");
    EXPECT_EQ((std::vector<int>{t->hits, t->armourSave, t->command, t->size, t->points, t->minCount,
                                t->maxCount, t->itemCategoryMask}),
              (std::vector<int>{3, 4, 5, 6, 45, 4, 10, 8}));
    EXPECT_EQ(t->info, "Bows.");
    EXPECT_EQ(t->unitInfo, "Unit text.");
    EXPECT_EQ(t->limit, "GEN1");
    EXPECT_EQ(t->ruleCodes, "RG15");
    EXPECT_FALSE(t->countsForBreakpoint);
    EXPECT_EQ(t->nation, nation);
}

TEST(CatalogueRecords, ShortStatLinesAndMissingFieldsReadAsZero) {
    const auto catalogue =
        CatalogueFromText("<NATION 1 \"N\" \"A\">"
                          "<TROOPS NINE \"Nine\" unit 512> 2 \"\" 3 6 0 3 55 7 0</TROOPS>"
                          "<TROOPS SEVN \"Seven\" unit 512> 2 \"\" 3 6 0 3 55</TROOPS>"
                          "<TROOPS NOSH \"No shots\" unit 512> 2 4 5 </TROOPS>"
                          "<TROOPS LAST \"Took the shots\" unit 512> 1 \"\" 1 1 1 1 1 1 1</TROOPS>"
                          "</NATION>");
    const NationRecord* n = catalogue->FindNation(1);
    ASSERT_NE(n, nullptr);
    const TroopTypeRecord* nine = n->FindTroopType(CodeOf("NINE"));
    EXPECT_EQ(nine->minCount, 7);
    EXPECT_EQ(nine->itemCategoryMask, 0);
    const TroopTypeRecord* seven = n->FindTroopType(CodeOf("SEVN"));
    EXPECT_EQ(seven->points, 55);
    EXPECT_EQ(seven->minCount, 0);
    EXPECT_EQ(seven->maxCount, 0);
    // Without its shots string the record takes the next quoted string in the
    // text, the following record's name, and swallows that record.
    const TroopTypeRecord* noShots = n->FindTroopType(CodeOf("NOSH"));
    EXPECT_EQ(noShots->shots, "Took the shots");
    EXPECT_EQ(n->FindTroopType(CodeOf("LAST")), nullptr);
}

TEST(CatalogueRecords, TagsAreCaseInsensitiveButClosingTextTagsAreExact) {
    const auto catalogue =
        CatalogueFromText("<nation 5 \"Lower\" \"lower army\">"
                          "<troops GEN1 \"General\" char 16384> 2 \"\" 0 0 9 1 100 1 -1"
                          "<info>one </info> two</INFO></troops>"
                          "<Troops 2ND_ \"Second\" unit 512> 1 \"\" 3 0 0 3 40 0 0</TROOPS>"
                          "</Nation>");
    const NationRecord* n = catalogue->FindNation(5);
    ASSERT_NE(n, nullptr);
    ASSERT_EQ(n->troopTypes.size(), 2u);
    EXPECT_EQ(n->troopTypes[0]->info, "one </info> two");
    EXPECT_EQ(n->troopTypes[1]->name, "Second");
}

TEST(CatalogueRecords, SubTagsInAnyOrderAndRepeatedTextReplaces) {
    const auto catalogue = CatalogueFromText(
        "<NATION 1 \"N\" \"A\"><TROOPS a \"b \"x\" unit 512> 1 \"\" 0 0 0 0 0 0 0"
        "<SRULE>RG15</SRULE> stray text <INFO>first</INFO><BOGUS><INFO>second</INFO></TROOPS>"
        "<INFO>nation text</INFO></NATION>");
    const NationRecord* n = catalogue->FindNation(1);
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->info, "nation text");
    ASSERT_EQ(n->troopTypes.size(), 1u);
    EXPECT_EQ(n->troopTypes[0]->code(), CodeOf("a \"b")) << "a code is four bytes, blanks and quotes too";
    EXPECT_EQ(n->troopTypes[0]->name, "x");
    EXPECT_EQ(n->troopTypes[0]->info, "second");
}

TEST(CatalogueRecords, NationWithoutClosingTagAbsorbsLaterRecords) {
    const auto catalogue = CatalogueFromText("<NATION 1 \"Open\" \"Open army\"><INFO>first</INFO>"
                                             "<TROOPS AAAA \"A\" unit 512> 1 \"\" 0 0 0 0 0 0 0</TROOPS>"
                                             "<NATION 2 \"Later\" \"Later army\"><INFO>later</INFO>"
                                             "<TROOPS BBBB \"B\" unit 512> 1 \"\" 0 0 0 0 0 0 0</TROOPS>"
                                             "</NATION><MICAT 1 \"Weapon\">");
    EXPECT_EQ(catalogue->FindNation(2), nullptr);
    const NationRecord* n = catalogue->FindNation(1);
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->info, "later");
    EXPECT_EQ(Names(*n, false), (std::vector<std::string>{"A", "B"}));
    EXPECT_NE(catalogue->FindMagicItemCategory(1), nullptr) << "the closing tag ended the absorbing nation";
}

TEST(CatalogueRecords, StrayTopLevelTagsAreIgnored) {
    const auto catalogue =
        CatalogueFromText("<!-- a comment -->"
                          "<TROOPS TOPL \"Top\" unit 512> 1 \"\" 0 0 0 0 0 0 0</TROOPS></NATION>"
                          "< NATION 3 \"Blank\" \"Blank army\">"
                          "<MICAT 2 \"Banner\">");
    EXPECT_EQ(catalogue->NextNation(nullptr), nullptr) << "a blank after '<' gives an empty tag name";
    ASSERT_NE(catalogue->FindMagicItemCategory(2), nullptr);
    EXPECT_EQ(catalogue->FindMagicItemCategory(2)->name, "Banner");
}

TEST(CatalogueOrder, NationsWalkByBucketNewestFirstAndReplaceInPlace) {
    ArmyCatalogue catalogue;
    EXPECT_EQ(catalogue.LoadDirectory(DataPath("catalogue/base")), 1);
    EXPECT_EQ(NationIds(catalogue), (std::vector<std::int32_t>{8, 4, 2, 1, 16}));
    EXPECT_EQ(catalogue.LoadDirectory(DataPath("catalogue/extra")), 1)
        << "empty files, folders, .txt skipped";
    EXPECT_EQ(NationIds(catalogue), (std::vector<std::int32_t>{3, 8, 4, 2, 1, 16}));
    const NationRecord* fourth = catalogue.FindNation(4);
    EXPECT_EQ(fourth->name, "New fourth");
    EXPECT_EQ(fourth->info, "Replaced fourth.");
    EXPECT_EQ(Names(*fourth, false), (std::vector<std::string>{"New guard"}));
}

TEST(CatalogueSources, EachTextIsNotedWithTheNationsItAddedOrReplaced) {
    ArmyCatalogue catalogue;
    catalogue.LoadBuiltIn();
    catalogue.LoadDirectory(DataPath("catalogue/base"));
    catalogue.LoadDirectory(DataPath("catalogue/extra"));
    LoadText(catalogue,
             "<NATION 3 \"Third again\" \"x\"></NATION><NATION 3 \"Third, thrice\" \"y\"></NATION>");
    EXPECT_FALSE(catalogue.LoadFile(DataPath("catalogue/extra/empty.dfm"))) << "an empty file is not read";

    const std::vector<ArmyListSource>& sources = catalogue.sources();
    ASSERT_EQ(sources.size(), 4u);
    EXPECT_EQ(sources[0].kind, ArmyListSource::Kind::BuiltIn);
    EXPECT_EQ(sources[0].nations.size(), 12u);
    EXPECT_EQ(sources[1].kind, ArmyListSource::Kind::File);
    EXPECT_EQ(sources[1].file, DataPath("catalogue/base/base.dfm"));
    EXPECT_EQ(sources[2].folder(), DataPath("catalogue/extra"));
    EXPECT_EQ(sources[3].kind, ArmyListSource::Kind::Memory);

    // Who replaced whom: id, name, and the replaced nation's source and name.
    auto changes = [&](std::size_t source) {
        std::vector<std::string> lines;
        for (const ArmyListSource::Nation& n : sources[source].nations)
            lines.push_back(
                std::to_string(n.id) + " " + n.name +
                (n.replaced ? " <- " + std::to_string(n.replacedSource) + " " + n.replacedName : ""));
        return lines;
    };
    EXPECT_EQ(changes(1), (std::vector<std::string>{"1 First <- 0 Alexander the Great", "2 Second <- 0 India",
                                                    "4 Fourth <- 0 Greece", "8 Eighth <- 0 Trojan wars",
                                                    "16 Sixteenth <- 0 Achaemenid Persia"}));
    EXPECT_EQ(changes(2), (std::vector<std::string>{"3 Third", "4 New fourth <- 1 Fourth"}));
    EXPECT_EQ(changes(3),
              (std::vector<std::string>{"3 Third again <- 2 Third", "3 Third, thrice <- 3 Third again"}));
    EXPECT_EQ(catalogue.FindNation(4)->source, 2u);
    EXPECT_EQ(catalogue.FindNation(32)->source, 0u);
}

TEST(CatalogueOrder, CategoryMapsReplaceByBitAndWalkByBucket) {
    const auto catalogue = CatalogueFromText("<TRCAT 512 Inf \"Infantry\"><TRCAT 1 CM \"Chariot Mount\">"
                                             "<TRCAT 2 MM \"Monster\"><TRCAT 512 Foot \"Foot\">"
                                             "<MICAT 1 \"Weapon\"><MICAT 8 \"Roman Items\">");
    std::vector<std::string> walk;
    for (const TroopCategory* c = catalogue->NextTroopCategory(nullptr); c;
         c = catalogue->NextTroopCategory(c))
        walk.push_back(c->abbreviation);
    EXPECT_EQ(walk, (std::vector<std::string>{"MM", "CM", "Foot"}));
    EXPECT_EQ(catalogue->FindTroopCategory(512)->name, "Foot");
    EXPECT_EQ(catalogue->FindTroopCategory(513), nullptr) << "categories match whole bit values";
    EXPECT_EQ(catalogue->NextMagicItemCategory(nullptr)->name, "Roman Items");
}

// The keyed maps against the plainest model of their order: 17 chains, a new
// key inserted at the front, a known key replaced where it stands.
TEST(CatalogueOrder, KeyedMapMatchesAChainModelOverRandomKeys) {
    BucketMap<TroopCategory> map;
    std::array<std::vector<std::pair<std::uint32_t, std::string>>, 17> model;
    std::mt19937 random(1234);
    for (int step = 0; step < 3000; ++step) {
        // Small keys collide often; a few large ones cover the whole range.
        const std::uint32_t key =
            step % 7 == 0 ? static_cast<std::uint32_t>(random()) : static_cast<std::uint32_t>(random() % 600);
        auto record = std::make_unique<TroopCategory>();
        record->key = key;
        record->name = std::to_string(step);
        map.Set(std::move(record));

        auto& chain = model[(key >> 4) % 17];
        const auto held =
            std::find_if(chain.begin(), chain.end(), [&](const auto& e) { return e.first == key; });
        if (held != chain.end())
            held->second = std::to_string(step);
        else
            chain.insert(chain.begin(), {key, std::to_string(step)});

        if (step % 100 != 99)
            continue;
        std::vector<std::string> expected;
        for (const auto& c : model)
            for (const auto& e : c)
                expected.push_back(e.second);
        std::vector<std::string> walk;
        for (const TroopCategory* c = map.Next(nullptr); c; c = map.Next(c))
            walk.push_back(c->name);
        ASSERT_EQ(walk, expected) << "after step " << step;
        ASSERT_EQ(map.Count(), expected.size());
        ASSERT_EQ(map.Find(key)->name, std::to_string(step));
    }
    EXPECT_EQ(map.Find(600), nullptr);
    TroopCategory stranger;
    stranger.key = map.Next(nullptr)->key;
    EXPECT_EQ(map.Next(&stranger), nullptr) << "a record with a held key that is not held itself";
}

TEST(CatalogueLookups, DuplicateCodesAreHeldAndTheFirstWins) {
    ArmyCatalogue catalogue;
    catalogue.LoadDirectory(DataPath("catalogue/base"));
    catalogue.LoadDirectory(DataPath("catalogue/extra"));
    const SpecialRuleRecord* first = catalogue.NextSpecialRule(nullptr);
    ASSERT_NE(first, nullptr);
    const SpecialRuleRecord* second = catalogue.NextSpecialRule(first);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->code(), first->code());
    EXPECT_EQ(catalogue.FindSpecialRule(CodeOf("RG15")), first);

    LoadText(catalogue, "<NATION 40 \"R\" \"R\"><TROOPS ARCH \"Archers\" unit 512> 1 \"1\" 3 0 0 3 40 0 0"
                        "<SRULE>RG15</SRULE></TROOPS></NATION>");
    InfoTextList texts;
    catalogue.FindNation(40)->troopTypes[0]->CollectInfoTexts(texts);
    EXPECT_EQ(texts, (InfoTextList{"Shoots at 15 cm."}));
}

TEST(CatalogueLookups, ItemsAndEnginesFallBackToTheirNoRecords) {
    const auto catalogue = CatalogueFromText(
        "<MITEM eagl \"Legions eagle\" 8> 10 8192<INFO>Command bonus.</INFO></MITEM>"
        "<MITEM nomi \"No magic item\" -1> 0 -1</MITEM>"
        "<ENGINE bara \"Battering Ram\" 10></ENGINE><ENGINE noen \"No siege engine\" 0></ENGINE>");
    EXPECT_EQ(catalogue->FindMagicItem(CodeOf("eagl"))->name, "Legions eagle");
    EXPECT_EQ(catalogue->FindMagicItem(CodeOf("zzzz"))->code(), kNoMagicItem);
    EXPECT_EQ(catalogue->FindSiegeEngine(CodeOf("zzzz"))->code(), kNoSiegeEngine);
    EXPECT_EQ(catalogue->FindSpecialRule(CodeOf("zzzz")), nullptr);
    EXPECT_EQ(catalogue->FindNation(1), nullptr);

    const auto bare = CatalogueFromText("<MITEM eagl \"Legions eagle\" 8> 10 8192</MITEM>");
    EXPECT_EQ(bare->FindMagicItem(CodeOf("zzzz")), nullptr);
    EXPECT_EQ(bare->FindSiegeEngine(CodeOf("zzzz")), nullptr);
}

class TroopTypeOptions : public ::testing::Test {
protected:
    void SetUp() override {
        catalogue = CatalogueFromText(
            "<NATION 1 \"N\" \"A\">"
            "<TROOPS ALEX \"Alexander\" char 16384> 2 \"\" 0 0 10 1 170 1 -1</TROOPS>"
            "<TROOPS HERO \"Officers\" char 8192> 1 \"\" 0 0 8 1 80 0 2 8</TROOPS>"
            "<TROOPS 2HAL \"Phalangites\" unit 512> 2 \"\" 3 5 0 3 60 0 0</TROOPS>"
            "<TROOPS XHER \"Straddler\" unit 256> 2 \"\" 3 5 0 3 60 0 0<NOBREAK></TROOPS>"
            "<TROOPS SKIR \"Skirmishers\" unSk 512> 1 \"1\" 3 0 0 3 30 0 0"
            "<INFO>Own text.</INFO><SRULE>RG15SHARSKIRxy</SRULE></TROOPS>"
            "<TROOPS ELMO \"Elephant\" moun 2> 3 \"\" 0 0 0 1 90 0 1<LIMIT>ALEXHERO</LIMIT></TROOPS>"
            "<TROOPS emsk \"Runners\" spec 512> 3 \"1\" 3 0 0 3 40 0 0</TROOPS>"
            "<TROOPS nomo \"No mount\" moun 1> 0 \"\" 0 0 0 0 0 0 0<LIMIT>ALEXHERO</LIMIT></TROOPS>"
            "</NATION>"
            "<MITEM eagl \"Legions eagle\" 8> 10 8192</MITEM>"
            "<MITEM nomi \"No magic item\" -1> 0 -1</MITEM>"
            "<ENGINE bara \"Battering Ram\" 10></ENGINE><ENGINE mant \"Mantlets\" 10></ENGINE>"
            "<ENGINE noen \"No siege engine\" 0></ENGINE>"
            "<SPECIAL RG15 \"Range 15cm.\" 0><INFO>Range.</INFO></SPECIAL>"
            "<SPECIAL SHAR \"Shoot all round.\" 0><INFO>All round.</INFO></SPECIAL>"
            "<SPECIAL SKIR \"Skirmisher\" 0><INFO>Loose order.</INFO></SPECIAL>");
        nation = catalogue->FindNation(1);
    }
    const TroopTypeRecord* Type(const char (&code)[5]) const { return nation->FindTroopType(CodeOf(code)); }

    std::unique_ptr<ArmyCatalogue> catalogue;
    const NationRecord* nation = nullptr;
};

TEST_F(TroopTypeOptions, ListedTroopTypesLeaveOutMountsAndSpecialProfiles) {
    EXPECT_EQ(Names(*nation, true),
              (std::vector<std::string>{"Alexander", "Officers", "Phalangites", "Straddler", "Skirmishers"}));
    EXPECT_EQ(nation->NextListedTroopType(Type("emsk")), nullptr) << "continues after the given record";
    EXPECT_EQ(nation->NextTroopType(Type("nomo")), nullptr);
    TroopTypeRecord stranger(*const_cast<NationRecord*>(nation));
    EXPECT_EQ(nation->NextTroopType(&stranger), nullptr);
}

TEST_F(TroopTypeOptions, MountsAreFoundBySubstringOfTheirLimit) {
    EXPECT_EQ(Type("HERO")->NextMount(nullptr), Type("ELMO"));
    EXPECT_EQ(Type("HERO")->NextMount(Type("ELMO")), Type("nomo"));
    EXPECT_EQ(Type("HERO")->NextMount(Type("nomo")), nullptr);
    EXPECT_EQ(Type("2HAL")->NextMount(nullptr), nullptr);
    EXPECT_EQ(Type("XHER")->NextMount(nullptr), Type("ELMO"))
        << "\"ALEXHERO\" holds \"XHER\" across two codes";
}

TEST_F(TroopTypeOptions, SiegeEnginesOnlyForInfantry) {
    std::vector<std::string> engines;
    for (auto e = Type("2HAL")->NextAllowedSiegeEngine(nullptr); e;
         e = Type("2HAL")->NextAllowedSiegeEngine(e))
        engines.push_back(e->name);
    EXPECT_EQ(engines, (std::vector<std::string>{"Battering Ram", "Mantlets", "No siege engine"}));
    EXPECT_EQ(Type("XHER")->NextAllowedSiegeEngine(nullptr), nullptr);
}

TEST_F(TroopTypeOptions, MagicItemsNeedBothMasks) {
    EXPECT_EQ(Type("ALEX")->NextAllowedMagicItem(nullptr), nullptr) << "item-category mask 0 offers nothing";
    const MagicItemRecord* first = Type("HERO")->NextAllowedMagicItem(nullptr);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->code(), CodeOf("eagl"));
    const MagicItemRecord* second = Type("HERO")->NextAllowedMagicItem(first);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->code(), kNoMagicItem);
    EXPECT_EQ(Type("HERO")->NextAllowedMagicItem(second), nullptr);
}

TEST_F(TroopTypeOptions, InfoTextsComeFromTheRulesBeforeTheTypesOwn) {
    InfoTextList texts{"stale"};
    Type("SKIR")->CollectInfoTexts(texts);
    EXPECT_EQ(texts, (InfoTextList{"Range.", "All round.", "Loose order."}));
    Type("nomo")->CollectInfoTexts(texts);
    EXPECT_TRUE(texts.empty());

    const auto other = CatalogueFromText(
        "<NATION 1 \"N\" \"A\"><TROOPS UNIT \"U\" unit 512> 1 \"\" 0 0 0 0 0 0 0"
        "<INFO>Own.</INFO><UINFO>Unit.</UINFO><SRULE>NONEXX</SRULE></TROOPS>"
        "<TROOPS PLAN \"P\" unit 512> 1 \"\" 0 0 0 0 0 0 0<INFO>Plain.</INFO></TROOPS></NATION>");
    other->FindNation(1)->troopTypes[0]->CollectInfoTexts(texts);
    EXPECT_EQ(texts, (InfoTextList{"Unit."})) << "unknown rule codes add nothing";
    other->FindNation(1)->troopTypes[1]->CollectInfoTexts(texts);
    EXPECT_EQ(texts, (InfoTextList{"Plain."}));
}

TEST_F(TroopTypeOptions, OnlyUnitsWithoutNobreakCountForTheBreakpoint) {
    EXPECT_FALSE(Type("ALEX")->CountsForBreakpoint());
    EXPECT_TRUE(Type("2HAL")->CountsForBreakpoint());
    EXPECT_TRUE(Type("SKIR")->CountsForBreakpoint());
    EXPECT_FALSE(Type("XHER")->CountsForBreakpoint());
    EXPECT_FALSE(Type("ELMO")->CountsForBreakpoint());
    EXPECT_FALSE(Type("emsk")->CountsForBreakpoint());
}

TEST(CatalogueRobustness, AnyBytesGiveACatalogue) {
    std::string noise;
    for (int i = 0; i < 5000; ++i)
        noise.push_back(static_cast<char>((i * 7919 + 13) % 256));
    const std::string inputs[] = {
        "",         "<",      "<NATION",   "<NATION 1 \"", "<NATION 1 \"a\" \"b\"><TROOPS",
        "<TROOPS>", "<MITEM", "<MITEM ab", "<TRCAT 1",     "<NATION 1 \"a\" \"b\"><TROOPS A\0",
        noise,
    };
    for (const std::string& input : inputs) {
        const auto catalogue = CatalogueFromText(input);
        for (const NationRecord* n = catalogue->NextNation(nullptr); n; n = catalogue->NextNation(n))
            for (const auto& t : n->troopTypes)
                EXPECT_EQ(t->nation, n);
    }
}

} // namespace
