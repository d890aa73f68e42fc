#include "CatalogueFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

using namespace ovra;
using namespace ovra::test;

namespace {

using Names = std::vector<std::string>;

// The names of the records that `next` of `owner` walks through, from the first.
template <class Owner, class Record>
Names Walk(const Owner* owner, const Record* (Owner::*next)(const Record*) const) {
    Names names;
    for (const Record* r = (owner->*next)(nullptr); r; r = (owner->*next)(r))
        names.push_back(r->name);
    return names;
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
    ASSERT_EQ(Walk(n, &NationRecord::NextTroopType), (Names{"Nine", "Seven", "No shots"}));
    const TroopTypeRecord& nine = *n->troopTypes[0];
    const TroopTypeRecord& seven = *n->troopTypes[1];
    EXPECT_EQ((std::vector<int>{nine.minCount, nine.itemCategoryMask, seven.points, seven.minCount,
                                seven.maxCount}),
              (std::vector<int>{7, 0, 55, 0, 0}));
    // Without its shots string a record takes the next quoted string, the
    // following record's name, and swallows that record.
    EXPECT_EQ(n->troopTypes[2]->shots, "Took the shots");
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
    ASSERT_EQ(Walk(n, &NationRecord::NextTroopType), (Names{"General", "Second"}));
    EXPECT_EQ(n->troopTypes[0]->info, "one </info> two");
}

TEST(CatalogueRecords, SubTagsInAnyOrderAndRepeatedTextReplaces) {
    const auto catalogue = CatalogueFromText(
        "<NATION 1 \"N\" \"A\"><TROOPS a \"b \"x\" unit 512> 1 \"\" 0 0 0 0 0 0 0"
        "<SRULE>RG15</SRULE> stray text <INFO>first</INFO><BOGUS><INFO>second</INFO></TROOPS>"
        "<INFO>nation text</INFO></NATION>");
    const NationRecord* n = catalogue->FindNation(1);
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->info, "nation text");
    ASSERT_EQ(Walk(n, &NationRecord::NextTroopType), (Names{"x"}));
    EXPECT_EQ(n->troopTypes[0]->code(), CodeOf("a \"b")) << "a code is four bytes, blanks and quotes too";
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
    EXPECT_EQ(Walk(n, &NationRecord::NextTroopType), (Names{"A", "B"}));
    EXPECT_NE(catalogue->FindMagicItemCategory(1), nullptr) << "the closing tag ended the absorbing nation";
}

TEST(CatalogueRecords, StrayTopLevelTagsAreIgnored) {
    const auto catalogue =
        CatalogueFromText("<!-- a comment -->"
                          "<TROOPS TOPL \"Top\" unit 512> 1 \"\" 0 0 0 0 0 0 0</TROOPS></NATION>"
                          "< NATION 3 \"Blank\" \"Blank army\">"
                          "<MICAT 2 \"Banner\">");
    EXPECT_EQ(catalogue->NextNation(nullptr), nullptr) << "a blank after '<' gives an empty tag name";
    EXPECT_EQ(Walk(catalogue.get(), &ArmyCatalogue::NextMagicItemCategory), (Names{"Banner"}));
}

// Later texts add nations and replace those of known ids where they stand;
// sources() notes who replaced whom.
TEST(CatalogueSources, LaterTextsAddAndReplaceNationsInPlace) {
    ArmyCatalogue catalogue;
    EXPECT_EQ(catalogue.LoadDirectory(DataPath("catalogue/base")), 1);
    EXPECT_EQ(Walk(&catalogue, &ArmyCatalogue::NextNation),
              (Names{"Eighth", "Fourth", "Second", "First", "Sixteenth"}));
    EXPECT_EQ(catalogue.LoadDirectory(DataPath("catalogue/extra")), 1)
        << "empty files, folders, .txt skipped";
    LoadText(catalogue,
             "<NATION 3 \"Third again\" \"x\"></NATION><NATION 3 \"Third, thrice\" \"y\"></NATION>");
    EXPECT_FALSE(catalogue.LoadFile(DataPath("catalogue/extra/empty.dfm"))) << "an empty file is not read";
    EXPECT_EQ(Walk(&catalogue, &ArmyCatalogue::NextNation),
              (Names{"Third, thrice", "Eighth", "New fourth", "Second", "First", "Sixteenth"}));
    const NationRecord* fourth = catalogue.FindNation(4);
    EXPECT_EQ(fourth->info, "Replaced fourth.");
    EXPECT_EQ(Walk(fourth, &NationRecord::NextTroopType), (Names{"New guard"}));
    EXPECT_EQ(fourth->source, 1u);

    const std::vector<ArmyListSource>& sources = catalogue.sources();
    ASSERT_EQ(sources.size(), 3u);
    EXPECT_EQ(sources[0].kind, ArmyListSource::Kind::File);
    EXPECT_EQ(sources[0].file, DataPath("catalogue/base/base.dfm"));
    EXPECT_EQ(sources[1].folder(), DataPath("catalogue/extra"));
    EXPECT_EQ(sources[2].kind, ArmyListSource::Kind::Memory);
    auto changes = [&](std::size_t source) {
        Names lines;
        for (const ArmyListSource::Nation& n : sources[source].nations)
            lines.push_back(
                std::to_string(n.id) + " " + n.name +
                (n.replaced ? " <- " + std::to_string(n.replacedSource) + " " + n.replacedName : ""));
        return lines;
    };
    EXPECT_EQ(changes(0), (Names{"1 First", "2 Second", "4 Fourth", "8 Eighth", "16 Sixteenth"}));
    EXPECT_EQ(changes(1), (Names{"3 Third", "4 New fourth <- 0 Fourth"}));
    EXPECT_EQ(changes(2), (Names{"3 Third again <- 1 Third", "3 Third, thrice <- 2 Third again"}));

    EXPECT_EQ(Walk(&catalogue, &ArmyCatalogue::NextSpecialRule),
              (Names{"Range 15cm.", "Range 15cm., again"}));
    EXPECT_EQ(catalogue.FindSpecialRule(CodeOf("RG15"))->name, "Range 15cm.") << "the first of a code wins";
}

TEST(CatalogueOrder, CategoryMapsReplaceByBitAndWalkByBucket) {
    const auto catalogue = CatalogueFromText("<TRCAT 512 Inf \"Infantry\"><TRCAT 1 CM \"Chariot Mount\">"
                                             "<TRCAT 2 MM \"Monster\"><TRCAT 512 Foot \"Foot soldiers\">"
                                             "<MICAT 1 \"Weapon\"><MICAT 8 \"Roman Items\">");
    EXPECT_EQ(Walk(catalogue.get(), &ArmyCatalogue::NextTroopCategory),
              (Names{"Monster", "Chariot Mount", "Foot soldiers"}));
    EXPECT_EQ(catalogue->FindTroopCategory(512)->abbreviation, "Foot");
    EXPECT_EQ(catalogue->FindTroopCategory(513), nullptr) << "categories match whole bit values";
    EXPECT_EQ(Walk(catalogue.get(), &ArmyCatalogue::NextMagicItemCategory), (Names{"Roman Items", "Weapon"}));
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
        Names expected;
        for (const auto& c : model)
            for (const auto& e : c)
                expected.push_back(e.second);
        ASSERT_EQ(Walk(&map, &BucketMap<TroopCategory>::Next), expected) << "after step " << step;
        ASSERT_EQ(map.Count(), expected.size());
        ASSERT_EQ(map.Find(key)->name, std::to_string(step));
    }
    EXPECT_EQ(map.Find(600), nullptr);
    TroopCategory stranger;
    stranger.key = map.Next(nullptr)->key;
    EXPECT_EQ(map.Next(&stranger), nullptr) << "a record with a held key that is not held itself";
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
    EXPECT_EQ(Walk(nation, &NationRecord::NextListedTroopType),
              (Names{"Alexander", "Officers", "Phalangites", "Straddler", "Skirmishers"}));
    EXPECT_EQ(nation->NextListedTroopType(Type("emsk")), nullptr) << "continues after the given record";
    TroopTypeRecord stranger(*const_cast<NationRecord*>(nation));
    EXPECT_EQ(nation->NextTroopType(&stranger), nullptr);
}

TEST_F(TroopTypeOptions, MountsItemsAndEnginesFollowLimitsAndMasks) {
    EXPECT_EQ(Walk(Type("HERO"), &TroopTypeRecord::NextMount), (Names{"Elephant", "No mount"}));
    EXPECT_EQ(Walk(Type("2HAL"), &TroopTypeRecord::NextMount), Names{});
    EXPECT_EQ(Type("XHER")->NextMount(nullptr), Type("ELMO"))
        << "\"ALEXHERO\" holds \"XHER\" across two codes";
    EXPECT_EQ(Walk(Type("2HAL"), &TroopTypeRecord::NextAllowedSiegeEngine),
              (Names{"Battering Ram", "Mantlets", "No siege engine"}));
    EXPECT_EQ(Type("XHER")->NextAllowedSiegeEngine(nullptr), nullptr) << "only infantry";
    EXPECT_EQ(Walk(Type("HERO"), &TroopTypeRecord::NextAllowedMagicItem),
              (Names{"Legions eagle", "No magic item"}));
    EXPECT_EQ(Type("ALEX")->NextAllowedMagicItem(nullptr), nullptr) << "item-category mask 0 offers nothing";
    std::vector<bool> counts;
    for (const auto& t : nation->troopTypes)
        counts.push_back(t->CountsForBreakpoint());
    EXPECT_EQ(counts, (std::vector<bool>{false, false, true, false, true, false, false, false}))
        << "only units without NOBREAK count for the breakpoint";
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

TEST(CatalogueRobustness, AnyBytesGiveACatalogue) {
    std::string noise;
    for (int i = 0; i < 5000; ++i)
        noise.push_back(static_cast<char>((i * 7919 + 13) % 256));
    const std::string inputs[] = {
        "",
        "<",
        "<NATION",
        "<NATION 1 \"",
        "<NATION 1 \"a\" \"b\"><TROOPS",
        "<TROOPS>",
        "<MITEM",
        "<MITEM ab",
        "<TRCAT 1",
        std::string("<NATION 1 \"a\" \"b\"><TROOPS A\0", 28),
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
