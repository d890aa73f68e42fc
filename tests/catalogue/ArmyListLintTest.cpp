#include "ArmyListLint.h"
#include "CatalogueFixtures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace ovra;
using namespace ovra::test;

namespace {

// The lines `ovra lint f.dfm` prints for a text, without the summary: the
// file is read after the built-in lists, as at start-up.
std::vector<std::string> LintLines(const std::string& text) {
    ArmyListLinter linter;
    linter.AddBuiltIn();
    linter.AddText("f.dfm", text);
    const std::vector<LintedText> texts = linter.Finish();
    std::vector<std::string> lines;
    for (const LintFinding& finding : texts.at(1).findings)
        lines.push_back(FormatFinding(texts[1].name, finding));
    return lines;
}

// A nation that lints clean, to hold the fragments under test. Its first
// line is line 1; what follows it starts on line 3.
const std::string kNation = "<NATION 900 \"Isle\" \"Isle army\">\n"
                            "<TROOPS GEN1 \"General\" char 16384> 2 \"\" 0 0 9 1 100 1 -1</TROOPS>\n";
const std::string kEnd = "</NATION>\n";

struct BrokenList {
    const char* what;
    std::string text;
    std::vector<std::string> lines;
};

// Test names show what each case breaks, not the bytes of the case.
void PrintTo(const BrokenList& list, std::ostream* out) {
    *out << list.what;
}

class LintFindings : public ::testing::TestWithParam<BrokenList> {};

TEST_P(LintFindings, GivesExactlyItsLines) {
    EXPECT_EQ(LintLines(GetParam().text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, LintFindings,
    ::testing::Values(
        BrokenList{"a nation without its closing tag absorbs the rule after it",
                   kNation + "<SPECIAL RG15 \"Range\" 0></SPECIAL>\n",
                   {"f.dfm:1:1: error: NATION 900 \"Isle\" is missing its </NATION>; it absorbs SPECIAL \"RG15\" "
                    "(line 3)"}},
        BrokenList{"a troop type without its closing tag absorbs the next one",
                   kNation +
                       "<TROOPS 1INF \"Foot\" unit 512> 1 \"\" 3 4 0 3 40 0 0\n"
                       "<TROOPS 2INF \"Bows\" unit 512> 1 \"1\" 3 0 0 3 45 0 0</TROOPS>\n" +
                       kEnd,
                   {"f.dfm:3:1: error: TROOPS \"1INF\" is missing its </TROOPS>; it absorbs TROOPS \"2INF\" "
                    "(line 4)"}},
        BrokenList{
            "a nation without its closing tag runs to the end of the data",
            kNation,
            {"f.dfm:1:1: error: NATION 900 \"Isle\" is missing its </NATION>; the data ends inside it"}},
        BrokenList{
            "a missing shots string takes the next quote in the text",
            kNation +
                "<TROOPS 1INF \"Foot\" unit 512> 1 3 4 0 3 40 0 0</TROOPS>\n"
                "<TROOPS 2INF \"Bows\" unit 512> 1 \"1\" 3 0 0 3 45 0 0</TROOPS>\n" +
                kEnd,
            {"f.dfm:3:33: error: the shots should be a quoted string here; the reader skips 37 bytes "
             "(\"3 4 0 3 40 0 0</TROOPS>\\x0A<TROOPS 2INF \") to the next '\"', at line 4, column 14"}},
        BrokenList{
            "a name that is not quoted at all",
            "<TRCAT 4096 Sea Raiders>\n",
            {"f.dfm:1:17: error: the name should be a quoted string here, but no '\"' follows in the rest "
             "of the data"}},
        BrokenList{"a free text without its closing tag",
                   kNation + "<INFO>The isle army.\n",
                   {"f.dfm:3:1: error: <INFO> has no closing </INFO>; the text runs to the end of the data"}},
        BrokenList{"a misspelt kind and a three-letter code",
                   kNation +
                       "<TROOPS 1INF \"Foot\" unti 512> 1 \"\" 3 4 0 3 40 0 0</TROOPS>\n"
                       "<TROOPS ARC \"Bows\" unit 512> 1 \"1\" 3 0 0 3 45 0 0</TROOPS>\n" +
                       kEnd,
                   {"f.dfm:3:21: error: the kind \"unti\" is not one of char, unit, unSk, moun, spec",
                    "f.dfm:4:9: error: the code \"ARC \" is not four printable characters"}},
        BrokenList{"an engine code of three letters, after a high byte that reads as white space",
                   "<ENGINE\x80ram \"Ram\" 10>\n</ENGINE>\n",
                   {"f.dfm:1:9: error: the code \"ram \" is not four printable characters"}},
        BrokenList{"a nation without troop types",
                   "<NATION 900 \"Isle\" \"Isle army\">\n</NATION>\n",
                   {"f.dfm:1:1: error: NATION 900 \"Isle\" has no troop types"}},
        BrokenList{
            "a header without its '>' swallows the next record's tag",
            kNation + "<TROOPS 1INF \"Foot\" unit 512 1 \"\" 3 4 0 3 40 0 0</TROOPS>\n" + kEnd,
            {"f.dfm:3:30: error: the header of this TROOPS has no '>'; the reader skips to the next one "
             "(line 3), past \"</TROOPS\"",
             "f.dfm:4:1: error: the shots should be a quoted string here, but no '\"' follows in the rest "
             "of the data"}}));

INSTANTIATE_TEST_SUITE_P(
    Warnings, LintFindings,
    ::testing::Values(
        BrokenList{"tags the reader ignores",
                   "<TROOPS 1INF \"Foot\" unit 512> 1 \"\" 3 4 0 3 40 0 0</TROOPS>\n" + kNation +
                       "<UINFO>x</UINFO><Troop>\n" + kEnd + "</NATION><NOTE>\n",
                   {"f.dfm:1:1: warning: <TROOPS> outside a NATION is ignored",
                    "f.dfm:4:1: warning: <UINFO> is not read in a NATION and is ignored",
                    "f.dfm:4:9: warning: </UINFO> does not close the NATION it stands in and is ignored",
                    "f.dfm:4:17: warning: <TROOP> is not read in a NATION and is ignored",
                    "f.dfm:6:1: warning: </NATION> closes no record and is ignored",
                    "f.dfm:6:10: warning: <NOTE> is not a record and is ignored"}},
        BrokenList{
            "texts and tag names cut short",
            "<TRCAT 4096 Sea \"" + std::string(1300, 'x') + "\">\n<ABCDEFGHIJKLMNOPQRSTUVWXYZ>\n",
            {"f.dfm:1:17: warning: the name is 1300 bytes long; the program keeps the first 1199",
             "f.dfm:2:1: warning: the tag name \"ABCDEFGHIJKLMNOPQRSTUVWXYZ\" is longer than 19 letters; "
             "the reader cuts it to \"ABCDEFGHIJKLMNOPQRS\" and ignores it"}},
        BrokenList{
            "a '-' inside a number",
            kNation + "<TROOPS 1INF \"Foot\" unit 512> 1 \"\" 3 4 0 3 40 1-2 --5</TROOPS>\n" + kEnd,
            {"f.dfm:3:47: warning: the number \"1-2\" reads as -12: every '-' in a number flips its sign",
             "f.dfm:3:51: warning: the number \"--5\" reads as 5: every '-' in a number flips its sign"}},
        BrokenList{"LIMIT and SRULE codes that name nothing",
                   kNation +
                       "<TROOPS POOL \"Pool\" unit 512> 1 \"\" 3 4 0 3 40 -2 0\n"
                       "<LIMIT>GEN1 HERO</LIMIT><SRULE>RG15SKRIXY</SRULE></TROOPS>\n" +
                       kEnd,
                   {"f.dfm:4:12: warning: the LIMIT code \" HER\" names no troop type of this nation",
                    "f.dfm:4:16: warning: the LIMIT ends in \"O\", too short for a code; it is ignored",
                    "f.dfm:4:36: warning: the SRULE code \"SKRI\" names no special rule",
                    "f.dfm:4:40: warning: the SRULE ends in \"XY\", too short for a code; it is ignored"}},
        BrokenList{"a mount nobody may ride",
                   kNation +
                       "<TROOPS HRSE \"Horse\" moun 2> 1 \"\" 0 0 0 1 15 0 -1<LIMIT>GEN2</LIMIT></TROOPS>\n" +
                       kEnd,
                   {"f.dfm:3:1: warning: no troop type of this nation may ride the mount \"HRSE\": its LIMIT "
                    "names none",
                    "f.dfm:3:57: warning: the LIMIT code \"GEN2\" names no troop type of this nation"}},
        BrokenList{
            "category bits without TRCAT or MICAT",
            kNation + "<TROOPS 1INF \"Foot\" unit 768> 1 \"\" 3 4 0 3 40 0 0 17</TROOPS>\n" + kEnd +
                "<MITEM ring \"Ring\" 48> 5 6</MITEM>\n",
            {"f.dfm:3:26: warning: the category 768 of troop type \"1INF\" is the bit of no troop category "
             "(TRCAT)",
             "f.dfm:3:51: warning: the bit 16 of the magic-item categories 17 of troop type \"1INF\" has no "
             "MICAT",
             "f.dfm:5:20: warning: the bits 16, 32 of the item category 48 of magic item \"ring\" have no "
             "MICAT",
             "f.dfm:5:26: warning: the bit 4 of the troop categories 6 of magic item \"ring\" has no TRCAT"}},
        BrokenList{
            "one troop type code twice in a nation",
            kNation + "<TROOPS GEN1 \"Second general\" char 16384> 2 \"\" 0 0 9 1 100 0 1</TROOPS>\n" + kEnd,
            {"f.dfm:3:9: warning: the troop type code \"GEN1\" is already used in this nation (line 2); "
             "lookups find the first"}},
        BrokenList{
            "a nation and codes that the built-in lists already hold",
            "<NATION 4 \"Hellas\" \"Greek army\">\n"
            "<TROOPS GEN1 \"General\" char 16384> 2 \"\" 0 0 9 1 100 1 -1</TROOPS>\n" +
                kEnd +
                "<MITEM eagl \"Eagle\" 8> 10 8192</MITEM><ENGINE bara \"Ram\" 10></ENGINE>\n"
                "<SPECIAL RG15 \"Range\" 0></SPECIAL>\n" +
                kNation + kEnd,
            {"f.dfm:1:1: warning: NATION 4 \"Hellas\" replaces the nation \"Greece\" (the built-in lists, "
             "line 138)",
             "f.dfm:4:8: warning: the code \"eagl\" is already used (the built-in lists, line 676); lookups "
             "find that record, never this one",
             "f.dfm:4:47: warning: the code \"bara\" is already used (the built-in lists, line 693); lookups "
             "find that record, never this one",
             "f.dfm:5:10: warning: the code \"RG15\" is already used (the built-in lists, line 737); lookups "
             "find that record, never this one"}},
        BrokenList{
            "an absolute maximum below the minimum, alone and in a pool (equal to it is fine)",
            kNation +
                "<TROOPS 1INF \"Foot\" unit 512> 1 \"\" 3 4 0 3 40 2 -1</TROOPS>\n"
                "<TROOPS 2INF \"Bows\" unit 512> 1 \"\" 3 4 0 3 40 -3 -2<LIMIT>1INF</LIMIT></TROOPS>\n"
                "<TROOPS 3INF \"Sling\" unit 512> 1 \"\" 3 4 0 3 40 3 -3</TROOPS>\n"
                "<TROOPS 4INF \"Spear\" unit 512> 1 \"\" 3 4 0 3 40 -3 -3<LIMIT>1INF</LIMIT></TROOPS>\n" +
                kEnd,
            {"f.dfm:3:49: warning: the absolute maximum 1 is smaller than the minimum 2; the army needs only "
             "1",
             "f.dfm:4:50: warning: the absolute maximum 2 is smaller than the 3 that the pool needs"}},
        BrokenList{
            "a nation without a general",
            "<NATION 900 \"Isle\" \"Isle army\">\n"
            "<TROOPS HERO \"Hero\" char 8192> 1 \"\" 0 0 8 1 80 0 2</TROOPS>\n" +
                kEnd,
            {"f.dfm:1:1: warning: NATION 900 \"Isle\" has no character with minimum 1 or more: its armies "
             "need no general"}},
        BrokenList{
            "closing tags in other letters, and a text given twice",
            kNation +
                "<TROOPS 1INF \"Foot\" unit 512> 1 \"\" 3 4 0 3 40 0 0\n"
                "<INFO>One </info> two</INFO><INFO>Again</INFO></TROOPS>\n" +
                kEnd,
            {"f.dfm:4:11: warning: \"</info>\" does not end the INFO text; only </INFO> in capitals does",
             "f.dfm:4:29: warning: a second <INFO> in this TROOPS replaces the first (line 4)"}},
        BrokenList{
            "a misspelt closing tag lets the text run over the next record",
            kNation +
                "<TROOPS 1INF \"Foot\" unit 512> 1 \"\" 3 4 0 3 40 0 0<INFO>Foot.</INF></TROOPS>\n"
                "<TROOPS 2INF \"Bows\" unit 512> 1 \"1\" 3 0 0 3 45 0 0<INFO>Bows.</INFO></TROOPS>\n" +
                kEnd,
            {"f.dfm:3:67: warning: the INFO text runs over </TROOPS: is its </INFO> missing or misspelt?"}},
        BrokenList{
            "a name without its closing quote",
            kNation + "<TROOPS 1INF \"Foot unit 512> 1 \"\" 3 4 0 3 40 0 0</TROOPS>\n" + kEnd,
            {"f.dfm:3:14: warning: the name \"Foot unit 512> 1 \" runs over a line break or a tag: is its "
             "closing "
             "'\"' missing?",
             "f.dfm:3:33: error: the kind \"\" 3 \" is not one of char, unit, unSk, moun, spec",
             "f.dfm:3:37: warning: the category 4 of troop type \"1INF\" is the bit of no troop category "
             "(TRCAT)",
             "f.dfm:3:39: error: the header of this TROOPS has no '>'; the reader skips to the next one "
             "(line 3), past \"</TROOPS\"",
             "f.dfm:4:1: error: the shots should be a quoted string here, but no '\"' follows in the rest "
             "of the data"}},
        BrokenList{"text in a header",
                   kNation + "<TROOPS 1INF \"Foot\" unit 512 Inf> 1 \"\" 3 4 0 3 40 0 0</TROOPS>\n" + kEnd,
                   {"f.dfm:3:30: warning: text before the '>' of this TROOPS is ignored: \"Inf\""}}));

std::vector<std::string> Lines(const LintedText& text) {
    std::vector<std::string> lines;
    for (const LintFinding& finding : text.findings)
        lines.push_back(FormatFinding(text.name, finding));
    return lines;
}

TEST(LintFiles, EachFileIsCheckedAgainstThoseBeforeIt) {
    ArmyListLinter linter;
    linter.AddBuiltIn();
    linter.AddText("a.dfm", kNation +
                                "<TROOPS 1INF \"Foot\" unit 512> 1 \"\" 3 4 0 3 40 0 0"
                                "<SRULE>ISLE</SRULE></TROOPS>\n" +
                                kEnd);
    linter.AddText("b.dfm", "<SPECIAL ISLE \"Islanders\" 0></SPECIAL>\n" + kNation + kEnd);
    EXPECT_FALSE(linter.AddFile(DataPath("lint/missing.dfm"), "missing.dfm"));
    EXPECT_TRUE(linter.AddFile(DataPath("catalogue/extra/empty.dfm"), "empty.dfm"));
    const std::vector<LintedText> texts = linter.Finish();
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(Lines(texts[1]), std::vector<std::string>{}) << "a rule of a later file counts";
    EXPECT_EQ(Lines(texts[2]),
              (std::vector<std::string>{"b.dfm:2:1: warning: NATION 900 \"Isle\" replaces the "
                                        "nation \"Isle\" (a.dfm, line 1)"}));
    EXPECT_FALSE(texts[3].read);
    EXPECT_EQ(Lines(texts[4]),
              (std::vector<std::string>{"empty.dfm:1:1: warning: the file is empty; the program skips it"}));
    EXPECT_EQ(LintSummary(texts), "0 errors, 2 warnings in 5 files");
}

TEST(LintExample, TheGuidesExampleLoadsAndLintsClean) {
    ArmyListLinter linter;
    linter.AddBuiltIn();
    ASSERT_TRUE(linter.AddFile(DataPath("lint/example.dfm"), "example.dfm"));
    const std::vector<LintedText> texts = linter.Finish();
    EXPECT_EQ(Lines(texts.at(1)), std::vector<std::string>{});

    const NationRecord* raiders = linter.catalogue().FindNation(4096);
    ASSERT_NE(raiders, nullptr);
    EXPECT_EQ(raiders->troopTypes.size(), 8u);
    const TroopTypeRecord* champion = raiders->FindTroopType(CodeOf("CHMP"));
    ASSERT_NE(champion, nullptr);
    EXPECT_EQ(champion->NextMount(nullptr)->code(), CodeOf("HRSE"));
    std::vector<Code> items;
    for (auto item = champion->NextAllowedMagicItem(nullptr); item;
         item = champion->NextAllowedMagicItem(item))
        items.push_back(item->code());
    EXPECT_EQ(items, (std::vector<Code>{kNoMagicItem, CodeOf("sfax")}));
}

TEST(LintExample, TheGuideShowsTheExampleFileAsItIs) {
    auto read = [](const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    };
    const std::string example = read(DataPath("lint/example.dfm"));
    const std::string guide = read(DataPath("../../docs/army-list-format.md"));
    ASSERT_FALSE(example.empty());
    EXPECT_NE(guide.find("```\n" + example + "```\n"), std::string::npos);
}

TEST(LintBuiltIn, TheBuiltInListsLintClean) {
    ArmyListLinter linter;
    linter.AddBuiltIn();
    const std::vector<LintedText> texts = linter.Finish();
    ASSERT_EQ(texts.size(), 1u);
    std::vector<std::string> lines;
    for (const LintFinding& finding : texts[0].findings)
        lines.push_back(FormatFinding(texts[0].name, finding));
    EXPECT_EQ(lines, std::vector<std::string>{});
}

} // namespace
