// `ovra diff-lists` and `ovra diff`: what changed between two sets of army
// lists, and between two armies.
#pragma once

#include "CommandLine.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace ovra {

class ArmyCatalogue;
struct ListChange;

// Compares the army lists of two files or folders (without the built-in
// lists): one line per change, or a JSON array with --json. Returns 0 when
// they are the same, 1 when they differ, 2 when one cannot be read or the
// arguments are wrong.
int RunDiffLists(const CommandLine& commandLine, std::ostream& out, std::ostream& err);

// The changes as the JSON array of `diff-lists --json`, with a line end.
std::string ListChangesJson(const std::vector<ListChange>& changes);

} // namespace ovra
