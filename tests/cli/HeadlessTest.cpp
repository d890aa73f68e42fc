// The headless commands run in this process over the built-in lists; a
// stand-in writes the "PDF" (the roster's title) where the Qt side would.
#include "Headless.h"
#include "ArmyFixtures.h"
#include "RunProgram.h"

#include "ArmyDocument.h"
#include "ArmyFile.h"
#include "ArmyListLint.h"
#include "FileIo.h"
#include "Json.h"
#include "Windows1252.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

using namespace ovra;
using namespace ovra::test;

namespace {

using Words = std::vector<std::string>;

const std::string kUnavailable =
    "The file can not be loaded, because it was created with an armylist now unavailable.\n";
const std::string kIsInput = "is the input file; nothing written";

class HeadlessCommands : public BuiltInCatalogueTest {
protected:
    void SetUp() override {
        std::filesystem::copy_file(DataPath("army/india-example.evr"), dir / "army.evr");
    }

    ProgramResult Run(const Words& args) const {
        Words expanded;
        for (const std::string& arg : args)
            expanded.push_back(Expand(arg, dir));
        std::ostringstream out, err;
        const int exitCode = RunHeadlessCommand(ParseCommandLine(expanded), *catalogue, out, err, PdfStandIn);
        return {exitCode, out.str(), err.str()};
    }
    static int PdfStandIn(const ArmyDocument& document, const std::string& path, InfoChoice,
                          std::ostream& err) {
        std::string error;
        if (WriteFileAtomically(path, document.ArmyTitle(), error))
            return 0;
        err << error << "\n";
        return 2;
    }
    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            names.insert(entry.path().filename().string());
        return names;
    }
    std::int32_t PointsOf(const std::string& name) const {
        ArmyFileHeader header;
        EXPECT_TRUE(ReadArmyFileHeader(ReadWholeFile(dir / name), header)) << name;
        return header.pointsLimit;
    }

    ScratchFolder dir;
};

TEST_F(HeadlessCommands, RefuseBadArgumentsAndInputsAndWriteNothing) {
    std::vector<std::pair<Words, std::string>> cases = {
        {{"new", "--nation", "3", "@TMP/x.evr"}, "no army list defines the nation 3"},
        {{"new", "--nation", "x", "@TMP/x.evr"}, "--nation needs a whole number"},
        {{"new", "--points"}, "--points needs a value"},
        {{"new"}, "new needs exactly one output file"},
        {{"new", "@TMP/x.evr", "@TMP/y.evr"}, "new needs exactly one output file"},
        {{"new", "--colour", "@TMP/x.evr"}, "unknown option '--colour'"},
        {{"new", "@TMP/missing/x.evr"}, "Cannot save"},
        {{"min-max", "@DATA/army/unknown-nation.evr", "@TMP/x.evr"}, kUnavailable},
        {{"min-max", "@DATA/army/short-header.evr", "@TMP/x.evr"}, "is not an army file"},
        {{"min-max", "@DATA/army/nonexistent.evr", "@TMP/x.evr"}, "The file does not exist."},
        {{"min-max", "@TMP/army.evr"}, "min-max needs an input and an output file"},
        {{"check"}, "check needs one army file"},
        {{"check", "--json", "@TMP/nothing.evr"}, "The file does not exist."},
        {{"check", "@DATA/army/unknown-nation.evr"}, kUnavailable},
        {{"catalogue", "surplus"}, "catalogue takes no arguments but --sources"},
        {{"export-html", "@TMP/army.evr", "@TMP/missing/x.html"}, "ovra: The file"},
        {{"export-html", "@DATA/army/unknown-nation.evr", "@TMP/x.html"}, kUnavailable},
        {{"export-html", "@TMP/army.evr"}, "export-html needs an army file and an output file"},
        {{"export-text", "@TMP/army.evr", "@TMP/army.evr"}, kIsInput},
        {{"export-text", "@TMP/army.evr", "@TMP/./army.evr"}, kIsInput},
        {{"export-text", "@TMP/army.evr", "@TMP/missing/x.txt"}, "ovra: "},
        {{"export-text", "@TMP/army.evr", "@TMP/x.txt", "--info", "most"},
         "--info needs complete, short or none"},
        {{"export-text", "@TMP/army.evr"}, "export-text needs an army file and an output file or -"},
        {{"export-text", "@DATA/army/short-header.evr", "@TMP/x.txt"}, "is not an army file"},
        {{"export-pdf", "@TMP/army.evr", "@TMP/x.pdf", "--info", "most"},
         "--info needs complete, short or none"},
        {{"export-pdf", "@DATA/army/short-header.evr", "@TMP/x.pdf"}, "is not an army file"},
        {{"export-pdf", "@TMP/army.evr"}, "export-pdf needs an army file and an output file"},
        {{"lint"}, "lint needs army-list files or --builtin"},
        {{"lint", "--fix", "@DATA/lint/example.dfm"}, "unknown option '--fix'"},
    };
    for (const char* points : {"lots", "-1", "+5", "1234567890", "0000000000", "2147483648", ""})
        cases.push_back(
            {{"new", "--points", points, "@TMP/x.evr"}, "--points needs a whole number from 0 to 999999999"});
    const std::set<std::string> before = Names();
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        ExpectRun(Run(args), {args, 2, "", message});
        EXPECT_EQ(Names(), before);
    }
    EXPECT_EQ(ReadWholeFile(dir / "army.evr"), ReadWholeFile(DataPath("army/india-example.evr")));
}

TEST_F(HeadlessCommands, PrintWhatWasAskedFor) {
    const std::string broken = DataPath("lint/broken.dfm").string(),
                      example = DataPath("lint/example.dfm").string();
    const std::string clean = "0 errors, 0 warnings in 1 file\n";
    const std::string findings =
        broken +
        ":3:1: error: TROOPS \"1INF\" is missing its </TROOPS>; it absorbs TROOPS \"2INF\" (line 4)\n" +
        broken + ":3:47: warning: the number \"1-2\" reads as -12: every '-' in a number flips its sign\n";
    const Invocation cases[] = {
        {{"check", "@DATA/army/breaches.evr"},
         1,
         "over the points limit: 2210 > 2000\ntoo many: General: 3 > 1\ntoo many: Longbowmen: 30 > 20\n"
         "too few: Cavalry: 0 < 4\ntoo few: Elephants: 0 < 2\nmount ridden too often: Elephant: 3 > 2\n"
         "magic item carried more than once: Legions eagle: 2\n",
         ""},
        {{"check", "--json", "@DATA/army/breaches.evr"},
         1,
         Golden("json/breaches.json"),
         ""},
        {{"lint", example}, 0, clean, ""},
        {{"lint", "--builtin"}, 0, clean, ""},
        {{"lint", broken, example}, 1, findings + "1 error, 1 warning in 2 files\n", ""},
        {{"lint", example, "@DATA/lint/missing.dfm"},
         2,
         clean,
         "missing.dfm"}, // unreadable outweighs the rest
        {{"lint", "--json", broken}, 1, Golden("lint/broken.json"), ""},
        // Text to standard output for "-", with the info choice asked for.
        {{"export-text", "@DATA/army/nile-host.evr", "-"}, 0, "\nEgypt\n", ""},
        {{"export-text", "@DATA/army/nile-host.evr", "-", "--info", "short"},
         0,
         "\nNotes\n1 - ",
         "",
         "\nEgypt\n"},
        {{"export-text", "--markdown", "@DATA/army/nile-host.evr", "-", "--info", "none"},
         0,
         "# nile-host - Egypt, 2000 points\n\n| Character | Options | Pts |",
         "",
         "Notes"},
    };
    for (const Invocation& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const ProgramResult result = Run(c.args);
        ExpectRun(result, c);
        if (c.args[0] != "export-text") {
            EXPECT_EQ(result.out, c.out);
        }
    }
    EXPECT_FALSE(std::filesystem::exists("-"));
    EXPECT_EQ(Names(), std::set<std::string>{"army.evr"});
}

TEST_F(HeadlessCommands, NewAndMinMaxSaveTheArmiesAsked) {
    ExpectRun(Run({"new", "@TMP/plain.evr"}), {{}, 0, "", ""});
    EXPECT_EQ(ReadWholeFile(dir / "plain.evr"), std::string("\1\0\0\0\x08\0\0\0\xD0\x07\0\0", 12))
        << "the first nation at 2000 points, no units";
    for (const char* points : {"0", "999999999"}) {
        ASSERT_EQ(Run({"new", "--points", points, "@TMP/edge.evr"}).exitCode, 0) << points;
        EXPECT_EQ(PointsOf("edge.evr"), std::stoi(points));
    }
    // Min/Max units of an empty army is the army filled with every minimum.
    ASSERT_EQ(Run({"new", "--points", "3000", "--nation", "4", "@TMP/greek.evr"}).exitCode, 0);
    EXPECT_EQ(Run({"check", "@TMP/greek.evr"}).exitCode, 1);
    ASSERT_EQ(
        Run({"new", "--nation", "4", "--fill-minimums", "--points", "3000", "@TMP/filled.evr"}).exitCode, 0);
    EXPECT_EQ(Run({"check", "@TMP/filled.evr"}).exitCode, 0);
    EXPECT_EQ(PointsOf("filled.evr"), 3000);
    ASSERT_EQ(Run({"min-max", "@TMP/greek.evr", "@TMP/fixed.evr"}).exitCode, 0);
    EXPECT_EQ(ReadWholeFile(dir / "fixed.evr"), ReadWholeFile(dir / "filled.evr"));
    // An empty file opens as a new army: the first nation at 2000 points.
    ASSERT_EQ(Run({"new", "--fill-minimums", "@TMP/first.evr"}).exitCode, 0);
    ExpectRun(Run({"min-max", "@DATA/army/empty.evr", "@TMP/fixed.evr"}), {{}, 0, "", ""});
    EXPECT_EQ(ReadWholeFile(dir / "fixed.evr"), ReadWholeFile(dir / "first.evr"));
    // A complete army may be brought within its bounds in its own file.
    std::filesystem::copy_file(DataPath("army/breaches.evr"), dir / "breaches.evr");
    ExpectRun(Run({"min-max", "@TMP/breaches.evr", "@TMP/breaches.evr"}), {{}, 0, "", ""});
    ExpectRun(Run({"check", "@TMP/breaches.evr"}), {{}, 0, "", ""});
}

TEST_F(HeadlessCommands, AnIncompleteLoadStopsEveryCommandUnlessAllowed) {
    const std::string loaded =
        "The file was not loaded completely. Because it was created with an armylist now unavailable.\n"
        "Ghost: the troop type ZZZZ is in no army list\n";
    const std::string dropped = "@DATA/army/dropped-block.evr";
    const struct {
        Words args;
        const char* output; // empty: the command writes nothing
        int exitWhenAllowed;
        std::string printedWhenAllowed;
    } cases[] = {
        {{"min-max", dropped, "@TMP/out.evr"}, "out.evr", 0, ""},
        {{"check", dropped},
         "",
         1,
         "too few: Longbowmen: 0 < 4\ntoo few: Cavalry: 0 < 2\ntoo few: Elephants: 0 < 1\n"},
        {{"export-html", dropped, "@TMP/out.html"}, "out.html", 0, ""},
        {{"export-text", dropped, "@TMP/out.txt"}, "out.txt", 0, ""},
        {{"export-pdf", dropped, "@TMP/out.pdf", "--info", "short"}, "out.pdf", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0]);
        const ProgramResult refused = Run(c.args);
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_EQ(refused.err, loaded +
                                   "ovra: nothing done; use --allow-incomplete to go on without what was "
                                   "not loaded\n");
        EXPECT_EQ(refused.out, "");
        EXPECT_FALSE(std::filesystem::exists(dir / c.output) && *c.output != '\0');

        Words allowed = c.args;
        allowed.insert(allowed.begin() + 1, "--allow-incomplete");
        const ProgramResult result = Run(allowed);
        EXPECT_EQ(result.exitCode, c.exitWhenAllowed) << result.err;
        EXPECT_EQ(result.err, loaded);
        EXPECT_EQ(result.out, c.printedWhenAllowed);
        EXPECT_TRUE(std::filesystem::exists(dir / c.output));
    }
    EXPECT_EQ(Run({"check", "@TMP/out.evr"}).err, "") << "min-max saved the army without the units it lacked";
}

// Armies saved with mixed.dfm, read with a later version of it that lost
// the horse, the ring, the captains and the skirmishers' runners; no list
// ever held the engine "catp".
TEST(ChangedArmyLists, StopEveryCommandAndNameWhatIsLost) {
    const ScratchFolder dir;
    std::string list = ReadWholeFile(DataPath("army/mixed.dfm"));
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"<MITEM ring", "</MITEM>"},
                                   {"<TROOPS CAPT", "</TROOPS>"},
                                   {"<TROOPS HORS", "</TROOPS>"}}) {
        const std::size_t at = list.find(from);
        list.erase(at, list.find(to, at) + to.size() - at);
    }
    list.replace(list.find("unSk"), 4, "unit");
    dir.Put("v2/list.dfm", list);
    const std::string header("\1\0\0\0\1\0\0\0\xD0\7\0\0", 12), end = "</UNIT>\n";
    const struct {
        std::string blocks;
        std::string lost;
    } cases[] = {
        {"<UNIT>\nDROLLord\n<MOUNT>\nSROH" + end, "Lord: the mount HORS is in no army list\n"},
        {"<UNIT>\nDROLLord\n<MITEM>\ngnir" + end, "Lord: the magic item ring is in no army list\n"},
        {"<UNIT>\nAEPSRams\n<ENGINE>\nptac" + end, "Rams: the siege engine catp is in no army list\n"},
        {"<UNIT>\nMRKS\n<SKIRMISHER>\n" + end,
         "Skirmishers: the troop type SKRM can no longer take runners\n"},
        {"<UNIT>\nTPACOld\n" + end, "Old: the troop type CAPT is in no army list\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lost);
        const std::string army = dir.Put("lord.evr", header + c.blocks).string();
        const std::string stderrText =
            std::string(kIncompleteLoadMessage) + "\n" + c.lost +
            "ovra: nothing done; use --allow-incomplete to go on without what was not loaded\n";
        for (const std::vector<std::string>& command : {std::vector<std::string>{"check", army},
                                                        {"min-max", army, army},
                                                        {"export-html", army, (dir / "x.html").string()}}) {
            std::vector<std::string> args = command;
            args.insert(args.end(), {"--army-lists", (dir / "v2").string()});
            const ProgramResult result = RunProgram(OVRA_PROGRAM, args);
            EXPECT_EQ(result.exitCode, 2) << command[0];
            EXPECT_EQ(result.err, stderrText);
        }
        EXPECT_EQ(ReadWholeFile(army), header + c.blocks) << "min-max left the file alone";
        EXPECT_FALSE(std::filesystem::exists(dir / "x.html"));
    }
}

// fells.dfm holds bytes above 0x7F, control bytes, quotes, backslashes, a
// NOBREAK, a ten-field stat line and a category with the top bit set.
TEST(CatalogueJson, IsTheExpectedDocumentByteForByte) {
    ArmyCatalogue catalogue;
    ASSERT_EQ(catalogue.LoadDirectory(DataPath("json")), 1);
    ExpectOutput(CatalogueJson(catalogue), Golden("json/fells.json"));
    EXPECT_EQ(CatalogueJson(ArmyCatalogue()), "{\n  \"nations\": [],\n  \"troopCategories\": [],\n"
                                              "  \"magicItemCategories\": [],\n  \"magicItems\": [],\n"
                                              "  \"siegeEngines\": [],\n  \"specialRules\": []\n}\n");
}

// JSON shows the bytes as the window, the text and Markdown do: as
// Windows-1252, so that 0x80 is the euro sign and 0x92 a right quote.
TEST(CatalogueJson, BytesAreTheirWindows1252Characters) {
    std::string json;
    JsonWriter::AppendQuoted(json, "\x80\x92\x81\x9F\xA0\xFF");
    EXPECT_EQ(json, "\"\u20AC\u2019\u0081\u0178\u00A0\u00FF\"");
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const std::string text(1, static_cast<char>(byte));
        std::string quoted;
        JsonWriter::AppendQuoted(quoted, text);
        EXPECT_EQ(quoted, "\"" + Windows1252ToUtf8(text) + "\"") << "as text exports write it: " << byte;
    }
}

// Linting follows the load; what is loaded stays what the program loads.
TEST(LintCommand, TheLintersCatalogueIsTheProgramsCatalogue) {
    ArmyListLinter linter;
    ArmyCatalogue plain;
    linter.AddBuiltIn();
    plain.LoadBuiltIn();
    for (const char* file :
         {"lint/broken.dfm", "lint/example.dfm", "json/fells.dfm", "catalogue/extra/extra.dfm"}) {
        linter.AddFile(DataPath(file), file);
        plain.LoadFile(DataPath(file));
    }
    linter.Finish();
    EXPECT_EQ(CatalogueJson(linter.catalogue()), CatalogueJson(plain));
}

} // namespace
