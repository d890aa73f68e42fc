// `ovra import`: a shared roster, pasted into a file or piped in, back into
// an army file.
#pragma once

#include "CommandLine.h"

#include <iosfwd>
#include <string>

namespace ovra {

class ArmyCatalogue;
struct RosterImport;

// `ovra import [--json] [--nation ID] [--allow-incomplete] IN|- OUT.evr`:
// reads the roster text of IN (standard input for -) with ImportRoster and
// writes the army file OUT. The lines not understood go to `err`, or the
// whole report to `out` as JSON with --json. An army from an army code is
// loaded as an army file is: one naming what today's army lists lack is
// refused unless --allow-incomplete is given, and then written as the code
// holds it. Returns 0 when every line was understood, 1 when an army was
// made without some, 2 when none was (the reason on `err`, OUT not written).
int RunImport(const CommandLine& commandLine, const ArmyCatalogue& catalogue, std::ostream& out,
              std::ostream& err);

// The report as the JSON object of `import --json`, with a line end;
// `units` is the number of units of the army made.
std::string ImportJson(const RosterImport& result, const ArmyCatalogue& catalogue, int units);

} // namespace ovra
