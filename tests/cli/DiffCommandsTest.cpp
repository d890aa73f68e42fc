// `ovra diff-lists` and `ovra diff`, run in this process; their output is
// compared with the goldens of tests/data/diff.
#include "DiffCommands.h"
#include "CatalogueFixtures.h"
#include "Headless.h"
#include "RunProgram.h"

#include "ArmyCatalogue.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace ovra;
using namespace ovra::test;

namespace {

using Words = std::vector<std::string>;

ProgramResult RunCommand(const Words& args, const ArmyCatalogue& catalogue) {
    Words expanded;
    for (const std::string& arg : args)
        expanded.push_back(Expand(arg, {}));
    std::ostringstream out, err;
    const int exitCode = RunHeadlessCommand(ParseCommandLine(expanded), catalogue, out, err);
    return {exitCode, out.str(), err.str()};
}


TEST(DiffLists, PrintsEveryChangeOfTheListsInTheirOrder) {
    const ArmyCatalogue none;
    const Invocation cases[] = {
        {{"diff-lists", "@DATA/diff/old.dfm", "@DATA/diff/new.dfm"}, 1, Golden("diff/lists.txt"), ""},
        {{"diff-lists", "--json", "@DATA/diff/old.dfm", "@DATA/diff/new.dfm"}, 1, Golden("diff/lists.json"), ""},
        // A folder is read as the program reads one: in name order, the later
        // Sea Raiders replacing the stale ones.
        {{"diff-lists", "@DATA/diff/old-folder", "@DATA/diff/old.dfm"}, 0, "", ""},
        {{"diff-lists", "--json", "@DATA/diff/new.dfm", "@DATA/diff/new.dfm"}, 0, "[]\n", ""},
        {{"diff-lists", "@DATA/diff/old.dfm", "@DATA/diff/missing"},
         2,
         "",
         "missing': The file does not exist."},
        {{"diff-lists", "@DATA/diff/old.dfm"}, 2, "", "diff-lists needs two army-list files or folders"},
        {{"diff-lists", "--all", "@DATA/diff/old.dfm", "@DATA/diff/new.dfm"},
         2,
         "",
         "unknown option '--all'"},
    };
    for (const Invocation& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const ProgramResult result = RunCommand(c.args, none);
        ExpectRun(result, c);
        EXPECT_EQ(result.out, c.out);
    }
}

TEST(DiffArmies, ComparesTwoArmiesLoadedAsEveryCommandLoadsThem) {
    const auto catalogue = BuiltInCatalogue();
    const std::string incomplete =
        "The file was not loaded completely. Because it was created with an armylist now unavailable.\n"
        "Ghost: the troop type ZZZZ is in no army list\n";
    const std::string dropped = "@DATA/army/dropped-block.evr", india = "@DATA/army/india-example.evr";
    const Invocation cases[] = {
        {{"diff", "@DATA/diff/nile-a.evr", "@DATA/diff/nile-b.evr"}, 1, Golden("diff/armies.txt"), ""},
        {{"diff", "--json", "@DATA/diff/nile-a.evr", "@DATA/diff/nile-b.evr"}, 1, Golden("diff/armies.json"), ""},
        {{"diff", "@DATA/diff/nile-b.evr", "@DATA/diff/nile-b.evr"},
         0,
         "nation: Egypt (32) -> Egypt (32)\npoints limit: 2500 -> 2500 (0)\ntotal: 695 -> 695 (0)\n"
         "breakpoint: 4 -> 4 (0)\n",
         ""},
        {{"diff", india, dropped},
         2,
         "",
         incomplete + "ovra: nothing done; use --allow-incomplete to go on without what was not loaded\n"},
        {{"diff", "--allow-incomplete", dropped, india},
         1,
         "nation: India (2) -> India (2)\npoints limit: 1500 -> 2000 (+500)\ntotal: 130 -> 165 (+35)\n"
         "breakpoint: 1 -> 1 (0)\nGeneral (GEN1): units 1 -> 1, points 100 -> 100 (0)\n"
         "General (GEN1) unit 1: name \"Raja\" -> \"General\"\n"
         "Longbowmen (1GBW): units 0 -> 1, points 0 -> 65 (+65)\n"
         "Longbowmen (1GBW) unit 1: only in B: \"Longbowmen\", siege engine Mantlets, 65 points\n"
         "Skirmishers (SKIR): units 1 -> 0, points 30 -> 0 (-30)\n"
         "Skirmishers (SKIR) unit 1: only in A: \"Scouts\", 30 points\n",
         incomplete},
        {{"diff", india, "@DATA/diff/missing.evr"}, 2, "", "The file does not exist."},
        {{"diff", "@DATA/army/unknown-nation.evr", india}, 2, "", "created with an armylist now unavailable"},
        {{"diff", india}, 2, "", "diff needs two army files"},
    };
    for (const Invocation& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const ProgramResult result = RunCommand(c.args, *catalogue);
        ExpectRun(result, c);
        EXPECT_EQ(result.out, c.out);
    }
}

} // namespace
