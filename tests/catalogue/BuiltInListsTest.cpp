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
        ASSERT_TRUE(c != '\n' || text[i - 1] == '\r') << "line ending at byte " << i;
    }
}

// Every nation has its general first, every SRULE code names a rule, and
// every troop type that may ride may also go on foot. The lint test checks
// the other codes and the riders; the program's output, the walk order.
TEST_F(BuiltInLists, HoldTogether) {
    for (const NationRecord* n = catalogue->NextNation(nullptr); n; n = catalogue->NextNation(n)) {
        SCOPED_TRACE(n->name);
        EXPECT_FALSE(n->info.empty());
        const TroopTypeRecord* general = n->NextListedTroopType(nullptr);
        ASSERT_NE(general, nullptr);
        EXPECT_EQ(CodeText(general->troopKind) + " " + std::to_string(general->minCount) + " " +
                      std::to_string(general->maxCount),
                  "char 1 -1");
        const TroopTypeRecord* noMount = n->FindTroopType(kNoMount);
        for (const auto& t : n->troopTypes) {
            EXPECT_EQ(t->info.empty(), t->ruleCodes.empty()) << t->name;
            InfoTextList rules;
            t->CollectInfoTexts(rules);
            EXPECT_EQ(rules.size() * 4, t->ruleCodes.size()) << "every SRULE code names a rule: " << t->name;
            if (t->NextMount(nullptr) == nullptr)
                continue;
            EXPECT_EQ(t->troopKind, kTroopCharacter) << t->name;
            ASSERT_NE(noMount, nullptr);
            EXPECT_NE(noMount->limit.find(CodeText(t->code())), std::string::npos) << t->name;
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
    ExpectOutput(result.out, Golden("json/builtin.json"));
}

#endif

} // namespace
