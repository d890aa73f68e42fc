// `ovra import` run as the program: shared rosters back into army files,
// what it tells, and its exit codes; and the code line `export-text` ends with.
#include "ArmyCode.h"
#include "CatalogueFixtures.h"
#include "RunProgram.h"

#include <gtest/gtest.h>

using namespace ovra;
using namespace ovra::test;

namespace {

#ifdef OVRA_PROGRAM

class ImportCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Put("roster.txt", Program({"export-text", Data("nile-host.evr"), "-"}).out);
        dir.Put("loose.txt", "Egypt\n3x Archers\nArchrs\nGeneral \xE2\x80\x93 Legion eagle\n");
        dir.Put("nothing.txt", "Hello there\n");
        dir.Put("version.txt", "Roster\novra:9:abc\n");
        // An army with a troop type the lists lack, and one of a nation they lack.
        dir.Put("dropped.txt", ArmyCode(ReadWholeFile(DataPath("army/dropped-block.evr"))));
        dir.Put("unknown.txt", ArmyCode(ReadWholeFile(DataPath("army/unknown-nation.evr"))));
    }
    static std::string Data(const char* army) { return DataPath(std::string("army/") + army).string(); }
    ProgramResult Program(const std::vector<std::string>& args) const {
        std::vector<std::string> expanded;
        for (const std::string& arg : args)
            expanded.push_back(Expand(arg, dir));
        return RunProgram(OVRA_PROGRAM, expanded);
    }
    ProgramResult Shell(const std::string& line) const {
        return RunProgram("/bin/sh", {"-c", Expand(line, dir)}, {"OVRA=" OVRA_PROGRAM});
    }

    ScratchFolder dir;
};

TEST_F(ImportCommand, ExitCodesSayWhetherEveryLineWasUnderstood) {
    const Invocation cases[] = {
        {{"import", "@TMP/roster.txt", "@TMP/out.evr"}, 0, "", ""},
        {{"import", "@TMP/loose.txt", "@TMP/out.evr"},
         1,
         "",
         "ovra: line 3: \"Archrs\": no troop type of Egypt is called so; closest: Archers\n"
         "ovra: line 4: \"General \xE2\x80\x93 Legion eagle\": General: no mount, magic item or siege engine "
         "is "
         "called \"Legion eagle\"; closest: Legions eagle\n"},
        {{"import", "--json", "@TMP/loose.txt", "@TMP/out.evr"},
         1,
         "{\n  \"source\": \"roster text\",\n  \"nation\": {\"id\": 32, \"name\": \"Egypt\"},\n  \"units\": "
         "4,\n"
         "  \"lines\": [\n    {\"line\": 3, \"text\": \"Archrs\", \"reason\": \"no troop type of Egypt is "
         "called "
         "so\", \"suggestions\": [\"Archers\"]},\n",
         ""},
        {{"import", "@TMP/nothing.txt", "@TMP/no.evr"}, 2, "", "No troop type of any army list is named"},
        {{"import", "--nation", "99", "@TMP/loose.txt", "@TMP/no.evr"},
         2,
         "",
         "No army list defines the nation 99"},
        {{"import", "@TMP/version.txt", "@TMP/no.evr"},
         2,
         "",
         "ovra: The army code on line 2 is of version 9, which this program cannot read (it reads version "
         "1)"},
        {{"import", "@TMP/dropped.txt", "@TMP/no.evr"}, 2, "", "the troop type ZZZZ is in no army list"},
        {{"import", "@TMP/unknown.txt", "@TMP/no.evr", "--allow-incomplete"}, 2, "", "now unavailable"},
        {{"import", "@TMP/loose.txt", "@TMP/loose.txt"}, 2, "", "is the input file; nothing written"},
        {{"import", "@TMP/missing.txt", "@TMP/no.evr"}, 2, "", "cannot read '"},
        {{"import", "@TMP/loose.txt"}, 2, "", "import needs a roster text (or -) and an output file"},
        {{"import", "--nation", "x", "a", "b"}, 2, "", "--nation needs a whole number"},
        {{"import", "@TMP/loose.txt", "-"}, 2, "", "import writes an army file; - names none"},
    };
    for (const Invocation& c : cases) {
        ExpectRun(Program(c.args), c);
        EXPECT_FALSE(std::filesystem::exists(dir / "no.evr"));
    }
    EXPECT_EQ(ReadWholeFile(dir / "loose.txt").substr(0, 6), "Egypt\n") << "the input is left as it was";
    EXPECT_EQ(Program({"import", "@TMP/roster.txt", "@TMP/out.evr"}).exitCode, 0);
    EXPECT_EQ(ReadWholeFile(dir / "out.evr"), ReadWholeFile(Data("nile-host.evr")));

    // Written as the code holds it, what today's lists lack included.
    ExpectRun(Program({"import", "--allow-incomplete", "@TMP/dropped.txt", "@TMP/out.evr"}),
              {{}, 0, "", "ZZZZ"});
    EXPECT_EQ(ReadWholeFile(dir / "out.evr"), ReadWholeFile(DataPath("army/dropped-block.evr")));
}

TEST_F(ImportCommand, ARosterPipedFromExportTextGivesTheSameArmyFile) {
    for (const char* army : {"nile-host.evr", "india-example.evr", "breaches.evr"}) {
        for (const char* format : {"", "--markdown"}) {
            for (const char* code : {"", "--no-code"}) {
                const std::string line = "\"$OVRA\" export-text " + Data(army) + " - " + format + " " + code +
                                         " | \"$OVRA\" import - @TMP/copy.evr";
                ExpectRun(Shell(line), {{}, 0, "", ""});
                const std::string copy = ReadWholeFile(dir / "copy.evr");
                if (*code == '\0')
                    EXPECT_EQ(copy, ReadWholeFile(Data(army))) << line;
                else
                    ExpectRun(Program({"diff", Data(army), "@TMP/copy.evr"}), {{}, 0, kAny, ""});
            }
        }
    }
    const std::string text = Program({"export-text", Data("india-example.evr"), "-"}).out;
    const std::string bare = Program({"export-text", Data("india-example.evr"), "-", "--no-code"}).out;
    EXPECT_EQ(text, bare + "\n" + ArmyCode(ReadWholeFile(Data("india-example.evr"))) + "\n");
}

#endif

} // namespace
