// The printed roster against a recording surface whose metrics are fixed
// (see RecordingSurface.h). With a printable width of 800 pixels a layout
// unit is 0.8 pixels; a row is 23 units high (the bold sample text is 36 by
// 14 pixels: 45 by 18 units) and the header band 22.
#include "PrintRoster.h"

#include "RecordingSurface.h"
#include "RosterFixtures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace ovra {
namespace {

using test::C;
using test::Describe;
using test::RecordingSurface;
using test::RosterDocument;
using test::SurfaceCall;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

PrintJob Job(int width, int height, int currentPage = 1) {
    PrintJob job;
    job.printableArea = {0, 0, width, height};
    job.currentPage = currentPage;
    return job;
}

// Prints the roster page by page as the print loop does; one sheet per page.
int PrintEachPage(const ArmyDocument& doc, RecordingSurface& surface, const PrintJob& job,
                  std::optional<InfoChoice> info) {
    return PrintPageByPage(ComposeRoster(doc, EffectiveInfoChoice(info)), surface, job).pages;
}

int PrintInOnePass(const ArmyDocument& doc, RecordingSurface& surface, const PrintJob& job,
                   std::optional<InfoChoice> info) {
    return PrintRoster(doc, surface, job.printableArea, info).pages;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class ReportPrintLayout : public ::testing::Test {
protected:
    std::unique_ptr<ArmyCatalogue> catalogue = test::BuiltInCatalogue();
    RosterDocument egypt{*catalogue, test::kEgypt, 2000};
    RecordingSurface surface;

    const MagicItemRecord* Eagle() { return catalogue->FindMagicItem(C("eagl")); }
};

TEST(ReportPrintUnits, ConvertWithTheLayoutsRounding) {
    // Printable width 800: 0.8 pixels per unit.
    EXPECT_EQ(UnitsToDevice(8, 0.8), 6);
    EXPECT_EQ(DeviceToUnits(14, 0.8), 18);
    EXPECT_EQ(UnitsToDevice(1000, 0.8), 800);
    EXPECT_EQ(DeviceToUnits(800, 0.8), 1000);
    // Truncation is toward zero, also below zero.
    EXPECT_EQ(UnitsToDevice(-8, 0.8), -5);
    EXPECT_EQ(DeviceToUnits(-14, 0.8), -17);
    // Out-of-range results saturate; no scale gives no units.
    EXPECT_EQ(UnitsToDevice(2'000'000'000, 4.8), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(DeviceToUnits(14, 0.0), 0);
}

TEST_F(ReportPrintLayout, EmptyArmyPrintsOnePageWithTotalsWarningsAndInformation) {
    ASSERT_EQ(PrintEachPage(egypt.doc, surface, Job(800, 1100), InfoChoice::Complete), 1);
    const std::vector<std::string> texts = surface.DrawnTexts();
    ASSERT_GE(texts.size(), 6u);
    EXPECT_EQ(texts[0], "New Army");
    EXPECT_EQ(texts[1], "Page : 1");
    // General, Archers and Chariots are below their minimums, in red and in
    // the bold font the totals line left selected.
    for (const char* name : {"General", "Archers", "Chariots"}) {
        const SurfaceCall* title = surface.FindDrawnText(name);
        ASSERT_NE(title, nullptr) << name;
        EXPECT_EQ(title->colour, kRed);
        EXPECT_EQ(title->font, PrintFont::Bold);
    }
    EXPECT_EQ(texts[texts.size() - 2], "Egypt");
    EXPECT_EQ(surface.sheets(), 1);
    EXPECT_THAT(texts, Not(Contains(std::string("1 - "))));
}

TEST_F(ReportPrintLayout, TotalsLineIsRightAlignedWithOnlyTheNumberRed) {
    egypt.Add(C("GEN8"));
    egypt.doc.SetPointsLimit(50);
    PrintEachPage(egypt.doc, surface, Job(800, 1100), InfoChoice::None);
    std::vector<SurfaceCall> pieces;
    for (const SurfaceCall& c : surface.Drawn())
        if (c.op == SurfaceCall::Op::DrawAtPoint)
            pieces.push_back(c);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].text, "Total :");
    EXPECT_EQ(pieces[1].text, " 100");
    EXPECT_EQ(pieces[2].text, " out of 50 points and a breakpoint of 0.");
    EXPECT_EQ(pieces[0].colour, kBlack);
    EXPECT_EQ(pieces[1].colour, kRed);
    EXPECT_EQ(pieces[2].colour, kBlack);
    // Each piece continues where the one before ended; the line ends at 996 units.
    EXPECT_EQ(pieces[1].x, pieces[0].x + 7 * 6);
    EXPECT_EQ(pieces[2].x, pieces[1].x + 4 * 6);
    EXPECT_EQ(pieces[2].x + static_cast<int>(pieces[2].text.size()) * 6, 797);
    EXPECT_EQ(pieces[0].y, pieces[1].y);

    // Within the limit nothing is red.
    surface.Clear();
    egypt.doc.SetPointsLimit(100);
    PrintEachPage(egypt.doc, surface, Job(800, 1100), InfoChoice::None);
    for (const SurfaceCall& c : surface.Drawn()) {
        if (c.op == SurfaceCall::Op::DrawAtPoint) {
            EXPECT_EQ(c.colour, kBlack) << c.text;
        }
    }
}

TEST_F(ReportPrintLayout, GroupThatRunsOverRepeatsItsHeadingOnTheNextPage) {
    for (int i = 1; i <= 8; ++i) {
        const UnitEntry& chariots = egypt.Add(C("1CHA"));
        chariots.army().SetName(chariots, "Chariots " + std::to_string(i));
        chariots.army().SetSkirmishers(chariots, true);
    }
    // 300 pixels: 375 units, room for the heading and six chariots with runners.
    ASSERT_EQ(PrintEachPage(egypt.doc, surface, Job(800, 300), InfoChoice::None), 2);
    std::vector<std::string> seen;
    for (int sheet = 0; sheet < 2; ++sheet) {
        std::vector<std::string> names;
        const std::vector<std::string> texts = surface.DrawnTexts(sheet);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (texts[i] == "Unit" || texts[i].rfind("Chariot", 0) == 0)
                names.push_back(texts[i]);
        }
        ASSERT_FALSE(names.empty());
        EXPECT_EQ(names.front(), "Unit") << "sheet " << sheet;
        // Every unit is followed by its runners on the same page.
        for (std::size_t i = 1; i < names.size(); i += 2) {
            EXPECT_EQ(names[i].rfind("Chariots ", 0), 0u) << names[i];
            ASSERT_LT(i + 1, names.size());
            EXPECT_EQ(names[i + 1], "Chariot Runners");
            seen.push_back(names[i]);
        }
        if (sheet == 0) {
            EXPECT_EQ(names.size(), 1u + 6 * 2);
        }
    }
    EXPECT_THAT(seen, ElementsAre("Chariots 1", "Chariots 2", "Chariots 3", "Chariots 4", "Chariots 5",
                                  "Chariots 6", "Chariots 7", "Chariots 8"));
    EXPECT_EQ(surface.DrawnTexts(1)[1], "Page : 2");
}

TEST_F(ReportPrintLayout, WarningsMoveToTheNextPageAsOneBlock) {
    // 96 pixels: 120 units. After the header and the totals line less room is
    // left than the three warnings need together, more than one needs.
    ASSERT_EQ(PrintEachPage(egypt.doc, surface, Job(800, 96), InfoChoice::None), 2);
    const std::vector<std::string> first = surface.DrawnTexts(0);
    const std::vector<std::string> second = surface.DrawnTexts(1);
    for (const char* name : {"General", "Archers", "Chariots"}) {
        EXPECT_FALSE(Contains(first, name)) << name;
        EXPECT_TRUE(Contains(second, name)) << name;
    }
    surface.Clear();
    ASSERT_EQ(PrintEachPage(egypt.doc, surface, Job(800, 200), InfoChoice::None), 1);
    EXPECT_TRUE(Contains(surface.DrawnTexts(0), "Chariots"));
}

TEST_F(ReportPrintLayout, InfoChoiceSelectsTheInformationPrinted) {
    egypt.army().SetMagicItem(egypt.Add(C("5INF")), Eagle()); // a note (the skirmisher rule) and an item
    egypt.Add(C("5INF"));
    const auto texts = [&](std::optional<InfoChoice> info) {
        surface.Clear();
        PrintEachPage(egypt.doc, surface, Job(800, 1100), info);
        return surface.DrawnTexts();
    };
    for (const std::optional<InfoChoice> info :
         {std::optional<InfoChoice>{}, std::optional(InfoChoice::Complete)}) {
        const auto all = texts(info);
        EXPECT_TRUE(Contains(all, "Egypt"));
        EXPECT_TRUE(Contains(all, "1 - "));
        EXPECT_TRUE(Contains(all, "Legions eagle"));
    }
    const auto shortInfo = texts(InfoChoice::Short);
    EXPECT_FALSE(Contains(shortInfo, "Egypt"));
    EXPECT_TRUE(Contains(shortInfo, "1 - "));
    const auto none = texts(InfoChoice::None);
    EXPECT_FALSE(Contains(none, "Egypt"));
    EXPECT_FALSE(Contains(none, "1 - "));
    // The item in use is still printed, last.
    ASSERT_GE(none.size(), 2u);
    EXPECT_EQ(none[none.size() - 2], "Legions eagle");
}

TEST_F(ReportPrintLayout, ParagraphBodyStartsRightOfItsTitle) {
    egypt.army().SetMagicItem(egypt.Add(C("5INF")), Eagle());
    egypt.army().SetMagicItem(egypt.Add(C("1cav")), Eagle());
    PrintEachPage(egypt.doc, surface, Job(800, 1100), InfoChoice::Short);
    const std::vector<SurfaceCall> drawn = surface.Drawn();
    const auto at = std::find_if(drawn.begin(), drawn.end(), [](const SurfaceCall& c) {
        return c.op == SurfaceCall::Op::DrawText && c.text == "1 - ";
    });
    ASSERT_NE(at, drawn.end());
    ASSERT_NE(at + 1, drawn.end());
    const SurfaceCall& title = *at;
    const SurfaceCall& body = *(at + 1);
    EXPECT_EQ(title.font, PrintFont::Bold);
    EXPECT_EQ(title.rect.left, 6); // 8 units
    // "1 - " is 24 pixels of bold: it ends at 30, so six blanks of the 5-pixel
    // text font come before the body.
    EXPECT_EQ(body.font, PrintFont::Text);
    EXPECT_EQ(body.flags, unsigned(kTextWordBreak));
    EXPECT_EQ(body.text, std::string(6, ' ') + catalogue->FindSpecialRule(C("SKIR"))->info);
    EXPECT_EQ(body.rect.top, title.rect.top);
    EXPECT_EQ(body.rect.right, 797);

    // The next paragraph starts 4 units below this one's text; a highlighted
    // title is red, its text black.
    const auto next = std::find_if(at + 2, drawn.end(),
                                   [](const SurfaceCall& c) { return c.op == SurfaceCall::Op::DrawText; });
    ASSERT_NE(next, drawn.end());
    EXPECT_EQ(next->text, "2 - ");
    EXPECT_EQ(next->rect.top, UnitsToDevice(DeviceToUnits(body.rect.bottom, 0.8) + 4, 0.8));
    const auto eagleAt = std::find_if(drawn.begin(), drawn.end(), [](const SurfaceCall& c) {
        return c.op == SurfaceCall::Op::DrawText && c.text == "Legions eagle";
    });
    ASSERT_NE(eagleAt, drawn.end());
    ASSERT_NE(eagleAt + 1, drawn.end());
    EXPECT_EQ(eagleAt->colour, kRed);
    EXPECT_EQ((eagleAt + 1)->colour, kBlack);
    EXPECT_EQ((eagleAt + 1)->flags, unsigned(kTextWordBreak));
}

TEST_F(ReportPrintLayout, RowsAreBoxesSharingTheirBordersWithCellsByIndent) {
    const UnitEntry& general = egypt.Add(C("GEN8"));
    general.army().SetMount(general, egypt.nation().FindTroopType(C("CHMO")));
    for (int i = 0; i < 3; ++i)
        egypt.Add(C("HERO")); // two allowed at 1000 points
    egypt.doc.SetPointsLimit(1000);
    PrintEachPage(egypt.doc, surface, Job(800, 1100), InfoChoice::None);
    const std::vector<SurfaceCall> drawn = surface.Drawn();
    std::vector<Rect> boxes;
    for (const SurfaceCall& c : drawn)
        if (c.op == SurfaceCall::Op::Rectangle)
            boxes.push_back(c.rect);
    // Header band, heading, general, chariot, three officers.
    ASSERT_EQ(boxes.size(), 7u);
    EXPECT_EQ(boxes[0], (Rect{0, 0, 800, 18}));
    // The heading starts 2 units below the band (24 to 47 units); the unit row
    // overlaps it by one unit (46 to 69).
    EXPECT_EQ(boxes[1].bottom, 38);
    EXPECT_EQ(boxes[2].bottom, 55);
    for (std::size_t i = 1; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].top, boxes[i - 1].bottom - 1) << i;
        EXPECT_EQ(boxes[i].left, 6);
        EXPECT_EQ(boxes[i].right, 797);
    }
    const auto nameCell = [&](const std::string& name) { return surface.FindDrawnText(name); };
    EXPECT_EQ(nameCell("Character")->rect.left, 13); // 16 units
    EXPECT_EQ(nameCell("General")->rect.left, 26);   // 32 units
    EXPECT_EQ(nameCell("Chariot")->rect.left, 32);   // 40 units
    EXPECT_EQ(nameCell("General")->colour, kBlack);
    EXPECT_EQ(nameCell("Officer")->colour, kRed);
    // Value cells are 45 units (36 pixels) wide from 200 units on; the heading
    // row has no remarks cell.
    const SurfaceCall* type = nameCell("Type");
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->rect.left, 160);
    EXPECT_EQ(type->rect.right, 196);
    EXPECT_EQ(type->flags, unsigned(kTextSingleLine | kTextVCentre | kTextCentre));
    EXPECT_EQ(nameCell(" "), nullptr);
    const SurfaceCall* points = nameCell("120");
    ASSERT_NE(points, nullptr);
    EXPECT_EQ(points->rect.left, 160 + 6 * 36);
}

TEST_F(ReportPrintLayout, EveryPageInOnePassDrawsWhatThePageByPageLoopDraws) {
    for (int i = 0; i < 60; ++i) {
        const UnitEntry& chariots = egypt.Add(C("1CHA"));
        chariots.army().SetSkirmishers(chariots, i % 2 == 0);
        const UnitEntry& officer = egypt.Add(C("HERO"));
        if (i % 3 == 0)
            officer.army().SetMount(officer, egypt.nation().FindTroopType(C("CHMO")));
        egypt.army().SetSiegeEngine(egypt.Add(C("2INF")),
                                    catalogue->FindSiegeEngine(C(i % 2 ? "bara" : "towr")));
    }
    egypt.army().SetMagicItem(egypt.Add(C("5INF")), Eagle());
    egypt.army().SetMagicItem(egypt.Add(C("1cav")), Eagle());
    for (const PrintJob job : {Job(800, 1100), Job(4958, 7016), Job(613, 877), Job(800, 160)}) {
        for (const std::optional<InfoChoice> info :
             {std::optional<InfoChoice>{}, std::optional(InfoChoice::None)}) {
            RecordingSurface eachPage;
            RecordingSurface onePass;
            const int pages = PrintEachPage(egypt.doc, eachPage, job, info);
            ASSERT_GT(pages, 1);
            EXPECT_EQ(PrintInOnePass(egypt.doc, onePass, job, info), pages);
            ASSERT_EQ(onePass.sheets(), pages);
            for (int sheet = 0; sheet < pages; ++sheet)
                ASSERT_EQ(onePass.DrawnDescribed(sheet), eachPage.DrawnDescribed(sheet))
                    << "page " << sheet + 1 << " of " << job.printableArea.Width() << " x "
                    << job.printableArea.Height();
        }
    }
}

TEST_F(ReportPrintLayout, OnePassKeepsThePageByPageBreaksWhereDrawingShiftsAParagraph) {
    // A paragraph's measured height depends on where it starts by a rounding
    // unit, and a page that is only counted starts its paragraphs elsewhere
    // than a page that is drawn. At these sizes that moves a page break: the
    // one-pass print must still break where the page-by-page loop does.
    for (const TroopTypeRecord* t = egypt.nation().NextListedTroopType(nullptr); t != nullptr;
         t = egypt.nation().NextListedTroopType(t))
        egypt.Add(t->code());
    for (const PrintJob job : {Job(613, 316), Job(613, 371), Job(613, 147)}) {
        RecordingSurface eachPage;
        RecordingSurface onePass;
        const int pages = PrintEachPage(egypt.doc, eachPage, job, std::nullopt);
        EXPECT_EQ(PrintInOnePass(egypt.doc, onePass, job, std::nullopt), pages);
        ASSERT_EQ(onePass.sheets(), pages);
        for (int sheet = 0; sheet < pages; ++sheet)
            EXPECT_EQ(onePass.DrawnDescribed(sheet), eachPage.DrawnDescribed(sheet))
                << "page " << sheet + 1 << " at height " << job.printableArea.Height();
    }
}

TEST_F(ReportPrintLayout, ARangeDrawsItsPagesAsTheWholePrintDoesAndCountingDrawsNothing) {
    for (int i = 0; i < 40; ++i)
        egypt.Add(C("1CHA"));
    const Roster roster = ComposeRoster(egypt.doc, InfoChoice::Complete);
    const Rect area{0, 0, 800, 300};
    ASSERT_EQ(PrintRoster(roster, surface, area).pages, 5);
    RecordingSurface counted;
    EXPECT_EQ(CountRosterPages(roster, counted, area).pages, 5);
    EXPECT_TRUE(counted.Drawn().empty());
    RecordingSurface range;
    EXPECT_EQ(PrintRoster(roster, range, area, {2, 3}).pages, 2);
    EXPECT_EQ(range.DrawnDescribed(0), surface.DrawnDescribed(1));
    EXPECT_EQ(range.DrawnDescribed(1), surface.DrawnDescribed(2));
    EXPECT_EQ(range.sheets(), 2);
}

TEST_F(ReportPrintLayout, APageByPagePassStopsOnceThePageAfterTheCurrentOneStarts) {
    for (int i = 0; i < 20; ++i) // 13 rows on page 1, 7 on page 2
        egypt.Add(C("1CHA"));
    const Roster roster = ComposeRoster(egypt.doc, InfoChoice::None);
    EXPECT_EQ(LayOutToPage(roster, surface, Job(800, 300, 999), false).pages, 2);
    EXPECT_EQ(LayOutToPage(roster, surface, Job(800, 300, 1), true).pages, 2);
    EXPECT_EQ(LayOutToPage(roster, surface, Job(800, 300, 2), true).pages, 2);
    EXPECT_EQ(LayOutToPage(roster, surface, Job(800, 300, 0), true).pages, 1);
    EXPECT_EQ(surface.sheets(), 1); // NewSheet is the print loop's business here
}

TEST_F(ReportPrintLayout, ARowTallerThanAnEmptyPageStopsTheLayoutAfterThatPage) {
    egypt.Add(C("GEN8"));
    const Roster roster = ComposeRoster(egypt.doc, InfoChoice::None);
    // 10 pixels: not even the header band fits.
    const PrintOutcome onePass = PrintRoster(roster, surface, Rect{0, 0, 800, 10});
    EXPECT_EQ(onePass.pages, 1);
    EXPECT_EQ(onePass.rowTooTall, 1u);
    EXPECT_EQ(surface.sheets(), 1);
    EXPECT_EQ(surface.FindDrawnText("General"), nullptr);
    RecordingSurface eachPage;
    const PrintOutcome loop = PrintPageByPage(roster, eachPage, Job(800, 10));
    EXPECT_EQ(loop.pages, 1);
    EXPECT_EQ(loop.rowTooTall, 1u);
    EXPECT_EQ(eachPage.DrawnDescribed(), surface.DrawnDescribed());

    surface.Clear();
    EXPECT_EQ(PrintRoster(roster, surface, Rect{0, 0, 800, 1100}).rowTooTall, std::nullopt);
    surface.Clear();
    EXPECT_EQ(PrintRoster(roster, surface, Rect{0, 0, 0, 1100}).pages, 0);
    EXPECT_TRUE(surface.calls.empty());
}

TEST_F(ReportPrintLayout, TheWarningsAndTheInformationEndAboveTheFootOfEveryPage) {
    // Every troop type once: many notes, most of them a line or two, and the
    // warnings of a higher points limit before them. Each paragraph starts 4
    // units below the one above it.
    for (const TroopTypeRecord* t = egypt.nation().NextListedTroopType(nullptr); t != nullptr;
         t = egypt.nation().NextListedTroopType(t))
        egypt.Add(t->code());
    egypt.doc.SetPointsLimit(6000);
    for (int height = 200; height < 500; height += 7) {
        surface.Clear();
        const int pages = PrintInOnePass(egypt.doc, surface, Job(800, height), InfoChoice::Short);
        // Room for the totals line and 2 units stays free at the foot.
        const int foot = UnitsToDevice(DeviceToUnits(height, 0.8) - 32, 0.8);
        for (int sheet = 0; sheet < pages; ++sheet) {
            for (const SurfaceCall& c : surface.Drawn(sheet)) {
                if (c.op == SurfaceCall::Op::DrawText && c.flags == kTextWordBreak) {
                    EXPECT_LE(c.rect.bottom, foot) << height << " page " << sheet + 1 << ": " << c.text;
                }
            }
        }
    }
}

} // namespace
} // namespace ovra
