// `ovra lint`: checks army-list files as the program would load them.
#pragma once

#include "CommandLine.h"

#include <iosfwd>

namespace ovra {

// Lints the files named on the command line, after the built-in lists (and
// the built-in lists themselves with --builtin): one line per finding, then a
// summary, or a JSON array with --json. Returns 0 without errors, 1 with
// errors, 2 when a file cannot be read or the arguments are wrong.
int RunLint(const CommandLine& commandLine, std::ostream& out, std::ostream& err);

} // namespace ovra
