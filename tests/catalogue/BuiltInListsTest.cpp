// The built-in army lists: the facts the rest of the program and the players
// rely on.
#include "CatalogueFixtures.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

using namespace ovra;
using namespace ovra::test;

namespace {

class BuiltInLists : public BuiltInCatalogueTest {
protected:
    static const NationRecord& Nation(std::int32_t id) {
        const NationRecord* n = catalogue->FindNation(id);
        EXPECT_NE(n, nullptr) << id;
        return *n;
    }
    static const TroopTypeRecord& Type(std::int32_t nation, std::string_view code) {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(code[i]); };
        const TroopTypeRecord* t = Nation(nation).FindTroopType(MakeCode(byte(0), byte(1), byte(2), byte(3)));
        EXPECT_NE(t, nullptr) << code;
        return *t;
    }
};

TEST_F(BuiltInLists, TheTextIsPlainAsciiEndingInNulAndCrLf) {
    ArmyListReader reader;
    ASSERT_TRUE(reader.OpenResource(kBuiltInArmyListResource));
    const std::string text(reinterpret_cast<const char*>(reader.Data()), reader.Size());
    ASSERT_GE(text.size(), 3u);
    EXPECT_EQ(text.substr(text.size() - 3), std::string("\0\r\n", 3));
    for (std::size_t i = 0; i + 3 < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        ASSERT_TRUE(c < 0x80 && c != 0) << "byte " << i;
        if (c == '\n') {
            ASSERT_EQ(text[i - 1], '\r') << "line ending at byte " << i;
        }
    }
}

TEST_F(BuiltInLists, NationsWalkInBucketOrderWithTheirArmyNames) {
    std::vector<std::int32_t> ids;
    for (const NationRecord* n = catalogue->NextNation(nullptr); n; n = catalogue->NextNation(n))
        ids.push_back(n->id());
    EXPECT_EQ(ids, (std::vector<std::int32_t>{8, 4, 2, 1, 16, 32, 64, 128, 2048, 1024, 512, 256}));

    const std::map<std::int32_t, std::pair<std::string, std::string>> names{
        {1, {"Alexander the Great", "Alexander's army"}},
        {2, {"India", "Indian army"}},
        {4, {"Greece", "Greek army"}},
        {8, {"Trojan wars", "Army of the Trojan war"}},
        {16, {"Achaemenid Persia", "Persian army"}},
        {32, {"Egypt", "Egyptian army"}},
        {64, {"Republican Rome", "Rebublican Roman army"}},
        {128, {"Carthago", "Carthagian army"}},
        {256, {"Imperial Rome", "Imperial Roman army"}},
        {512, {"Gaul", "Gallic army"}},
        {1024, {"German", "German army"}},
        {2048, {"Britons", "Briton army"}},
    };
    for (const auto& [id, expected] : names) {
        EXPECT_EQ(Nation(id).name, expected.first);
        EXPECT_EQ(Nation(id).armyName, expected.second);
    }
}

TEST_F(BuiltInLists, TroopTypesAndKindsPerNation) {
    // char / unit / unSk / moun / spec, and the codes in file order.
    const std::map<std::int32_t, std::pair<std::vector<int>, std::string>> nations{
        {1, {{2, 10, 0, 2, 0}, "ALEXHERO1UAR2HAL3GIN4RSK5WSK1YGD2HCV3HCVELPHBALLELMOnomo"}},
        {2, {{3, 7, 0, 3, 0}, "GEN1HER7HER81GBW2WOR3AVASKIRLGCVCHARELPHELMOCHMOnomo"}},
        {4, {{2, 6, 0, 0, 0}, "GEN9Hero1PHA2PEL3SKI4SKI1HCV2LCV"}},
        {8, {{2, 5, 0, 2, 0}, "1GEN2HER1TER2ARC3JAV4SKICHARCHMOnomo"}},
        {16, {{2, 13, 0, 2, 0}, "GEN9HERO1MOR2INF3INF5INF6INF1GCA2LCV3CAV4CAV1CHR2CHRELPHBOLTCHMOnomo"}},
        {32, {{2, 6, 1, 2, 1}, "GEN8HERO1INF2INF3INF4INF5INFemsk1cav1CHACHMOnomo"}},
        {64, {{2, 6, 0, 0, 0}, "GEN9HERO1INF2INF3INF4INF1CAV2CAV"}},
        {128, {{2, 7, 0, 0, 0}, "GEN9HERO1INF2INF3INF4INF1CAV2CAVELEP"}},
        {256, {{2, 11, 0, 0, 0}, "GEN9HERO1INF2INF3INF4INF5INF6INF1CAV2CAVELEPBOLTSTON"}},
        {512, {{3, 6, 0, 2, 0}, "GEN8HEROLHER1INF2INF3INF4INF1CAV1CHTCHMOnomo"}},
        {1024, {{3, 6, 0, 0, 0}, "GEN8HEROLHER1INF2INF5INF6INF1CAV2CAV"}},
        {2048, {{3, 6, 0, 2, 0}, "GEN8LHERHERO2INF3INF5INF6INF1CAV1CHTCHMOnomo"}},
    };
    const Code kinds[] = {kTroopCharacter, kTroopUnit, kTroopSkirmisherUnit, kTroopMount, kTroopSpecial};
    std::size_t total = 0;
    for (const auto& [id, expected] : nations) {
        const NationRecord& n = Nation(id);
        std::vector<int> counts(5, 0);
        std::string codes;
        for (const auto& t : n.troopTypes) {
            codes += CodeText(t->code());
            for (int k = 0; k < 5; ++k)
                counts[static_cast<std::size_t>(k)] += t->troopKind == kinds[k] ? 1 : 0;
        }
        EXPECT_EQ(counts, expected.first) << n.name;
        EXPECT_EQ(codes, expected.second) << n.name;
        total += n.troopTypes.size();
    }
    EXPECT_EQ(total, 134u);
}

TEST_F(BuiltInLists, TellingRowsHoldTheirValues) {
    struct Row {
        std::int32_t nation;
        const char* code;
        const char* name;
        Code kind;
        std::vector<int> numbers; // category, attacks, hits, save, command, size, points, min, max
        const char* shots;
        const char* limit;
        const char* rules;
    };
    const Row rows[] = {
        {1, "ALEX", "Alexander", kTroopCharacter, {16384, 2, 0, 0, 10, 1, 170, 1, -1}, "", "", ""},
        {1, "HERO", "Officers", kTroopCharacter, {8192, 1, 0, 0, 8, 1, 80, 0, 2}, "", "", ""},
        {1, "1UAR", "Guard Phalangites", kTroopUnit, {512, 2, 3, 5, 0, 3, 70, 0, 1}, "", "", "PHAL"},
        {1, "3GIN", "Light Infantry", kTroopUnit, {512, 3, 3, 0, 0, 3, 40, 0, 8}, "1", "", "RG15"},
        {1, "ELMO", "Elephant", kTroopMount, {2, 3, 0, 0, 0, 1, 90, 0, 1}, "", "ALEXHERO", "MOTE"},
        {1, "nomo", "No mount", kTroopMount, {1, 0, 0, 0, 0, 0, 0, 0, 0}, "", "ALEXHERO", ""},
        {4, "1PHA", "Phalangites", kTroopUnit, {512, 2, 3, 6, 0, 3, 55, 7, 0}, "", "", "PHAL"},
        {32, "emsk", "Chariot Runners", kTroopSpecial, {512, 3, 3, 0, 0, 3, 40, 0, 0}, "1", "", "RG15CHRU"},
        {32, "1CHA", "Chariots", kTroopSkirmisherUnit, {128, 2, 3, 6, 0, 3, 70, 1, 4}, "1", "", "NOCT"},
        {256, "STON", "Onager", kTroopUnit, {32, 1, 3, 0, 0, 1, 75, 0, 1}, "3", "", "STON"},
    };
    for (const Row& row : rows) {
        const TroopTypeRecord& t = Type(row.nation, row.code);
        EXPECT_EQ(t.name, row.name);
        EXPECT_EQ(t.troopKind, row.kind) << row.code;
        EXPECT_EQ((std::vector<int>{t.category, t.attacks, t.hits, t.armourSave, t.command, t.size, t.points,
                                    t.minCount, t.maxCount}),
                  row.numbers)
            << row.code;
        EXPECT_EQ(t.shots, row.shots) << row.code;
        EXPECT_EQ(t.limit, row.limit) << row.code;
        EXPECT_EQ(t.ruleCodes, row.rules) << row.code;
        EXPECT_EQ(t.info.empty(), std::string(row.rules).empty()) << row.code;
        EXPECT_EQ(t.itemCategoryMask, 0);
    }
}

TEST_F(BuiltInLists, SharedTablesInFileOrder) {
    std::vector<std::string> categories;
    for (std::int32_t bit : {1, 2, 16, 32, 64, 128, 256, 512, 2048, 4096, 8192, 16384}) {
        const TroopCategory* c = catalogue->FindTroopCategory(bit);
        ASSERT_NE(c, nullptr) << bit;
        categories.push_back(c->abbreviation + "=" + c->name);
    }
    EXPECT_EQ(categories, (std::vector<std::string>{"CM=Chariot Mount", "MM=Mostrous Mount", "Mac=Machine",
                                                    "Art=Artillery", "Mon=Monster", "Cht=Chariot",
                                                    "Cav=Cavalry", "Inf=Infantry", "Run=Runesmith",
                                                    "Wiz=Wizard", "Her=Hero", "Gen=General"}));
    for (const auto& [bit, name] :
         std::map<int, std::string>{{1, "Weapon"}, {2, "Banner"}, {4, "Device of Power"}, {8, "Roman Items"}})
        EXPECT_EQ(catalogue->FindMagicItemCategory(bit)->name, name);

    const MagicItemRecord* eagle = catalogue->NextMagicItem(nullptr);
    ASSERT_NE(eagle, nullptr);
    EXPECT_EQ(CodeText(eagle->code()) + eagle->name, "eaglLegions eagle");
    EXPECT_EQ((std::vector<int>{eagle->itemCategory, eagle->points, eagle->troopCategoryMask}),
              (std::vector<int>{8, 10, 8192}));
    EXPECT_FALSE(eagle->info.empty());
    const MagicItemRecord* none = catalogue->NextMagicItem(eagle);
    ASSERT_NE(none, nullptr);
    EXPECT_EQ((std::vector<int>{none->itemCategory, none->points, none->troopCategoryMask}),
              (std::vector<int>{-1, 0, -1}));
    EXPECT_TRUE(none->info.empty());
    EXPECT_EQ(catalogue->NextMagicItem(none), nullptr);

    std::string engines;
    for (auto e = catalogue->NextSiegeEngine(nullptr); e; e = catalogue->NextSiegeEngine(e)) {
        engines += CodeText(e->code()) + ":" + e->name + ":" + std::to_string(e->points) + ";";
        EXPECT_EQ(e->info.empty(), e->code() == kNoSiegeEngine);
    }
    EXPECT_EQ(engines, "bara:Battering Ram:10;mant:Mantlets:10;noen:No siege engine:0;towr:Siege Tower:10;"
                       "tora:Siege Tower with ram:20;sows:Sows:5;");

    std::string rules;
    for (auto r = catalogue->NextSpecialRule(nullptr); r; r = catalogue->NextSpecialRule(r)) {
        rules += CodeText(r->code()) + ":" + r->name + ":" + std::to_string(r->points) + ";";
        EXPECT_FALSE(r->info.empty());
    }
    EXPECT_EQ(rules, "MINM:Bad morale or training:-5;BALL:Ballista:0;CAML:Camels:0;CHRU:Chariot runners:0;"
                     "ELPH:Elephants:0;FANA:Fanatic:0;MANI:Manipel:10;NOCT:No chariot bonus:0;PHAL:Phalanx:0;"
                     "RG15:Range 15cm.:0;SHAM:Shaman:0;SHLD:Shieldwall:10;SHAR:Shoot all round.:0;"
                     "SKIR:Skirmisher:0;STON:Stone thrower:0;TERR:Terror:0;MOTE:Terror:0;TEST:Testudo:5;"
                     "WARB:Warband:5;");
}

TEST_F(BuiltInLists, InfoTextsFollowTheirRules) {
    int infoTexts = 0;
    int withRules = 0;
    std::size_t shortest = SIZE_MAX;
    std::size_t longest = 0;
    const auto count = [&](const std::string& info) {
        if (info.empty())
            return;
        ++infoTexts;
        shortest = std::min(shortest, info.size());
        longest = std::max(longest, info.size());
    };
    for (const NationRecord* n = catalogue->NextNation(nullptr); n; n = catalogue->NextNation(n)) {
        EXPECT_FALSE(n->info.empty()) << n->name;
        count(n->info);
        for (const auto& t : n->troopTypes) {
            count(t->info);
            EXPECT_TRUE(t->unitInfo.empty());
            EXPECT_TRUE(t->countsForBreakpoint) << "no NOBREAK in the built-in lists";
            EXPECT_EQ(t->info.empty(), t->ruleCodes.empty()) << n->name << " " << t->name;
            if (t->ruleCodes.empty())
                continue;
            ++withRules;
            EXPECT_EQ(t->ruleCodes.size() % 4, 0u) << t->name;
            InfoTextList rules;
            t->CollectInfoTexts(rules);
            EXPECT_EQ(rules.size(), t->ruleCodes.size() / 4) << "every SRULE code names a rule: " << t->name;
            for (const std::string& rule : rules)
                EXPECT_NE(t->info.find(rule), std::string::npos) << t->name << " repeats its rules";
        }
    }
    for (auto m = catalogue->NextMagicItem(nullptr); m; m = catalogue->NextMagicItem(m))
        count(m->info);
    for (auto e = catalogue->NextSiegeEngine(nullptr); e; e = catalogue->NextSiegeEngine(e))
        count(e->info);
    for (auto r = catalogue->NextSpecialRule(nullptr); r; r = catalogue->NextSpecialRule(r))
        count(r->info);
    EXPECT_EQ(withRules, 69);
    EXPECT_EQ(infoTexts, 106);
    EXPECT_EQ(shortest, 14u);
    EXPECT_EQ(longest, 1642u);
}

TEST_F(BuiltInLists, MountsAreRiddenByCharactersOnly) {
    for (const NationRecord* n = catalogue->NextNation(nullptr); n; n = catalogue->NextNation(n)) {
        const TroopTypeRecord* noMount = n->FindTroopType(kNoMount);
        bool hasMounts = false;
        for (const auto& t : n->troopTypes) {
            if (t->troopKind == kTroopMount) {
                hasMounts = true;
                EXPECT_TRUE(t->category == 1 || t->category == 2) << t->name;
            }
            // Every troop type a mount accepts is a character, and each such
            // character may also choose "No mount".
            for (auto m = t->NextMount(nullptr); m; m = t->NextMount(m)) {
                EXPECT_EQ(t->troopKind, kTroopCharacter) << n->name << " " << t->name;
                ASSERT_NE(noMount, nullptr) << n->name;
                EXPECT_NE(noMount->limit.find(CodeText(t->code())), std::string::npos) << t->name;
            }
        }
        EXPECT_EQ(hasMounts, noMount != nullptr) << n->name;
        if (noMount) {
            EXPECT_EQ(noMount->points, 0);
            EXPECT_TRUE(noMount->info.empty());
        }
    }
    EXPECT_EQ(Type(1, "HERO").NextMount(nullptr), &Type(1, "ELMO"));
    EXPECT_EQ(Type(1, "HERO").NextMount(&Type(1, "ELMO")), &Type(1, "nomo"));
    EXPECT_EQ(Type(1, "2HAL").NextMount(nullptr), nullptr);
    EXPECT_NE(Type(2, "GEN1").NextMount(nullptr), nullptr) << "India's general may ride";
}

TEST_F(BuiltInLists, GeneralsAndTheFixedBounds) {
    for (const NationRecord* n = catalogue->NextNation(nullptr); n; n = catalogue->NextNation(n)) {
        const TroopTypeRecord* general = n->NextListedTroopType(nullptr);
        ASSERT_NE(general, nullptr);
        EXPECT_EQ(general->troopKind, kTroopCharacter);
        EXPECT_EQ(general->minCount, 1) << n->name;
        EXPECT_EQ(general->maxCount, -1) << n->name;
    }
    const TroopTypeRecord& bows = Type(2, "1GBW");
    EXPECT_EQ(bows.name, "Longbowmen");
    EXPECT_EQ((std::vector<int>{bows.minCount, bows.maxCount, bows.category}),
              (std::vector<int>{4, 10, 512}));
    EXPECT_EQ(Type(2, "HER7").maxCount, 2);
    EXPECT_EQ(Type(2, "ELMO").maxCount, 1);
    EXPECT_EQ(Type(8, "1TER").minCount, 6);
    EXPECT_EQ(Type(8, "1TER").maxCount, 0);
    // Only the general, the longbowmen, the cavalry and the elephants are required in India.
    for (const auto& t : Nation(2).troopTypes) {
        const std::set<std::string> required{"GEN1", "1GBW", "LGCV", "ELPH"};
        EXPECT_EQ(t->minCount > 0, required.count(CodeText(t->code())) == 1) << t->name;
    }
}

} // namespace
