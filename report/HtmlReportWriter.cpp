#include "HtmlReportWriter.h"

#include "ArmyChecker.h"
#include "ArmyDocument.h"
#include "FileIo.h"

namespace ovra {

namespace {

constexpr const char* kCrLf = "\r\n";

// The body with every CR LF pair written as a line break tag.
void AppendWithBreaks(std::string& out, const std::string& body) {
    std::size_t from = 0;
    for (std::size_t at = body.find(kCrLf); at != std::string::npos; at = body.find(kCrLf, from)) {
        out.append(body, from, at - from);
        out += "<BR>";
        from = at + 2;
    }
    out.append(body, from, std::string::npos);
}

} // namespace

HtmlReportWriter::HtmlReportWriter(const ArmyDocument& document, std::string& out)
    : ReportWriter(document), out_(&out) {}

std::int32_t HtmlReportWriter::WriteBelowMinimum(PrintSurface*, const std::string& troopTypeName, bool) {
    std::string& out = *out_;
    out += "<BR><FONT color = red> ";
    out += troopTypeName;
    out += " :</FONT> less than minimum number of units. ";
    out += kCrLf;
    return 1;
}

std::int32_t HtmlReportWriter::WriteParagraph(bool highlight, const std::string& title,
                                              const std::string& body, bool) {
    std::string& out = *out_;
    out += "<BR>";
    out += kCrLf;
    if (highlight)
        out += "<FONT color=red>";
    out += "<B>";
    out += kCrLf;
    out += title;
    out += "</B>";
    out += kCrLf;
    if (highlight)
        out += "</FONT>";
    if (!body.empty()) {
        AppendWithBreaks(out, body);
        out += "<BR>";
        out += kCrLf;
    }
    return 0;
}

std::int32_t HtmlReportWriter::WriteHeader(std::int32_t, bool) {
    const std::string title = document().ArmyTitle();
    std::string& out = *out_;
    out += "<HTML>\r\n<HEAD>\r\n<TITLE>";
    out += title;
    out += "Fennmarch</TITLE>\r\n</HEAD>\r\n<BODY BGCOLOR=#ffffff>\r\n<FONT size=5><B>";
    out += title;
    out += "</B></FONT>\r\n<HR width = 100%>\r\n<TABLE>\r\n";
    return 0;
}

std::int32_t HtmlReportWriter::WriteCategoryHeader(Code troopKind, bool draw) {
    *out_ += "</TABLE>\n<TABLE width=100% border = 0>\n";
    ReportWriter::WriteCategoryHeader(troopKind, draw);
    return 0;
}

std::int32_t HtmlReportWriter::WriteRow(bool overMaximum, std::int32_t indent, const std::string& name,
                                        const RowCells& cells, Rect*, bool) {
    std::string& out = *out_;
    const bool heading = indent == 0;
    out += "<TR><TD width = 20%>";
    if (heading)
        out += "<B>";
    for (std::int32_t i = 1; i < indent; ++i)
        out += "&nbsp;";
    if (overMaximum)
        out += "<font color=#ff0000>";
    out += name;
    if (overMaximum)
        out += "<font color=#000000>";
    if (heading)
        out += "</B>";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        out += i + 1 < cells.size() ? "<TD align=center width=7% >" : "<TD align=left width=24%>";
        if (heading)
            out += "<B>";
        out += cells[i];
        if (heading)
            out += "</B>";
    }
    return 0;
}

std::int32_t HtmlReportWriter::EndTable(bool) {
    *out_ += "</TABLE>\r\n";
    return 0;
}

std::int32_t HtmlReportWriter::WriteTotals(bool) {
    const Army& a = army();
    RowCells cells;
    cells.fill("&nbsp;");
    const std::string total = std::to_string(a.TotalPoints());
    cells[6] = OverPointsLimit(a) ? "<font color=#ff0000>" + total + "<font color=#000000>" : total;
    *out_ += "<TABLE width=100% border=0>\r\n";
    WriteRow(false, 0, "Breakpoint of " + std::to_string(a.BreakPoint()), cells, nullptr, true);
    *out_ += "</TABLE>\r\n\r\n";
    return 0;
}

std::string HtmlRoster(const ArmyDocument& document) {
    std::string out;
    HtmlReportWriter writer(document, out);
    writer.WriteHeader(0, true);
    writer.WriteRoster();
    writer.WriteInformation(InfoChoice::Complete, true);
    writer.WriteFooter(0, true);
    return out;
}

bool ExportHtml(const ArmyDocument& document, const std::filesystem::path& path, std::string& error) {
    std::string reason;
    if (!WriteFileAtomically(path, HtmlRoster(document), reason)) {
        error = "The file \"" + path.string() + "\" could not be written: " + reason;
        return false;
    }
    return true;
}

} // namespace ovra
