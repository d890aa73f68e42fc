// The printed roster on a recording surface (RecordingSurface.h): the pages
// of a known print, and the page breaks a reader sees.
#include "PrintLoop.h"

#include "RecordingSurface.h"
#include "RosterFixtures.h"
#include "RunProgram.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

namespace ovra {
namespace {

using test::C;
using test::RecordingSurface;
using ::testing::Contains;
using ::testing::ElementsAreArray;
using ::testing::Not;
using Sheets = std::vector<std::vector<std::string>>;

PrintJob Job(int width, int height, int currentPage = 1) {
    return {{0, 0, width, height}, currentPage};
}

// The texts drawn in rectangles on a sheet, in order.
std::vector<std::string> Texts(const std::vector<std::string>& sheet) {
    std::vector<std::string> texts;
    for (const std::string& line : sheet)
        if (line.starts_with("text '"))
            texts.push_back(line.substr(6, line.rfind('\'') - 6));
    return texts;
}

class ReportPrintLayout : public ::testing::Test {
protected:
    Sheets Print(const PrintJob& job, InfoChoice info) {
        RecordingSurface surface;
        const int pages = PrintRoster(ComposeRoster(egypt.doc, info), surface, job.printableArea).pages;
        EXPECT_EQ(static_cast<std::size_t>(pages), surface.sheets.size());
        return surface.sheets;
    }
    void AddEveryTroopType() {
        for (const TroopTypeRecord* t = egypt.nation().NextListedTroopType(nullptr); t != nullptr;
             t = egypt.nation().NextListedTroopType(t))
            egypt.Add(t->code());
    }

    std::unique_ptr<ArmyCatalogue> catalogue = test::BuiltInCatalogue();
    test::RosterDocument egypt{*catalogue, test::kEgypt, 2000};
};

TEST(ReportPrintUnits, ConvertWithTheLayoutsRounding) {
    // Printable width 800: 0.8 pixels per unit.
    EXPECT_EQ(UnitsToDevice(8, 0.8), 6);
    EXPECT_EQ(DeviceToUnits(14, 0.8), 18);
    // Truncation is toward zero, also below zero.
    EXPECT_EQ(UnitsToDevice(-8, 0.8), -5);
    EXPECT_EQ(DeviceToUnits(-14, 0.8), -17);
    // Out-of-range results saturate; no scale gives no units.
    EXPECT_EQ(UnitsToDevice(2'000'000'000, 4.8), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(DeviceToUnits(14, 0.0), 0);
}

TEST_F(ReportPrintLayout, TheFullArmyPrintsTheKnownPages) {
    test::BuildFullArmy(egypt, *catalogue);
    std::string printed;
    for (const Rect area : {Rect{0, 0, 800, 1100}, Rect{0, 0, 613, 170}}) {
        RecordingSurface surface;
        PrintRoster(egypt.doc, surface, area, std::nullopt);
        for (const std::vector<std::string>& sheet : surface.sheets) {
            printed += "sheet\n";
            for (const std::string& line : sheet)
                printed += line + '\n';
        }
    }
    test::ExpectOutput(printed, test::Golden("report/full.print"));
}

TEST_F(ReportPrintLayout, AGroupRunningOverRepeatsItsHeadingAndNeverSplitsAUnit) {
    std::vector<std::string> expected;
    for (int i = 1; i <= 8; ++i) {
        egypt.army().SetSkirmishers(egypt.Add(C("1CHA"), "Chariots " + std::to_string(i)), true);
        expected.insert(expected.end(), {"Chariots " + std::to_string(i), "Chariot Runners"});
    }
    // 300 pixels leave room for the heading and six chariots with runners.
    const Sheets sheets = Print(Job(800, 300), InfoChoice::None);
    ASSERT_EQ(sheets.size(), 2u);
    std::vector<std::string> names;
    for (std::size_t sheet = 0; sheet < sheets.size(); ++sheet) {
        const std::vector<std::string> texts = Texts(sheets[sheet]);
        EXPECT_EQ(texts.at(1), "Page : " + std::to_string(sheet + 1));
        EXPECT_EQ(texts.at(2), "Unit");
        const std::size_t before = names.size();
        for (const std::string& text : texts)
            if (text.starts_with("Chariot"))
                names.push_back(text);
        EXPECT_EQ(names.size() - before, sheet == 0 ? 12u : 4u);
    }
    EXPECT_THAT(names, ElementsAreArray(expected));
}

TEST_F(ReportPrintLayout, TheWarningsMoveToTheNextPageAsOneBlock) {
    // 96 pixels leave room below the totals line for one warning, not three.
    const Sheets sheets = Print(Job(800, 96), InfoChoice::None);
    ASSERT_EQ(sheets.size(), 2u);
    for (const char* name : {"General", "Archers", "Chariots"}) {
        EXPECT_THAT(Texts(sheets[0]), Not(Contains(name)));
        EXPECT_THAT(Texts(sheets[1]), Contains(name));
    }
}

TEST_F(ReportPrintLayout, TheWarningsAndTheInformationEndAboveTheFootOfEveryPage) {
    AddEveryTroopType();
    egypt.army().setPointsLimit(6000);
    const std::string wrapped = "' " + std::to_string(kTextWordBreak) + ' ';
    for (int height = 200; height < 500; height += 7) {
        // Room for the totals line and 2 units stays free at the foot.
        const int foot = UnitsToDevice(DeviceToUnits(height, 0.8) - 32, 0.8);
        for (const std::vector<std::string>& sheet : Print(Job(800, height), InfoChoice::Short)) {
            for (const std::string& line : sheet) {
                const std::size_t at = line.rfind(wrapped);
                int bottom = 0;
                if (at != std::string::npos &&
                    std::sscanf(line.c_str() + at + wrapped.size(), "%*d,%*d,%*d,%d", &bottom) == 1) {
                    EXPECT_LE(bottom, foot) << height << ": " << line;
                }
            }
        }
    }
}

TEST_F(ReportPrintLayout, ANameTooLongForItsColumnIsCutShortOnEveryPageAndTheRowKeepsItsCells) {
    // 800 pixels: unit names start at 26 and the first value column at 160. A
    // name that fits runs in the whole row; a cut one ends 3 pixels before the
    // column, which leaves room for 26 bytes of 5 pixels, dots included.
    const std::string long117 = "Household Archers of the Upper Nile Delta and of the Eastern Desert Forts, "
                                "who never stop talking of their own bowmen";
    const struct {
        std::string name;
        std::string drawn;
        std::string right;
    } cases[] = {{"Twenty-six bytes fit here.", "Twenty-six bytes fit here.", "797"},
                 {"Twenty-seven bytes are over", "Twenty-seven bytes are...", "160"},
                 {"A cut that falls on a  blank", "A cut that falls on a...", "160"},
                 {long117, "Household Archers of th...", "160"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::RosterDocument army{*catalogue, test::kEgypt, 2000};
        for (int i = 0; i < 30; ++i) // three pages
            army.Add(C("1CHA"), c.name);
        RecordingSurface named;
        PrintRoster(ComposeRoster(army.doc, InfoChoice::None), named, Rect{0, 0, 800, 300});
        for (int i = 0; i < 30; ++i)
            army.army().SetName(*army.army().UnitAt(i), "X");
        RecordingSurface plain;
        PrintRoster(ComposeRoster(army.doc, InfoChoice::None), plain, Rect{0, 0, 800, 300});
        // Boxes, lines and every other text are those of a short name.
        Sheets expected = plain.sheets;
        for (std::vector<std::string>& sheet : expected)
            for (std::string& line : sheet)
                if (line.starts_with("text 'X' ")) {
                    line.replace(line.find(",797,"), 5, "," + c.right + ",");
                    line.replace(6, 1, c.drawn);
                }
        EXPECT_EQ(named.sheets, expected);
        EXPECT_EQ(named.sheets.size(), 3u);
    }
}

TEST_F(ReportPrintLayout, OnePassDrawsThePagesThePageByPageLoopDraws) {
    const auto expectSamePages = [&](const PrintJob& job, InfoChoice info) {
        SCOPED_TRACE(std::to_string(job.printableArea.Width()) + " x " +
                     std::to_string(job.printableArea.Height()));
        const Roster roster = ComposeRoster(egypt.doc, info);
        RecordingSurface eachPage;
        RecordingSurface onePass;
        const int pages = PrintPageByPage(roster, eachPage, job).pages;
        EXPECT_GT(pages, 1);
        EXPECT_EQ(PrintRoster(roster, onePass, job.printableArea).pages, pages);
        EXPECT_EQ(onePass.sheets, eachPage.sheets);
    };
    // At these sizes a paragraph that is only counted ends a rounding unit
    // away from where it is drawn, which moves a page break.
    AddEveryTroopType();
    for (const PrintJob job : {Job(613, 316), Job(613, 371), Job(613, 147)})
        expectSamePages(job, InfoChoice::Complete);
    for (int i = 0; i < 60; ++i) {
        egypt.army().SetSkirmishers(egypt.Add(C("1CHA")), i % 2 == 0);
        const UnitEntry& officer = egypt.Add(C("HERO"));
        if (i % 3 == 0)
            egypt.army().SetMount(officer, egypt.nation().FindTroopType(C("CHMO")));
        egypt.army().SetSiegeEngine(egypt.Add(C("2INF")),
                                    catalogue->FindSiegeEngine(C(i % 2 ? "bara" : "towr")));
    }
    for (const PrintJob job : {Job(800, 1100), Job(4958, 7016), Job(613, 877), Job(800, 160)})
        for (const InfoChoice info : {InfoChoice::Complete, InfoChoice::None})
            expectSamePages(job, info);
}

TEST_F(ReportPrintLayout, ARangePrintsThePagesOfTheWholePrintAndCountingDrawsNothing) {
    for (int i = 0; i < 40; ++i)
        egypt.Add(C("1CHA"));
    const Roster roster = ComposeRoster(egypt.doc, InfoChoice::Complete);
    const Rect area{0, 0, 800, 300};
    RecordingSurface whole;
    RecordingSurface counted;
    RecordingSurface range;
    ASSERT_EQ(PrintRoster(roster, whole, area).pages, 5);
    EXPECT_EQ(CountRosterPages(roster, counted, area).pages, 5);
    EXPECT_EQ(counted.sheets, Sheets(1));
    EXPECT_EQ(PrintRoster(roster, range, area, {2, 3}).pages, 2);
    EXPECT_EQ(range.sheets, Sheets(whole.sheets.begin() + 1, whole.sheets.begin() + 3));
}

TEST_F(ReportPrintLayout, APageByPagePassStopsOnceThePageAfterTheCurrentOneStarts) {
    for (int i = 0; i < 20; ++i) // 13 rows on page 1, 7 on page 2
        egypt.Add(C("1CHA"));
    const Roster roster = ComposeRoster(egypt.doc, InfoChoice::None);
    RecordingSurface surface;
    EXPECT_EQ(LayOutToPage(roster, surface, Job(800, 300, 999), false).pages, 2);
    EXPECT_EQ(LayOutToPage(roster, surface, Job(800, 300, 1), true).pages, 2);
    EXPECT_EQ(LayOutToPage(roster, surface, Job(800, 300, 2), true).pages, 2);
    EXPECT_EQ(LayOutToPage(roster, surface, Job(800, 300, 0), true).pages, 1);
    EXPECT_EQ(surface.sheets.size(), 1u); // NewSheet is the print loop's business here
}

TEST_F(ReportPrintLayout, ARowTallerThanAnEmptyPageStopsTheLayoutAfterThatPage) {
    egypt.Add(C("GEN8"));
    const Roster roster = ComposeRoster(egypt.doc, InfoChoice::None);
    // 10 pixels: not even the header band fits.
    RecordingSurface onePass;
    RecordingSurface eachPage;
    const PrintOutcome printed = PrintRoster(roster, onePass, Rect{0, 0, 800, 10});
    const PrintOutcome loop = PrintPageByPage(roster, eachPage, Job(800, 10));
    for (const PrintOutcome& outcome : {printed, loop}) {
        EXPECT_EQ(outcome.pages, 1);
        EXPECT_EQ(outcome.rowTooTall, 1u);
    }
    EXPECT_THAT(Texts(onePass.sheets.at(0)), Not(Contains("General")));
    EXPECT_EQ(eachPage.sheets, onePass.sheets);
    EXPECT_EQ(PrintRoster(roster, onePass, Rect{0, 0, 800, 1100}).rowTooTall, std::nullopt);
    RecordingSurface nothing;
    EXPECT_EQ(PrintRoster(roster, nothing, Rect{0, 0, 0, 1100}).pages, 0);
    EXPECT_EQ(nothing.sheets, Sheets(1));
}

} // namespace
} // namespace ovra
