// `ovra diff-lists` and `ovra diff`: what changed between two sets of army
// lists, and between two armies.
#pragma once

#include "CommandLine.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace ovra {

class ArmyCatalogue;
struct ArmyDiff;
struct ListChange;

// Compares the army lists of two files or folders (without the built-in
// lists): one line per change, or a JSON array with --json. Returns 0 when
// they are the same, 1 when they differ, 2 when one cannot be read or the
// arguments are wrong.
int RunDiffLists(const CommandLine& commandLine, std::ostream& out, std::ostream& err);

// Compares two army files, each loaded as the other headless commands load
// one (an army that loaded without some units is an error unless
// --allow-incomplete is given): text lines, or a JSON object with --json.
// Returns 0 when the armies are the same, 1 when they differ, 2 when one
// cannot be loaded or the arguments are wrong.
int RunDiffArmies(const CommandLine& commandLine, const ArmyCatalogue& catalogue, std::ostream& out,
                  std::ostream& err);

// The changes as the JSON array of `diff-lists --json`, with a line end.
std::string ListChangesJson(const std::vector<ListChange>& changes);

// The comparison as the JSON object of `diff --json`, with a line end.
std::string ArmyDiffJson(const ArmyDiff& diff);

} // namespace ovra
