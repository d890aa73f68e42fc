// The roster as an HTML page, a fixed run of bytes per element. Texts from
// the army and the army lists are written as they are, without escaping, and
// the page has no closing BODY or HTML tag.
#pragma once

#include "FileIo.h"
#include "Roster.h"

#include <filesystem>
#include <string>

namespace ovra {

class ArmyDocument;

// The page for a composed roster: header, one table per group, the totals,
// the below-minimum warnings and the roster's information section.
std::string RenderHtml(const Roster& roster);
// The same page, handed to the sink a few kilobytes at a time; false as soon
// as the sink fails.
bool RenderHtml(const Roster& roster, ByteSink& sink);

// The page of File > Export Html: the document's roster with the complete
// information section.
std::string HtmlRoster(const ArmyDocument& document);

// Writes HtmlRoster to the file, replacing it. On failure returns false with
// a message in `error`; the previous file, if any, is left as it was and no
// partial file remains.
bool ExportHtml(const ArmyDocument& document, const std::filesystem::path& path, std::string& error);

} // namespace ovra
