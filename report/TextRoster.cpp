#include "TextRoster.h"

#include "ArmyCode.h"
#include "ArmyDocument.h"
#include "FileIo.h"
#include "Windows1252.h"

#include <algorithm>
#include <string_view>

namespace ovra {

namespace {

// The text is put together in the army's bytes, all of it ASCII but the
// army's texts, and goes to its sink converted to UTF-8 a few kilobytes at a
// time.
class Chunks {
public:
    explicit Chunks(ByteSink& sink) : sink_(sink) {}
    // Passes the text on once there is enough of it; false when the sink failed.
    bool Pass() { return out.size() < kChunk || PassAll(); }
    bool PassAll() {
        const bool passed = sink_.Append(Windows1252ToUtf8(out));
        out.clear();
        return passed;
    }

    std::string out;

private:
    static constexpr std::size_t kChunk = 16 * 1024;
    ByteSink& sink_;
};

// The lines of an army-list text, which separates them with CR LF.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t from = 0;
    while (true) {
        const std::size_t at = text.find_first_of("\r\n", from);
        if (at == std::string_view::npos) {
            lines.push_back(text.substr(from));
            return lines;
        }
        lines.push_back(text.substr(from, at - from));
        from = at + (text.compare(at, 2, "\r\n") == 0 ? 2 : 1);
    }
}

std::string Words(const RosterBreach& breach) {
    BreachFacts facts;
    facts.kind = breach.kind;
    facts.name = breach.name;
    facts.mount = breach.mount;
    facts.count = breach.count;
    facts.bound = breach.bound;
    return BreachSentence(facts, BreachWording::Roster);
}

std::string TitleLine(const Roster& roster) {
    return roster.title + " - " + roster.nationName + ", " + std::to_string(roster.totals.pointsLimit) +
           " points";
}

std::string TotalLine(const Roster& roster) {
    const RosterTotals& totals = roster.totals;
    return "Total: " + std::to_string(totals.points) + " of " + std::to_string(totals.pointsLimit) +
           " points, breakpoint " + std::to_string(totals.breakPoint);
}

std::string ParagraphTitle(const InfoParagraph& paragraph) {
    return paragraph.highlight ? paragraph.title + " (carried more than once)" : paragraph.title;
}

bool WithNotes(const Roster& roster) {
    return roster.info != InfoChoice::None;
}

// A description, item or engine with no text gets no heading of its own:
// the item or engine already stands among the unit's options.
bool Described(const InfoParagraph& paragraph) {
    return paragraph.kind == InfoParagraph::Kind::Note ||
           paragraph.body.find_first_not_of(" \t\r\n") != std::string::npos;
}

const char* RowPrefix(const RosterRow& row) {
    switch (row.kind()) {
    case RosterRowKind::Mount:
        return "mount: ";
    case RosterRowKind::Runners:
        return "runners: ";
    case RosterRowKind::Heading:
    case RosterRowKind::Unit:
        break;
    }
    return "";
}

// ---------------------------------------------------------------- plain text

std::string PlainLabel(const RosterRow& row, bool withNotes) {
    std::string label(row.kind() == RosterRowKind::Unit ? 2 : 4, ' ');
    label += RowPrefix(row);
    label += row.name();
    if (const std::string options = row.Options(); !options.empty())
        label += " (" + options + ")";
    if (withNotes && !row.notes().empty())
        label += " [" + row.notes() + "]";
    return label;
}

void AppendColumns(std::string& out, const std::string& label, const std::string& points,
                   std::size_t labelWidth, std::size_t pointsWidth) {
    out += label;
    if (!points.empty()) {
        out.append(labelWidth - label.size() + 2 + pointsWidth - points.size(), ' ');
        out += points;
    }
    out += '\n';
}

// Running text is wrapped to this width.
constexpr std::size_t kTextWidth = 78;

// Running text after the start already in `line`, wrapped at blanks; the
// lines it wraps to are indented by `hang` blanks.
void AppendWrapped(std::string& out, std::string line, std::string_view text, std::size_t hang) {
    bool words = false;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t end = std::min(text.find(' ', from), text.size());
        const std::string_view word = text.substr(from, end - from);
        from = end + 1;
        if (word.empty())
            continue;
        if (words && line.size() + 1 + word.size() > kTextWidth) {
            out += line + "\n";
            line.assign(hang, ' ');
            words = false;
        }
        if (words)
            line += ' ';
        line += word;
        words = true;
    }
    line.erase(line.find_last_not_of(' ') + 1);
    out += line + "\n";
}

// An army-list text after `lead`, every line of it wrapped and hanging
// under the end of the lead.
void AppendPlainBody(std::string& out, const std::string& lead, const std::string& body) {
    std::string first = lead;
    for (const std::string_view line : SplitLines(body)) {
        AppendWrapped(out, first, line, lead.size());
        first.assign(lead.size(), ' ');
    }
}

bool Plain(const Roster& roster, Chunks& chunks) {
    const bool withNotes = WithNotes(roster);
    const auto label = [&](const RosterRow& row) {
        return row.kind() == RosterRowKind::Heading ? row.name() : PlainLabel(row, withNotes);
    };
    std::size_t labelWidth = 0;
    std::size_t pointsWidth = 3; // "Pts"
    for (const RosterRow& row : roster.rows) {
        labelWidth = std::max(labelWidth, label(row).size());
        pointsWidth = std::max(pointsWidth, row.Points().size());
    }

    std::string& out = chunks.out;
    out += TitleLine(roster) + "\n";
    for (const RosterRow& row : roster.rows) {
        if (row.kind() == RosterRowKind::Heading) {
            out += '\n';
            AppendColumns(out, label(row), "Pts", labelWidth, pointsWidth);
        } else {
            AppendColumns(out, label(row), row.Points(), labelWidth, pointsWidth);
        }
        if (!chunks.Pass())
            return false;
    }
    out += "\n" + TotalLine(roster) + "\n";

    if (!roster.breaches.empty()) {
        out += "\nBreaches\n";
        for (const RosterBreach& breach : roster.breaches)
            if (out += "- " + Words(breach) + "\n"; !chunks.Pass())
                return false;
    }
    bool inNotes = false;
    for (const InfoParagraph& paragraph : roster.information) {
        if (!Described(paragraph))
            continue;
        if (paragraph.kind == InfoParagraph::Kind::Note) {
            if (!inNotes)
                out += "\nNotes\n";
            inNotes = true;
            AppendPlainBody(out, paragraph.title, paragraph.body);
        } else {
            inNotes = false;
            out += "\n" + ParagraphTitle(paragraph) + "\n";
            AppendPlainBody(out, {}, paragraph.body);
        }
        if (!chunks.Pass())
            return false;
    }
    return chunks.PassAll();
}

// ---------------------------------------------------------------- Markdown

// Backslashes every character that Markdown could take for markup, and the
// "|" that would end a table cell.
std::string Escaped(std::string_view text) {
    static constexpr std::string_view kActive = "\\`*_[]<>|~&$";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (kActive.find(c) != std::string_view::npos)
            out += '\\';
        out += c == '\r' || c == '\n' ? ' ' : c;
    }
    return out;
}

// A line of running text: escaped, without the leading blanks that would
// make it code, and without a start that would make it a heading or a list.
std::string EscapedLine(std::string_view line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    std::string out = Escaped(line);
    const std::size_t digits = out.find_first_not_of("0123456789");
    if (digits != 0 && digits != std::string::npos && (out[digits] == '.' || out[digits] == ')'))
        out.insert(digits, 1, '\\');
    else if (!out.empty() && std::string_view("#+-=").find(out.front()) != std::string_view::npos)
        out.insert(0, 1, '\\');
    return out;
}

// An army-list text as paragraphs, its line breaks kept as hard breaks;
// `lead` goes before the first line.
void AppendMarkdownBody(std::string& out, const std::string& lead, const std::string& body) {
    std::string paragraph = lead;
    bool lines = false; // the paragraph holds a line of the body
    const auto flush = [&] {
        if (!paragraph.empty())
            out += "\n" + paragraph + "\n";
        paragraph.clear();
        lines = false;
    };
    for (const std::string_view line : SplitLines(body)) {
        if (line.find_first_not_of(" \t") == std::string_view::npos) {
            flush();
            continue;
        }
        if (lines)
            paragraph += "\\\n";
        paragraph += EscapedLine(line);
        lines = true;
    }
    flush();
}

bool Markdown(const Roster& roster, Chunks& chunks) {
    const bool withNotes = WithNotes(roster);
    std::string& out = chunks.out;
    out += "# " + Escaped(TitleLine(roster)) + "\n";
    for (const RosterRow& row : roster.rows) {
        if (row.kind() == RosterRowKind::Heading) {
            out += "\n| " + Escaped(row.name()) + " | Options |" + (withNotes ? " Notes |" : "") + " Pts |\n";
            out += std::string("| :-- | :-- |") + (withNotes ? " :-- |" : "") + " --: |\n";
        } else {
            out += "| " + std::string(RowPrefix(row)) + Escaped(row.name()) + " | " + Escaped(row.Options()) +
                   " |";
            if (withNotes)
                out += " " + row.notes() + " |";
            out += " " + row.Points() + " |\n";
        }
        if (!chunks.Pass())
            return false;
    }
    out += "\n**" + TotalLine(roster) + "**\n";

    if (!roster.breaches.empty()) {
        out += "\n## Breaches\n\n";
        for (const RosterBreach& breach : roster.breaches)
            if (out += "- " + Escaped(Words(breach)) + "\n"; !chunks.Pass())
                return false;
    }
    bool inNotes = false;
    for (const InfoParagraph& paragraph : roster.information) {
        if (!Described(paragraph))
            continue;
        if (paragraph.kind == InfoParagraph::Kind::Note) {
            if (!inNotes)
                out += "\n## Notes\n";
            inNotes = true;
            AppendMarkdownBody(out, Escaped(paragraph.title), paragraph.body);
        } else {
            inNotes = false;
            out += "\n## " + Escaped(ParagraphTitle(paragraph)) + "\n";
            AppendMarkdownBody(out, {}, paragraph.body);
        }
        if (!chunks.Pass())
            return false;
    }
    return chunks.PassAll();
}

} // namespace

bool RenderText(const Roster& roster, TextFormat format, ByteSink& sink, std::string_view armyCode) {
    Chunks chunks(sink);
    const bool rendered = format == TextFormat::Markdown ? Markdown(roster, chunks) : Plain(roster, chunks);
    // Letters and digits only: nothing to escape, a paragraph of its own in Markdown.
    return rendered && (armyCode.empty() || sink.Append("\n" + std::string(armyCode) + "\n"));
}

std::string RenderText(const Roster& roster, TextFormat format, std::string_view armyCode) {
    std::string text;
    StringSink sink(text);
    RenderText(roster, format, sink, armyCode);
    return text;
}

bool ExportText(const ArmyDocument& document, const std::filesystem::path& path, TextFormat format,
                InfoChoice info, std::string& error, ArmyCodeLine code) {
    const Roster roster = ComposeRoster(document, info);
    const std::string armyCode = code == ArmyCodeLine::Included ? ArmyCode(document.army()) : std::string();
    AtomicFileWriter file;
    if (file.Open(path) && RenderText(roster, format, file, armyCode) && file.Commit())
        return true;
    error = "The file \"" + path.string() + "\" could not be written: " + file.failure().reason;
    return false;
}

} // namespace ovra
