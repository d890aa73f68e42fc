#include "ArmyListLint.h"
#include "CatalogueFixtures.h"
#include "Headless.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace ovra;
using namespace ovra::test;

namespace {

struct LintRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

LintRun Lint(std::vector<std::string> args) {
    args.insert(args.begin(), "lint");
    const ArmyCatalogue unused;
    std::ostringstream out;
    std::ostringstream err;
    LintRun run;
    run.exitCode = RunHeadlessCommand(ParseCommandLine(args), unused, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

TEST(LintCommand, ExitCodeSaysWhetherThereAreErrors) {
    const std::string broken = DataPath("lint/broken.dfm").string();
    const std::string example = DataPath("lint/example.dfm").string();

    LintRun run = Lint({example});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "0 errors, 0 warnings in 1 file\n");

    run = Lint({"--builtin"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "0 errors, 0 warnings in 1 file\n");

    run = Lint({broken, example});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out,
              broken +
                  ":3:1: error: TROOPS \"1INF\" is missing its </TROOPS>; it absorbs TROOPS \"2INF\" "
                  "(line 4)\n" +
                  broken +
                  ":3:47: warning: the number \"1-2\" reads as -12: every '-' in a number flips its "
                  "sign\n"
                  "1 error, 1 warning in 2 files\n");
    EXPECT_EQ(run.err, "");

    run = Lint({example, DataPath("lint/missing.dfm").string()});
    EXPECT_EQ(run.exitCode, 2) << "a file that cannot be read outweighs the rest";
    EXPECT_EQ(run.out, "0 errors, 0 warnings in 1 file\n");
    EXPECT_NE(run.err.find("missing.dfm"), std::string::npos);

    EXPECT_EQ(Lint({}).exitCode, 2);
    EXPECT_EQ(Lint({"--fix", example}).exitCode, 2);
}

TEST(LintCommand, JsonHoldsTheSameFindings) {
    const std::string broken = DataPath("lint/broken.dfm").string();
    const LintRun run = Lint({"--json", broken});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out,
              "[\n  {\n    \"file\": \"" + broken +
                  "\",\n    \"line\": 3,\n    \"column\": 1,\n    \"severity\": \"error\",\n"
                  "    \"message\": \"TROOPS \\\"1INF\\\" is missing its </TROOPS>; it absorbs TROOPS "
                  "\\\"2INF\\\" (line 4)\"\n  },\n  {\n    \"file\": \"" +
                  broken +
                  "\",\n    \"line\": 3,\n    \"column\": 47,\n    \"severity\": \"warning\",\n"
                  "    \"message\": \"the number \\\"1-2\\\" reads as -12: every '-' in a number flips "
                  "its sign\"\n  }\n]\n");
}

// Linting follows the load; what is loaded stays what the program loads.
TEST(LintCommand, TheLintersCatalogueIsTheProgramsCatalogue) {
    ArmyListLinter linter;
    linter.AddBuiltIn();
    for (const char* file :
         {"lint/broken.dfm", "lint/example.dfm", "json/fells.dfm", "catalogue/extra/extra.dfm"})
        linter.AddFile(DataPath(file), file);
    linter.Finish();

    ArmyCatalogue plain;
    plain.LoadBuiltIn();
    for (const char* file :
         {"lint/broken.dfm", "lint/example.dfm", "json/fells.dfm", "catalogue/extra/extra.dfm"})
        plain.LoadFile(DataPath(file));
    EXPECT_EQ(CatalogueJson(linter.catalogue()), CatalogueJson(plain));
}

} // namespace
