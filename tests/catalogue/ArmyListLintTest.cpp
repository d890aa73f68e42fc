#include "ArmyListLint.h"
#include "CatalogueFixtures.h"
#include "RunProgram.h"

#include <gtest/gtest.h>

using namespace ovra;
using namespace ovra::test;

namespace {

// A nation that lints clean; what follows it starts on line 3.
const std::string kNation = "<NATION 900 \"Isle\" \"Isle army\">\n"
                            "<TROOPS GEN1 \"General\" char 16384> 2 \"\" 0 0 9 1 100 1 -1</TROOPS>\n";
const std::string kEnd = "</NATION>\n";

std::string InNation(const std::string& body) {
    return kNation + body + kEnd;
}

std::vector<std::string> Lines(const std::vector<LintedText>& texts) {
    std::vector<std::string> lines;
    for (const LintedText& text : texts)
        for (const LintFinding& finding : text.findings)
            lines.push_back(FormatFinding(text.name, finding));
    return lines;
}

// Broken army lists, each linted alone after the built-in lists as at
// start-up. Their findings, named by the list, are in the golden file.
const struct {
    const char* name;
    std::string text;
} kBroken[] = {
    {"absorbed-rule.dfm", kNation + "<SPECIAL RG15 \"Range\" 0></SPECIAL>\n"},
    {"absorbed-troops.dfm", InNation("<TROOPS 1INF \"Foot\" unit 512> 1 \"\" 3 4 0 3 40 0 0\n"
                                     "<TROOPS 2INF \"Bows\" unit 512> 1 \"1\" 3 0 0 3 45 0 0</TROOPS>\n")},
    {"unclosed-nation.dfm", kNation},
    {"missing-shots.dfm", InNation("<TROOPS 1INF \"Foot\" unit 512> 1 3 4 0 3 40 0 0</TROOPS>\n"
                                   "<TROOPS 2INF \"Bows\" unit 512> 1 \"1\" 3 0 0 3 45 0 0</TROOPS>\n")},
    {"unquoted-name.dfm", "<TRCAT 4096 Sea Raiders>\n"},
    {"unclosed-info.dfm", kNation + "<INFO>The isle army.\n"},
    {"bad-kind-and-code.dfm", InNation("<TROOPS 1INF \"Foot\" unti 512> 1 \"\" 3 4 0 3 40 0 0</TROOPS>\n"
                                       "<TROOPS ARC \"Bows\" unit 512> 1 \"1\" 3 0 0 3 45 0 0</TROOPS>\n")},
    {"high-byte-before-code.dfm", "<ENGINE\x80ram \"Ram\" 10>\n</ENGINE>\n"},
    {"low-byte-before-code.dfm", "<ENGINE\x01ram \"Ram\" 10>\n</ENGINE>\n"},
    {"no-troops.dfm", "<NATION 900 \"Isle\" \"Isle army\">\n</NATION>\n"},
    {"header-without-end.dfm", InNation("<TROOPS 1INF \"Foot\" unit 512 1 \"\" 3 4 0 3 40 0 0</TROOPS>\n")},
    {"ignored-tags.dfm", "<TROOPS 1INF \"Foot\" unit 512> 1 \"\" 3 4 0 3 40 0 0<NOBREAK></TROOPS>\n" +
                             kNation + "<UINFO>x</UINFO><Troop>\n" + kEnd + "</NATION><NOTE>\n"},
    // A name of 1199 bytes is kept whole.
    {"cut-short.dfm", "<TRCAT 4096 Sea \"" + std::string(1300, 'x') + "\">\n<ABCDEFGHIJKLMNOPQRSTUVWXYZ>\n" +
                          "<TRCAT 8192 Sky \"" + std::string(1199, 'y') + "\">\n"},
    {"dash-in-number.dfm", InNation("<TROOPS 1INF \"Foot\" unit 512> 1 \"\" 3 4 0 3 40 1-2 --5</TROOPS>\n")},
    {"unknown-codes.dfm", InNation("<TROOPS POOL \"Pool\" unit 512> 1 \"\" 3 4 0 3 40 -2 0\n"
                                   "<LIMIT>GEN1 HERO</LIMIT><SRULE>RG15SKRIXY</SRULE></TROOPS>\n")},
    {"mount-without-rider.dfm",
     InNation("<TROOPS HRSE \"Horse\" moun 2> 1 \"\" 0 0 0 1 15 0 -1<LIMIT>GEN2</LIMIT></TROOPS>\n")},
    {"category-bits.dfm", InNation("<TROOPS 1INF \"Foot\" unit 768> 1 \"\" 3 4 0 3 40 0 0 17</TROOPS>\n") +
                              "<MITEM ring \"Ring\" 48> 5 6</MITEM>\n"},
    {"code-twice.dfm",
     InNation("<TROOPS GEN1 \"Second general\" char 16384> 2 \"\" 0 0 9 1 100 0 1</TROOPS>\n")},
    {"built-in-again.dfm", "<NATION 4 \"Hellas\" \"Greek army\">\n"
                           "<TROOPS GEN1 \"General\" char 16384> 2 \"\" 0 0 9 1 100 1 -1</TROOPS>\n" +
                               kEnd +
                               "<MITEM eagl \"Eagle\" 8> 10 8192</MITEM><ENGINE bara \"Ram\" 10></ENGINE>\n"
                               "<SPECIAL RG15 \"Range\" 0></SPECIAL>\n" +
                               InNation("")},
    // A maximum equal to the minimum, alone and in a pool, is fine.
    {"maximum-below-minimum.dfm",
     InNation("<TROOPS 1INF \"Foot\" unit 512> 1 \"\" 3 4 0 3 40 2 -1</TROOPS>\n"
              "<TROOPS 2INF \"Bows\" unit 512> 1 \"\" 3 4 0 3 40 -3 -2<LIMIT>1INF</LIMIT></TROOPS>\n"
              "<TROOPS 3INF \"Sling\" unit 512> 1 \"\" 3 4 0 3 40 3 -3</TROOPS>\n"
              "<TROOPS 4INF \"Spear\" unit 512> 1 \"\" 3 4 0 3 40 -3 -3<LIMIT>1INF</LIMIT></TROOPS>\n")},
    {"no-general.dfm", "<NATION 900 \"Isle\" \"Isle army\">\n"
                       "<TROOPS HERO \"Hero\" char 8192> 1 \"\" 0 0 8 1 80 0 2</TROOPS>\n" +
                           kEnd},
    {"closing-tag-letters.dfm", InNation("<TROOPS 1INF \"Foot\" unit 512> 1 \"\" 3 4 0 3 40 0 0\n"
                                         "<INFO>One </info> two</INFO><INFO>Again</INFO></TROOPS>\n")},
    {"misspelt-closing-tag.dfm",
     InNation("<TROOPS 1INF \"Foot\" unit 512> 1 \"\" 3 4 0 3 40 0 0<INFO>Foot.</INF></TROOPS>\n"
              "<TROOPS 2INF \"Bows\" unit 512> 1 \"1\" 3 0 0 3 45 0 0<INFO>Bows.</INFO></TROOPS>\n")},
    {"name-without-quote.dfm", InNation("<TROOPS 1INF \"Foot unit 512> 1 \"\" 3 4 0 3 40 0 0</TROOPS>\n")},
    // Clean: '~' in a code, NOBREAK in a troop type.
    {"edge-bytes.dfm",
     "<MITEM ri~g \"Ring\" 1> 5 -1</MITEM>\n" +
         InNation("<TROOPS BAGG \"Baggage\" unit 512> 0 \"\" 3 0 0 3 10 0 0<NOBREAK></TROOPS>\n")},
    {"absorbs-two.dfm",
     kNation + "<SPECIAL RG15 \"Range\" 0></SPECIAL>\n<SPECIAL RG16 \"Reach\" 0></SPECIAL>\n"},
    {"header-never-ends.dfm", "<ENGINE ramm \"Ram\" 10"},
    {"text-in-header.dfm", InNation("<TROOPS 1INF \"Foot\" unit 512 Inf> 1 \"\" 3 4 0 3 40 0 0</TROOPS>\n")},
    // Never legal: 6 per 1,000 points above 4; more than 9999 with no maximum.
    // A pool may ask more than its own cap (partners make it up), an absolute
    // maximum caps the minimum: both can be legal.
    {"minimum-above-maximum.dfm",
     InNation("<TROOPS REED \"Reedspears\" unit 512> 1 \"\" 3 4 0 3 40 6 4</TROOPS>\n"
              "<TROOPS HORD \"Horde\" unit 512> 1 \"\" 3 4 0 3 1 10000 0</TROOPS>\n"
              "<TROOPS POOL \"Pool\" unit 512> 1 \"\" 3 4 0 3 40 -3 2<LIMIT>REED</LIMIT></TROOPS>\n"
              "<TROOPS BOWS \"Bows\" unit 512> 1 \"\" 3 4 0 3 40 3 -1</TROOPS>\n")},
    // One finding, at the first character of more than one byte; the
    // Windows-1252 "\xF6" of the army name is what the file should hold.
    {"saved-as-utf-8.dfm",
     "<NATION 900 \"Fen-L\xC3\xB6rd\" \"Fen-L\xF6rd army\">\n"
     "<TROOPS GEN1 \"G\xC3\xA9n\xC3\xA9ral\" char 16384> 2 \"\" 0 0 9 1 100 1 -1</TROOPS>\n" +
         kEnd},
    // The root cause comes first and the record's misreadings are not told.
    {"typographic-quotes.dfm",
     InNation("<TROOPS REED \x93Reedspears\x94 unit 512> 1 \"\" 3 4 0 3 40 2 4</TROOPS>\n"
              "<TROOPS BOWS \"Bows\" unit 512> 1 \"1\" 3 0 0 3 45 0 4</TROOPS>\n") +
         "<NATION 901 \xE2\x80\x9C"
         "Fen\xE2\x80\x9D \"Fen army\">\n" +
         kNation.substr(kNation.find('\n') + 1) + kEnd},
    {"typographic-closing-quote.dfm",
     InNation("<TROOPS REED \"Reedspears\xE2\x80\x9D unit 512> 1 \"\" 3 4 0 3 40 2 4</TROOPS>\n")},
    // Bits may use all 32; other numbers are signed.
    {"number-over-32-bits.dfm",
     "<NATION 4294975488 \"Isle\" \"Isle army\">\n"
     "<TROOPS GEN1 \"General\" char 16384> 2 \"\" 0 0 9 1 10000000000 1 -1 4294967295</TROOPS>\n"
     "<TROOPS 1INF \"Foot\" unit 512> 1 \"\" 3 4 0 3 3000000000 4294967298 -2147483648"
     "</TROOPS>\n" +
         kEnd},
    // A spec and a mount cannot ride; "N1HE" is spelt across GEN1 and HERO;
    // separators between codes are fine.
    {"mount-limits.dfm",
     InNation(
         "<TROOPS HERO \"Hero\" char 8192> 1 \"\" 0 0 8 1 80 0 2</TROOPS>\n"
         "<TROOPS N1HE \"Scout\" char 8192> 1 \"\" 0 0 8 1 80 0 2</TROOPS>\n"
         "<TROOPS emsk \"Runners\" spec 512> 1 \"\" 3 0 0 3 20 0 0</TROOPS>\n"
         "<TROOPS HRSE \"Horse\" moun 2> 1 \"\" 0 0 0 1 15 0 -1<LIMIT>GEN1HEROemsk</LIMIT></TROOPS>\n"
         "<TROOPS ELMO \"Elephant\" moun 2> 1 \"\" 0 0 0 1 90 0 -1<LIMIT>emskHRSE</LIMIT></TROOPS>\n"
         "<TROOPS nomo \"No mount\" moun 1> 0 \"\" 0 0 0 0 0 0 0<LIMIT>GEN1, HERO,Hero</LIMIT></TROOPS>\n")},
    {"nation-without-name.dfm", "<NATION 900 \"\" \" \">\n" + kNation.substr(kNation.find('\n') + 1) + kEnd},
    {"limit-does-nothing.dfm",
     InNation("<TROOPS 1INF \"Foot\" unit 512> 1 \"\" 3 4 0 3 40 2 0<LIMIT>GEN1</LIMIT></TROOPS>\n")},
};

TEST(LintFindings, EachBrokenListGivesTheLinesOfTheGoldenFile) {
    std::string found;
    for (const auto& [name, text] : kBroken) {
        ArmyListLinter linter;
        linter.AddBuiltIn();
        linter.AddText(name, text);
        const std::vector<LintedText> texts = linter.Finish();
        for (const std::string& line : Lines({texts.at(1)}))
            found += line + "\n";
    }
    ExpectOutput(found, Golden("catalogue/lint-findings.txt"));
}

TEST(LintFiles, EachFileIsCheckedAgainstThoseBeforeIt) {
    ArmyListLinter linter;
    linter.AddBuiltIn();
    linter.AddText("a.dfm", InNation("<TROOPS 1INF \"Foot\" unit 512> 1 \"\" 3 4 0 3 40 0 0"
                                     "<SRULE>ISLE</SRULE></TROOPS>\n"));
    linter.AddText("b.dfm", "<SPECIAL ISLE \"Islanders\" 0></SPECIAL>\n" + InNation(""));
    EXPECT_FALSE(linter.AddFile(DataPath("lint/missing.dfm"), "missing.dfm"));
    EXPECT_TRUE(linter.AddFile(DataPath("catalogue/extra/empty.dfm"), "empty.dfm"));
    EXPECT_TRUE(linter.AddFile(DataPath("lint/example.dfm"), "example.dfm"));
    EXPECT_TRUE(linter.AddFile(DataPath("../../docs/marsh-folk.dfm"), "marsh-folk.dfm"));
    const std::vector<LintedText> texts = linter.Finish();
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_FALSE(texts[3].read);
    // The built-in lists and the guide's examples lint clean; a rule of a later file counts.
    EXPECT_EQ(Lines(texts),
              (std::vector<std::string>{
                  "b.dfm:2:1: warning: NATION 900 \"Isle\" replaces the nation \"Isle\" (a.dfm, line 1)",
                  "empty.dfm:1:1: warning: the file is empty; the program skips it"}));
    EXPECT_EQ(LintSummary(texts), "0 errors, 2 warnings in 7 files");
}

TEST(LintExample, TheGuideShowsTheExampleFileAsItIs) {
    const std::string example = ReadWholeFile(DataPath("lint/example.dfm"));
    ASSERT_FALSE(example.empty());
    const std::string guide = ReadWholeFile(DataPath("../../docs/army-list-format.md"));
    EXPECT_NE(guide.find("```\n" + example + "```\n"), std::string::npos);
}

} // namespace
