#include "HtmlRoster.h"

#include "ArmyFile.h"
#include "RosterFixtures.h"
#include "RunProgram.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace ovra {
namespace {

using test::C;
using test::RosterDocument;
using ::testing::HasSubstr;
using ::testing::Not;

namespace fs = std::filesystem;

class ReportHtmlExport : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("ovra_html_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::unique_ptr<ArmyCatalogue> catalogue = test::BuiltInCatalogue();
    RosterDocument egypt{*catalogue, test::kEgypt, 1000};
    fs::path dir;
};

TEST_F(ReportHtmlExport, EmptyArmyFileIsByteForByteTheKnownPage) {
    const fs::path out = dir / "empty.html";
    std::string error;
    ASSERT_TRUE(ExportHtml(egypt.doc, out, error)) << error;
    EXPECT_EQ(test::ReadWholeFile(out), test::ReadWholeFile(test::DataPath("report/empty.html")));
}

TEST_F(ReportHtmlExport, FullArmyFileIsByteForByteTheKnownPage) {
    test::BuildFullArmy(egypt, *catalogue);
    const fs::path out = dir / "full.html";
    std::string error;
    ASSERT_TRUE(ExportHtml(egypt.doc, out, error)) << error;
    const std::string bytes = test::ReadWholeFile(out);
    EXPECT_EQ(bytes, test::ReadWholeFile(test::DataPath("report/full.html")));

    // The points total (655 of 600) in red, in the Pts column of the totals.
    EXPECT_THAT(bytes,
                HasSubstr("<TD align=center width=7% ><B><font color=#ff0000>655<font color=#000000></B>"));
    EXPECT_THAT(bytes, HasSubstr("&nbsp;<font color=#ff0000>Officer<font color=#000000><TD"));
    EXPECT_THAT(bytes, HasSubstr("&nbsp;<B>Bold & fast</B><TD"));
    EXPECT_THAT(bytes,
                HasSubstr("<BR><FONT color = red> Archers :</FONT> less than minimum number of units. \r\n"));
    EXPECT_THAT(bytes, HasSubstr("<BR>\r\n<FONT color=red><B>\r\nLegions eagle</B>\r\n</FONT>"));
    // Exporting again gives the same bytes.
    ASSERT_TRUE(ExportHtml(egypt.doc, out, error)) << error;
    EXPECT_EQ(test::ReadWholeFile(out), bytes);
}

TEST_F(ReportHtmlExport, UnitRowIsOneRunOfCellsWithoutLineEnds) {
    RosterDocument alexander(*catalogue, 1, 1000);
    alexander.Add(C("2HAL"));
    const std::string page = HtmlRoster(alexander.doc);
    EXPECT_THAT(page, HasSubstr("<TR><TD width = 20%>&nbsp;Phalangites"
                                "<TD align=center width=7% >Inf<TD align=center width=7% >2"
                                "<TD align=center width=7% >3<TD align=center width=7% >6"
                                "<TD align=center width=7% >0<TD align=center width=7% >3"
                                "<TD align=center width=7% >55<TD align=left width=24%>1</TABLE>\r\n"));
    EXPECT_THAT(page, HasSubstr("</TABLE>\n<TABLE width=100% border = 0>\n"
                                "<TR><TD width = 20%><B>Unit</B><TD align=center width=7% ><B>Type</B>"));
}

TEST(ReportHtml, ParagraphsTurnCrLfIntoBreaksAndLeaveOtherBytesAlone) {
    Roster roster;
    roster.information = {{InfoParagraph::Kind::Note, false, "T", "a\r\nb\nc\rd\r\n"},
                          {InfoParagraph::Kind::MagicItem, true, "<i>", ""}};
    const std::string page = RenderHtml(roster);
    EXPECT_THAT(page, ::testing::EndsWith("</TABLE>\r\n\r\n"
                                          "<BR>\r\n<B>\r\nT</B>\r\na<BR>b\nc\rd<BR><BR>\r\n"
                                          "<BR>\r\n<FONT color=red><B>\r\n<i></B>\r\n</FONT>"));
}

TEST_F(ReportHtmlExport, WindowTitleIsTheArmyTitleRunIntoTheGameName) {
    EXPECT_THAT(HtmlRoster(egypt.doc),
                HasSubstr("<TITLE>New ArmyFennmarch</TITLE>\r\n</HEAD>\r\n<BODY BGCOLOR=#ffffff>\r\n"
                          "<FONT size=5><B>New Army</B></FONT>\r\n"));
    egypt.Add(C("GEN8"));
    ASSERT_EQ(egypt.doc.LoadFromBytes(WriteArmyFile(egypt.army()), "Legion.evr"),
              ArmyDocument::OpenResult::Opened);
    EXPECT_THAT(HtmlRoster(egypt.doc), HasSubstr("<TITLE>LegionFennmarch</TITLE>"));
}

TEST_F(ReportHtmlExport, FailuresAreReportedAndLeaveNoFile) {
    std::string error;
    const fs::path missingFolder = dir / "missing" / "out.html";
    EXPECT_FALSE(ExportHtml(egypt.doc, missingFolder, error));
    EXPECT_THAT(error, HasSubstr("out.html"));
    EXPECT_FALSE(fs::exists(missingFolder));

    // A folder in the way is left as it was, and no temporary file remains.
    const fs::path folder = dir / "taken.html";
    fs::create_directories(folder / "inside");
    error.clear();
    EXPECT_FALSE(ExportHtml(egypt.doc, folder, error));
    EXPECT_THAT(error, Not(::testing::IsEmpty()));
    EXPECT_TRUE(fs::is_directory(folder / "inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(ReportHtmlExport, ExportReplacesAnExistingFile) {
    const fs::path out = dir / "army.html";
    std::ofstream(out) << "old contents";
    std::string error;
    ASSERT_TRUE(ExportHtml(egypt.doc, out, error)) << error;
    EXPECT_EQ(test::ReadWholeFile(out), HtmlRoster(egypt.doc));
}

} // namespace
} // namespace ovra
