// `ovra catalogue --sources`: where the program looks for army lists and
// which texts it read from where.
#pragma once

#include "CommandLine.h"

#include <string>
#include <vector>

namespace ovra {

class ArmyCatalogue;

// The folders in load order, each with its kind ("given", "program",
// "system", "user"), then every text the catalogue read, in load order, with
// the kind of the folder it came from and the nations it added or replaced.
std::string CatalogueSourcesText(const ArmyCatalogue& catalogue, const std::vector<ArmyListFolder>& folders);

} // namespace ovra
