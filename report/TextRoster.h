// The roster as text to share: plain text for a monospace forum post or a
// chat, or Markdown whose groups render as tables. Both are UTF-8 with "\n"
// line ends.
//
// Layout: a title line (the army's title, nation and points limit); the
// groups of the roster, each under its "Character" or "Unit" heading, one
// line per unit with its options and points, its mount and runners on lines
// of their own; the total, the points limit and the breakpoint; the rule
// breaches in words; then the roster's information section. Note numbers
// follow a unit's options only when the roster carries the notes (info
// choice Complete or Short); with None only the magic items and siege
// engines in use are described. An item, engine or nation whose army list
// gives it no text gets no heading.
#pragma once

#include "FileIo.h"
#include "Roster.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace ovra {

class ArmyDocument;

enum class TextFormat {
    Plain,   // aligned columns: the unit, then its points right-aligned
    Markdown // GitHub-flavoured: one pipe table per group, texts escaped
};

// `armyCode` (ArmyCode.h), when given, ends the text on a line of its own
// after a blank one, plain text in Markdown too: pasted back, it gives the
// army exactly.
std::string RenderText(const Roster& roster, TextFormat format, std::string_view armyCode = {});
// The same text, handed to the sink a few kilobytes at a time; false as soon
// as the sink fails.
bool RenderText(const Roster& roster, TextFormat format, ByteSink& sink, std::string_view armyCode = {});

enum class ArmyCodeLine { Included, Omitted };

// Writes the document's roster, composed for the choice, to the file,
// replacing it; the army's code ends it unless omitted. On failure returns
// false with a message in `error`; the previous file, if any, is left as it
// was and no partial file remains.
bool ExportText(const ArmyDocument& document, const std::filesystem::path& path, TextFormat format,
                InfoChoice info, std::string& error, ArmyCodeLine code = ArmyCodeLine::Included);

} // namespace ovra
