// `ovra diff-lists` and `ovra diff`, run in this process over the built-in
// lists; their output is compared with the goldens of tests/data/diff.
#include "DiffCommands.h"
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

std::string Golden(const std::string& name) {
    return ReadWholeFile(std::filesystem::path(OVRA_TEST_DATA) / "diff" / name);
}

TEST(DiffLists, PrintsEveryChangeOfTheListsInTheirOrder) {
    const ArmyCatalogue none;
    const Invocation cases[] = {
        {{"diff-lists", "@DATA/diff/old.dfm", "@DATA/diff/new.dfm"}, 1, Golden("lists.txt"), ""},
        {{"diff-lists", "--json", "@DATA/diff/old.dfm", "@DATA/diff/new.dfm"}, 1, Golden("lists.json"), ""},
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

} // namespace
