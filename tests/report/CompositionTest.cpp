// The roster composition shared by every output, observed through a writer
// that logs each operation it is handed.
#include "ReportWriter.h"

#include "RosterFixtures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace ovra {
namespace {

using test::C;
using test::RosterDocument;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct LoggedRow {
    bool overMaximum = false;
    std::int32_t indent = 0;
    std::string name;
    RowCells cells;
};

class LoggingWriter : public ReportWriter {
public:
    using ReportWriter::ReportWriter;

    std::int32_t WriteBelowMinimum(PrintSurface*, const std::string& name, bool) override {
        log.push_back("below " + name);
        return 1;
    }
    std::int32_t WriteParagraph(bool highlight, const std::string& title, const std::string& body,
                                bool) override {
        log.push_back(std::string(highlight ? "PARA " : "para ") + title + "|" + body);
        return 0;
    }
    std::int32_t WriteCategoryHeader(Code kind, bool draw) override {
        log.push_back("heading " + CodeText(kind));
        return ReportWriter::WriteCategoryHeader(kind, draw);
    }
    std::int32_t WriteRow(bool over, std::int32_t indent, const std::string& name, const RowCells& cells,
                          Rect*, bool) override {
        rows.push_back({over, indent, name, cells});
        log.push_back("row " + std::to_string(indent) + " " + name);
        return 0;
    }
    std::int32_t BeginTable(bool) override {
        log.push_back("begin");
        return 0;
    }
    std::int32_t EndTable(bool) override {
        log.push_back("end");
        return 0;
    }
    std::int32_t WriteTotals(bool) override {
        log.push_back("totals");
        return 0;
    }

    const LoggedRow* Row(const std::string& name) const {
        for (const LoggedRow& row : rows)
            if (row.name == name)
                return &row;
        return nullptr;
    }
    std::vector<std::string> log;
    std::vector<LoggedRow> rows;
};

class ReportComposition : public ::testing::Test {
protected:
    std::unique_ptr<ArmyCatalogue> catalogue = test::CatalogueFromText(test::kTestlandList);
    RosterDocument roster{*catalogue, 1, 1000};

    const MagicItemRecord* Item(Code code) { return catalogue->FindMagicItem(code); }
    const SiegeEngineRecord* Engine(Code code) { return catalogue->FindSiegeEngine(code); }
    std::vector<std::string> Roster() {
        LoggingWriter writer(roster.doc);
        writer.WriteRoster();
        rows = writer.rows;
        return writer.log;
    }
    std::vector<LoggedRow> rows;
};

TEST_F(ReportComposition, EmptyArmyWritesTotalsAndOneWarningPerTypeBelowItsMinimum) {
    EXPECT_THAT(Roster(), ElementsAre("begin", "end", "totals", "below Spears"));
}

TEST_F(ReportComposition, KindsAreComparedAsCodesAndEmptyTypesDoNotInterruptAGroup) {
    roster.Add(C("SLNG"));
    roster.Add(C("BOWS"));
    roster.Add(C("SKRM"));
    roster.Add(C("SPEA"));
    roster.Add(C("SPEA"));
    roster.Add(C("CAPT"));
    // Army-list order: CAPT char, SPEA unit, SKRM unSk, BOWS unit, LORD char (no
    // entries), SLNG unit. unSk between two unit types gives three "Unit" groups.
    EXPECT_THAT(Roster(), ElementsAre("begin", "heading char", "row 0 Character", "row 2 Captain",
                                      "heading unit", "row 0 Unit", "row 2 Spears", "row 2 Spears",
                                      "heading unSk", "row 0 Unit", "row 2 Raiders", "heading unit",
                                      "row 0 Unit", "row 2 Bowmen", "row 2 Slingers", "end", "totals"));
    EXPECT_EQ(rows[0].cells, ColumnTitles());
    EXPECT_FALSE(rows[0].overMaximum);
}

TEST_F(ReportComposition, EntriesOfATypeStayTogetherInTheOrderAdded) {
    roster.Add(C("SPEA"), "First"); // Raiders (unSk) have no entries: one group
    roster.Add(C("BOWS"), "Between");
    roster.Add(C("SPEA"), "Second");
    roster.Add(C("SPEA"), "Third");
    Roster();
    std::vector<std::string> names;
    for (const LoggedRow& row : rows)
        names.push_back(row.name);
    EXPECT_THAT(names, ElementsAre("Unit", "First", "Second", "Third", "Between"));
}

TEST_F(ReportComposition, RowCellsCarryTheProfileOptionsAndTextSortedNoteNumbers) {
    roster.Add(C("SPEA"));
    roster.Add(C("SKRM"));
    roster.Add(C("BOWS"), "Plain");
    const UnitEntry& eagle = roster.Add(C("BOWS"));
    eagle.army().SetName(eagle, "Eagle");
    eagle.army().SetMagicItem(eagle, Item(C("eagl")));
    const UnitEntry& none = roster.Add(C("BOWS"));
    none.army().SetName(none, "None");
    none.army().SetMagicItem(none, Item(C("nomi")));
    none.army().SetSiegeEngine(none, Engine(C("noen")));
    const UnitEntry& both = roster.Add(C("SLNG"));
    both.army().SetName(both, "Both");
    both.army().SetMagicItem(both, Item(C("eagl")));
    both.army().SetSiegeEngine(both, Engine(C("bara")));
    const UnitEntry& engineOnly = roster.Add(C("SLNG"));
    engineOnly.army().SetName(engineOnly, "Engine");
    engineOnly.army().SetSiegeEngine(engineOnly, Engine(C("bara")));
    Roster();
    const auto cells = [&](const std::string& name) {
        for (const LoggedRow& row : rows)
            if (row.name == name)
                return row.cells;
        return RowCells{"(no row)"};
    };
    // Spears number the nine rules 1 to 9; Raiders reuse rule three; Bowmen
    // add their unit note as 10 and reuse rule two.
    EXPECT_EQ(cells("Spears"), (RowCells{"Inf", "3", "3", "5", "0", "3", "40", "1,2,3,4,5,6,7,8,9"}));
    EXPECT_EQ(cells("Raiders"), (RowCells{"Cht", "2/1", "3", "6", "0", "3", "70", "3"}));
    EXPECT_EQ(cells("Plain"), (RowCells{"Inf", "3/1", "3", "0", "0", "3", "55", "10,2"}));
    EXPECT_EQ(cells("Eagle")[6], "65");
    EXPECT_EQ(cells("Eagle")[7], "Legions eagle,10,2");
    EXPECT_EQ(cells("None")[7], "10,2");
    EXPECT_EQ(cells("Both")[7], "Legions eagle, Battering Ram");
    EXPECT_EQ(cells("Engine")[7], "Battering Ram");
}

TEST_F(ReportComposition, AMountRowFollowsItsRider) {
    const UnitEntry& mounted = roster.Add(C("CAPT"));
    mounted.army().SetName(mounted, "Mounted");
    mounted.army().SetMount(mounted, roster.nation().FindTroopType(C("HORS")));
    roster.Add(C("CAPT"), "On foot"); // mount "nomo": no mount row
    roster.Add(C("SKRM"), "No runners");
    Roster();
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[1].name, "Mounted");
    EXPECT_EQ(rows[2].indent, 3);
    EXPECT_EQ(rows[2].name, "Warhorse");
    EXPECT_EQ(rows[2].cells, (RowCells{"MM", "1", "0", "4", "0", "1", "", "1"}));
    EXPECT_EQ(rows[3].name, "On foot");
    EXPECT_EQ(rows[5].name, "No runners");
}

TEST(ReportCompositionBuiltIn, EgyptianChariotRunnersShowTheChariotsSave) {
    const auto catalogue = test::BuiltInCatalogue();
    RosterDocument roster(*catalogue, test::kEgypt, 2000);
    const UnitEntry& chariots = roster.Add(C("1CHA"));
    ASSERT_NE(chariots.AsSkirmisher(), nullptr);
    chariots.army().SetSkirmishers(chariots, true);
    LoggingWriter writer(roster.doc);
    writer.WriteRoster();
    ASSERT_EQ(writer.rows.size(), 3u);
    EXPECT_EQ(writer.rows[1].name, "Chariots");
    EXPECT_EQ(writer.rows[1].cells[3], "6");
    EXPECT_EQ(writer.rows[1].cells[6], "110"); // 70 and 40 for the runners
    EXPECT_EQ(writer.rows[2].name, "Chariot Runners");
    EXPECT_EQ(writer.rows[2].indent, 3);
    EXPECT_EQ(writer.rows[2].cells[3], "6");
    EXPECT_EQ(writer.rows[2].cells[6], "");
    // Runners' rules RG15 and CHRU come after the chariots' NOCT.
    EXPECT_EQ(writer.rows[2].cells[7], "2,3");
}

TEST_F(ReportComposition, NoteNumbersAgreeBetweenRowsAndInformation) {
    roster.Add(C("BOWS"));
    const UnitEntry& mounted = roster.Add(C("CAPT"));
    mounted.army().SetMount(mounted, roster.nation().FindTroopType(C("HORS")));
    roster.Add(C("SPEA"));

    LoggingWriter withRows(roster.doc);
    withRows.WriteRoster();
    withRows.log.clear();
    withRows.WriteInformation(InfoChoice::Short, true);

    // A writer that wrote no rows numbers the notes the same way.
    LoggingWriter alone(roster.doc);
    alone.WriteInformation(InfoChoice::Short, true);
    EXPECT_EQ(alone.log, withRows.log);
    EXPECT_EQ(withRows.notes().NoteCount(), 11);

    // Roster order: the captain's horse first, then spears, then bowmen.
    EXPECT_EQ(withRows.Row("Warhorse")->cells[7], "1");
    EXPECT_EQ(withRows.Row("Spears")->cells[7], "10,2,3,4,5,6,7,8,9");
    EXPECT_EQ(withRows.Row("Bowmen")->cells[7], "11,3");
    ASSERT_GE(withRows.log.size(), 12u);
    EXPECT_EQ(withRows.log[0], "begin");
    EXPECT_EQ(withRows.log[1], "para 1 - |Horses gallop.");
    EXPECT_EQ(withRows.log[2], "para 2 - |Rule one.");
    EXPECT_EQ(withRows.log[11], "para 11 - |Bowmen shoot far.");
}

TEST_F(ReportComposition, InformationChoices) {
    roster.Add(C("SLNG"));
    LoggingWriter none(roster.doc);
    EXPECT_EQ(none.WriteInformation(InfoChoice::None, true), 0);
    EXPECT_THAT(none.log, IsEmpty());

    LoggingWriter complete(roster.doc);
    complete.WriteInformation(InfoChoice::Complete, true);
    EXPECT_THAT(complete.log, ElementsAre("para Testland|Testland line one.\r\nLine two.", "begin"));

    roster.Add(C("SKRM"));
    LoggingWriter shortInfo(roster.doc);
    shortInfo.WriteInformation(InfoChoice::Short, true);
    EXPECT_THAT(shortInfo.log, ElementsAre("begin", "para 1 - |Rule three."));

    EXPECT_EQ(EffectiveInfoChoice(std::nullopt), InfoChoice::Complete);
    EXPECT_EQ(EffectiveInfoChoice(InfoChoice::None), InfoChoice::None);
}

TEST_F(ReportComposition, ItemsCarriedMoreThanOnceAreHighlightedAndNoneRecordsNeverListed) {
    const UnitEntry& first = roster.Add(C("SLNG"));
    first.army().SetMagicItem(first, Item(C("eagl")));
    first.army().SetSiegeEngine(first, Engine(C("bara")));
    roster.army().SetMagicItem(roster.Add(C("SLNG")), Item(C("ring")));
    roster.army().SetMagicItem(roster.Add(C("SLNG")), Item(C("nomi")));
    roster.army().SetMagicItem(roster.Add(C("SLNG")), Item(C("nomi"))); // infantry start with "noen"
    LoggingWriter once(roster.doc);
    once.WriteInformation(InfoChoice::Short, true);
    EXPECT_THAT(once.log, ElementsAre("begin", "para Legions eagle|The eagle.", "para Ring of Fire|A ring.",
                                      "para Battering Ram|A ram."));

    roster.army().SetMagicItem(roster.Add(C("SLNG")), Item(C("eagl")));
    LoggingWriter twice(roster.doc);
    twice.WriteInformation(InfoChoice::Short, true);
    EXPECT_THAT(twice.log, ElementsAre("begin", "PARA Legions eagle|The eagle.", "para Ring of Fire|A ring.",
                                       "para Battering Ram|A ram."));
}

TEST_F(ReportComposition, RowsOfATypeOverItsMaximumAreFlagged) {
    // Captain: at most 2 per thousand points. Warhorse: at most 1, counted by riders.
    const UnitEntry& a = roster.Add(C("CAPT"));
    const UnitEntry& b = roster.Add(C("CAPT"));
    a.army().SetName(a, "A");
    b.army().SetName(b, "B");
    a.army().SetMount(a, roster.nation().FindTroopType(C("HORS")));
    Roster();
    EXPECT_FALSE(rows[1].overMaximum);
    EXPECT_FALSE(rows[2].overMaximum); // the one horse
    b.army().SetMount(b, a.mount());
    roster.Add(C("CAPT"), "C");
    Roster();
    ASSERT_EQ(rows.size(), 6u);
    for (const LoggedRow& row : rows)
        EXPECT_EQ(row.overMaximum, row.indent > 0) << row.name;
    // At 2000 points the bounds double and nothing is over.
    roster.doc.SetPointsLimit(2000);
    Roster();
    for (const LoggedRow& row : rows)
        EXPECT_FALSE(row.overMaximum) << row.name;
}

TEST_F(ReportComposition, BelowMinimumWarningsFollowThePointsLimit) {
    roster.doc.SetPointsLimit(2000); // Spears: 2 per thousand points
    for (int i = 0; i < 3; ++i)
        roster.Add(C("SPEA"));
    EXPECT_EQ(Roster().back(), "below Spears");
    roster.Add(C("SPEA"));
    EXPECT_EQ(Roster().back(), "totals");
}

TEST(ReportCompositionPooled, APooledTypeSetsItsOwnEntriesAgainstItsBounds) {
    const auto catalogue = test::CatalogueFromText(test::kPoolList);
    RosterDocument roster(*catalogue, 1, 1000);
    struct Written {
        std::vector<std::string> log;
        std::vector<LoggedRow> rows;
    };
    const auto write = [&] {
        LoggingWriter writer(roster.doc);
        writer.WriteRoster();
        return Written{writer.log, writer.rows};
    };

    // One B: A must make up the other one of the pool's two.
    roster.Add(C("PB__"));
    EXPECT_EQ(write().log.back(), "below Pooled A");
    roster.Add(C("PA__"));
    EXPECT_EQ(write().log.back(), "totals");

    // Two B leave room for one A under the pool's cap of 3.
    roster.Add(C("PB__"));
    {
        const Written written = write();
        ASSERT_EQ(written.rows.size(), 4u);
        EXPECT_FALSE(written.rows[1].overMaximum);
        EXPECT_EQ(written.log.back(), "totals");
    }
    roster.Add(C("PA__"));
    {
        const Written written = write();
        ASSERT_EQ(written.rows.size(), 5u);
        EXPECT_TRUE(written.rows[1].overMaximum);
        EXPECT_TRUE(written.rows[2].overMaximum);
        EXPECT_FALSE(written.rows[3].overMaximum); // B has no maximum
    }
}

} // namespace
} // namespace ovra
