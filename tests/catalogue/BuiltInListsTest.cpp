// The built-in army lists: read whole, and holding together as the program
// and the players rely on.
#include "CatalogueFixtures.h"
#include "RunProgram.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ovra;
using namespace ovra::test;

namespace {

class BuiltInLists : public BuiltInCatalogueTest {};

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

TEST_F(BuiltInLists, NationsWalkInBucketOrder) {
    std::vector<std::int32_t> ids;
    for (const NationRecord* n = catalogue->NextNation(nullptr); n; n = catalogue->NextNation(n))
        ids.push_back(n->id());
    EXPECT_EQ(ids, (std::vector<std::int32_t>{8, 4, 2, 1, 16, 32, 64, 128, 2048, 1024, 512, 256}));
}

// Every nation has one general first, every code names something, every
// mount has riders and every rider may also go on foot.
TEST_F(BuiltInLists, HoldTogether) {
    for (const NationRecord* n = catalogue->NextNation(nullptr); n; n = catalogue->NextNation(n)) {
        SCOPED_TRACE(n->name);
        EXPECT_FALSE(n->info.empty());
        const TroopTypeRecord* general = n->NextListedTroopType(nullptr);
        ASSERT_NE(general, nullptr);
        EXPECT_EQ(general->troopKind, kTroopCharacter);
        EXPECT_EQ(general->minCount, 1);
        EXPECT_EQ(general->maxCount, -1);
        const TroopTypeRecord* noMount = n->FindTroopType(kNoMount);
        for (const auto& t : n->troopTypes) {
            EXPECT_EQ(t->info.empty(), t->ruleCodes.empty()) << t->name;
            InfoTextList rules;
            t->CollectInfoTexts(rules);
            EXPECT_EQ(rules.size() * 4, t->ruleCodes.size()) << "every SRULE code names a rule: " << t->name;
            for (std::size_t i = 0; i + 4 <= t->limit.size(); i += 4) {
                const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(t->limit[i + k]); };
                EXPECT_NE(n->FindTroopType(MakeCode(byte(0), byte(1), byte(2), byte(3))), nullptr) << t->name;
            }
            if (t->troopKind == kTroopMount && t->code() != kNoMount) {
                bool ridden = false;
                for (const auto& rider : n->troopTypes)
                    ridden = ridden || (rider->NextMount(nullptr) != nullptr &&
                                        t->limit.find(CodeText(rider->code())) != std::string::npos);
                EXPECT_TRUE(ridden) << t->name << " has a rider";
            }
            for (auto m = t->NextMount(nullptr); m; m = t->NextMount(m)) {
                EXPECT_EQ(t->troopKind, kTroopCharacter) << t->name;
                ASSERT_NE(noMount, nullptr);
                EXPECT_NE(noMount->limit.find(CodeText(t->code())), std::string::npos) << t->name;
            }
        }
    }
}

#ifdef OVRA_PROGRAM

// What players see of the lists, field by field, as `ovra catalogue` gives it.
TEST(BuiltInListsCatalogue, AreWhatTheProgramHasAlwaysShipped) {
    const ScratchFolder none;
    const ProgramResult result =
        RunProgram(OVRA_PROGRAM, {"catalogue", "--army-lists", none.path().string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, ReadWholeFile(DataPath("json/builtin.json")));
}

#endif

} // namespace
