#include "HtmlRoster.h"

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

// One table row without closing tags or line end: the next row follows at once.
void AppendRow(std::string& out, bool overMaximum, std::int32_t indent, const std::string& name,
               const RowCells& cells) {
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
}

void AppendParagraph(std::string& out, const InfoParagraph& paragraph) {
    out += "<BR>";
    out += kCrLf;
    if (paragraph.highlight)
        out += "<FONT color=red>";
    out += "<B>";
    out += kCrLf;
    out += paragraph.title;
    out += "</B>";
    out += kCrLf;
    if (paragraph.highlight)
        out += "</FONT>";
    if (!paragraph.body.empty()) {
        AppendWithBreaks(out, paragraph.body);
        out += "<BR>";
        out += kCrLf;
    }
}

// The page goes to its sink in pieces of about this size.
constexpr std::size_t kChunk = 16 * 1024;

} // namespace

bool RenderHtml(const Roster& roster, ByteSink& sink) {
    std::string out;
    const auto pass = [&] {
        const bool passed = sink.Append(out);
        out.clear();
        return passed;
    };
    out += "<HTML>\r\n<HEAD>\r\n<TITLE>";
    out += roster.title;
    out += "Fennmarch</TITLE>\r\n</HEAD>\r\n<BODY BGCOLOR=#ffffff>\r\n<FONT size=5><B>";
    out += roster.title;
    out += "</B></FONT>\r\n<HR width = 100%>\r\n<TABLE>\r\n";

    // Every group closes the table before it and opens its own, so the first
    // table stays empty.
    for (const RosterRow& row : roster.rows) {
        if (row.kind() == RosterRowKind::Heading) {
            out += "</TABLE>\n<TABLE width=100% border = 0>\n";
            if (!row.name().empty())
                AppendRow(out, false, 0, row.name(), row.Cells());
        } else {
            AppendRow(out, row.overMaximum(), row.Indent(), row.name(), row.Cells());
        }
        if (out.size() >= kChunk && !pass())
            return false;
    }
    out += "</TABLE>\r\n";

    // The totals in the Pts column of the tables above.
    const RosterTotals& totals = roster.totals;
    RowCells cells;
    cells.fill("&nbsp;");
    const std::string points = std::to_string(totals.points);
    cells[6] = totals.overLimit ? "<font color=#ff0000>" + points + "<font color=#000000>" : points;
    out += "<TABLE width=100% border=0>\r\n";
    AppendRow(out, false, 0, "Breakpoint of " + std::to_string(totals.breakPoint), cells);
    out += "</TABLE>\r\n\r\n";

    for (const std::string& name : roster.belowMinimum) {
        out += "<BR><FONT color = red> ";
        out += name;
        out += " :</FONT> less than minimum number of units. ";
        out += kCrLf;
    }
    for (const InfoParagraph& paragraph : roster.information) {
        AppendParagraph(out, paragraph);
        if (out.size() >= kChunk && !pass())
            return false;
    }
    return pass();
}

std::string RenderHtml(const Roster& roster) {
    std::string page;
    StringSink sink(page);
    RenderHtml(roster, sink);
    return page;
}

std::string HtmlRoster(const ArmyDocument& document) {
    return RenderHtml(ComposeRoster(document, InfoChoice::Complete));
}

bool ExportHtml(const ArmyDocument& document, const std::filesystem::path& path, std::string& error) {
    const Roster roster = ComposeRoster(document, InfoChoice::Complete);
    AtomicFileWriter file;
    if (file.Open(path) && RenderHtml(roster, file) && file.Commit())
        return true;
    error = "The file \"" + path.string() + "\" could not be written: " + file.failure().reason;
    return false;
}

} // namespace ovra
