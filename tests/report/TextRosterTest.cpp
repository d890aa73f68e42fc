// The roster as UTF-8 text and Markdown to share.
#include "TextRoster.h"
#include "Windows1252.h"

#include "RosterFixtures.h"
#include "RunProgram.h"
#include "ScratchFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace ovra {
namespace {

using test::C;
using ::testing::HasSubstr;
using ::testing::Not;

class ReportText : public ::testing::Test {
protected:
    // The full army with a name in Windows-1252 that holds Markdown's markup.
    void SetUp() override {
        test::BuildFullArmy(egypt, *catalogue);
        egypt.army().SetName(*egypt.army().UnitAt(egypt.army().UnitCount() - 1),
                             "Reiter \xC4rger | *schnell* \x80");
    }
    std::string Render(InfoChoice info, TextFormat format) {
        return RenderText(ComposeRoster(egypt.doc, info), format);
    }

    std::unique_ptr<ArmyCatalogue> catalogue = test::BuiltInCatalogue();
    test::RosterDocument egypt{*catalogue, test::kEgypt, 1000};
};

TEST_F(ReportText, PlainTextAndMarkdownAreTheKnownTexts) {
    test::ExpectOutput(Render(InfoChoice::Complete, TextFormat::Plain), test::Golden("report/full.txt"));
    test::ExpectOutput(Render(InfoChoice::Complete, TextFormat::Markdown), test::Golden("report/full.md"));
}

TEST_F(ReportText, TheInfoChoiceSelectsNotesButAlwaysDescribesItemsAndEngines) {
    const struct {
        InfoChoice info;
        bool notes;
        const char* tableHead;
    } cases[] = {{InfoChoice::Short, true, "| Unit | Options | Notes | Pts |"},
                 {InfoChoice::None, false, "| Unit | Options | Pts |"}};
    for (const auto& c : cases) {
        const std::string plain = Render(c.info, TextFormat::Plain);
        const std::string markdown = Render(c.info, TextFormat::Markdown);
        // Only a complete roster holds the nation's description.
        EXPECT_THAT(plain, Not(HasSubstr("\nEgypt\n")));
        EXPECT_THAT(markdown, Not(HasSubstr("\n## Egypt\n")));
        EXPECT_EQ(plain.find("\nNotes\n1 - Skirmishers") != std::string::npos, c.notes);
        EXPECT_EQ(plain.find('[') != std::string::npos, c.notes);
        EXPECT_THAT(markdown, HasSubstr(c.tableHead));
        EXPECT_THAT(plain, HasSubstr("\nLegions eagle (carried more than once)\nThe eagle is"));
        EXPECT_THAT(markdown, HasSubstr("\n## Battering Ram\n\nA heavy beam"));
    }
}

TEST_F(ReportText, MarkdownExportRendersItsGroupsAsTablesWithNamesAsWritten) {
    const test::ScratchFolder dir;
    std::string error;
    EXPECT_FALSE(
        ExportText(egypt.doc, dir / "missing" / "army.md", TextFormat::Markdown, InfoChoice::Short, error));
    EXPECT_THAT(error, HasSubstr("army.md"));
    ASSERT_TRUE(ExportText(egypt.doc, dir / "army.md", TextFormat::Markdown, InfoChoice::Short, error))
        << error;
    if (!std::filesystem::exists("/usr/bin/cmark-gfm"))
        GTEST_SKIP() << "cmark-gfm is not installed";
    const std::string html =
        test::RunProgram("/usr/bin/cmark-gfm", {"-e", "table", (dir / "army.md").string()}).out;
    // Three groups, each with its heading row: five characters, three units, three chariots.
    std::size_t rows = 0;
    for (std::size_t at = html.find("<tr>"); at != std::string::npos; at = html.find("<tr>", at + 1))
        ++rows;
    EXPECT_EQ(rows, 3u + 5 + 3 + 3);
    EXPECT_THAT(html, HasSubstr("<td align=\"left\">Reiter \xC3\x84rger | *schnell* \xE2\x82\xAC</td>"));
    EXPECT_THAT(html, HasSubstr("<td align=\"left\">&lt;B&gt;Bold &amp; fast&lt;/B&gt;</td>"));
    EXPECT_THAT(html, HasSubstr("<li>Too few Archers: 1, at least 2</li>"));
}

TEST(ReportTextInformation, AnItemWithoutATextGetsNoHeadingWhateverTheChoice) {
    const auto catalogue = test::CatalogueFromFile("report/testland.dfm");
    test::RosterDocument roster(*catalogue, 1, 1000);
    roster.army().SetMagicItem(roster.Add(C("SLNG")), catalogue->FindMagicItem(C("ring")));
    // The amulet, last in the list, has no text.
    roster.army().SetMagicItem(roster.Add(C("SKRM")), catalogue->FindMagicItem(C("amul")));
    const struct {
        TextFormat format;
        const char* option;
        const char* end;
    } cases[] = {{TextFormat::Plain, "Raiders (Amulet)", "\nRing of Fire\nA ring.\n"},
                 {TextFormat::Markdown, "| Raiders | Amulet |", "\n## Ring of Fire\n\nA ring.\n"}};
    for (const auto& c : cases) {
        for (const InfoChoice info : {InfoChoice::Complete, InfoChoice::Short, InfoChoice::None}) {
            const std::string text = RenderText(ComposeRoster(roster.doc, info), c.format);
            EXPECT_THAT(text, HasSubstr(c.option));
            EXPECT_THAT(text, ::testing::EndsWith(c.end));
        }
    }
}

TEST(ReportTextLines, ArmyListLinesStayLinesAndNeverTurnIntoMarkup) {
    Roster roster;
    roster.title = "T";
    roster.nationName = "N";
    roster.information = {
        {InfoParagraph::Kind::Nation, false, "N", "1. one\r\n- two\r\n# three\r\n\r\n    four\r\n5 dice"}};
    EXPECT_EQ(RenderText(roster, TextFormat::Plain), "T - N, 0 points\n\nTotal: 0 of 0 points, breakpoint "
                                                     "0\n\nN\n1. one\n- two\n# three\n\nfour\n5 dice\n");
    EXPECT_EQ(RenderText(roster, TextFormat::Markdown),
              "# T - N, 0 points\n\n**Total: 0 of 0 points, breakpoint 0**\n\n"
              "## N\n\n1\\. one\\\n\\- two\\\n\\# three\n\nfour\\\n5 dice\n");
}

TEST(ReportWindows1252, EveryByteBecomesItsCharacter) {
    std::string high;
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        high += static_cast<char>(byte);
    EXPECT_EQ(Windows1252ToUtf8(high), "€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ"
                                       "\u00A0¡¢£¤¥¦§¨©ª«¬\u00AD®¯°±²³´µ¶·¸¹º»¼½¾¿"
                                       "ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖ×ØÙÚÛÜÝÞßàáâãäåæçèéêëìíîïðñòóôõö÷øùúûüýþÿ");
    EXPECT_EQ(Windows1252ToUtf8(std::string("a\0\x7F\r\n", 5)), std::string("a\0\x7F\r\n", 5));
}

} // namespace
} // namespace ovra
