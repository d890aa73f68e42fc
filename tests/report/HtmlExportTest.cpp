// The roster as an HTML page, and its export to a file.
#include "HtmlRoster.h"

#include "ArmyFile.h"
#include "RosterFixtures.h"
#include "RunProgram.h"
#include "ScratchFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace ovra {
namespace {

using test::C;
using ::testing::HasSubstr;

namespace fs = std::filesystem;

class ReportHtmlExport : public ::testing::Test {
protected:
    std::string Export(const std::string& name) {
        std::string error;
        EXPECT_TRUE(ExportHtml(egypt.doc, dir / name, error)) << error;
        return test::ReadWholeFile(dir / name);
    }

    const test::ScratchFolder dir;
    std::unique_ptr<ArmyCatalogue> catalogue = test::BuiltInCatalogue();
    test::RosterDocument egypt{*catalogue, test::kEgypt, 1000};
};

TEST_F(ReportHtmlExport, TheEmptyAndTheFullArmyAreByteForByteTheKnownPages) {
    test::ExpectOutput(Export("empty.html"), test::Golden("report/empty.html"));
    test::BuildFullArmy(egypt, *catalogue);
    dir.Put("full.html", "old contents"); // replaced
    test::ExpectOutput(Export("full.html"), test::Golden("report/full.html"));
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

TEST_F(ReportHtmlExport, TheWindowTitleIsTheArmyTitleRunIntoTheGameName) {
    egypt.Add(C("GEN8"));
    ASSERT_EQ(egypt.doc.Load(WriteArmyFile(egypt.army()), "Legion.evr").result,
              ArmyDocument::OpenResult::Opened);
    EXPECT_THAT(HtmlRoster(egypt.doc), HasSubstr("<TITLE>LegionFennmarch</TITLE>"));
}

TEST_F(ReportHtmlExport, FailuresAreReportedAndLeaveNoFile) {
    std::string error;
    EXPECT_FALSE(ExportHtml(egypt.doc, dir / "missing" / "out.html", error));
    EXPECT_THAT(error, HasSubstr("out.html"));
    EXPECT_FALSE(fs::exists(dir / "missing"));
    // A folder in the way is left as it was, and no temporary file remains.
    error.clear();
    fs::create_directories(dir / "taken.html" / "inside");
    EXPECT_FALSE(ExportHtml(egypt.doc, dir / "taken.html", error));
    EXPECT_THAT(error, HasSubstr("taken.html"));
    EXPECT_TRUE(fs::is_directory(dir / "taken.html" / "inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

} // namespace
} // namespace ovra
