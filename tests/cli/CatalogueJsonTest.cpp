#include "CatalogueFixtures.h"
#include "Headless.h"
#include "RunProgram.h"

#include <gtest/gtest.h>

using namespace ovra;
using namespace ovra::test;

namespace {

// fells.dfm holds bytes above 0x7F, control bytes, quotes, backslashes, a
// NOBREAK, a ten-field stat line and a category with the top bit set.
TEST(CatalogueJson, MatchesTheExpectedDocumentByteForByte) {
    ArmyCatalogue catalogue;
    ASSERT_EQ(catalogue.LoadDirectory(DataPath("json")), 1);
    EXPECT_EQ(CatalogueJson(catalogue), ReadWholeFile(DataPath("json/fells.json")));
}

TEST(CatalogueJson, EmptyCatalogueHasEveryKey) {
    const ArmyCatalogue catalogue;
    EXPECT_EQ(CatalogueJson(catalogue), "{\n  \"nations\": [],\n  \"troopCategories\": [],\n"
                                        "  \"magicItemCategories\": [],\n  \"magicItems\": [],\n"
                                        "  \"siegeEngines\": [],\n  \"specialRules\": []\n}\n");
}

#ifdef OVRA_PROGRAM

TEST(CatalogueCommand, MergesTheBuiltInListsWithTheGivenDirectory) {
    const ProgramResult result = RunProgram(OVRA_PROGRAM, {"catalogue", "--army-lists", DataPath("json")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    // Nation 3 goes to the head of bucket 0: it is the first nation listed.
    const std::string expected = ReadWholeFile(DataPath("json/fells.json"));
    const std::string nation = expected.substr(expected.find("    {\n      \"id\": 3"));
    const std::string firstNation = nation.substr(0, nation.find("\n    }") + 6);
    EXPECT_EQ(result.out.find("{\n  \"nations\": [\n" + firstNation), 0u);
}

TEST(CatalogueCommand, BadInvocationsExitWithTwo) {
    const ProgramResult missing = RunProgram(OVRA_PROGRAM, {"--army-lists", "/no/such/folder", "catalogue"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("/no/such/folder"), std::string::npos);
    EXPECT_EQ(missing.out, "");

    const ProgramResult unknown = RunProgram(OVRA_PROGRAM, {"--frobnicate"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("Usage:"), std::string::npos);

    const ProgramResult extra = RunProgram(OVRA_PROGRAM, {"catalogue", "surplus"});
    EXPECT_EQ(extra.exitCode, 2);

    const ProgramResult help = RunProgram(OVRA_PROGRAM, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Usage:"), std::string::npos);
}

#endif

} // namespace
