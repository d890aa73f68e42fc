// Loads arbitrary bytes as an army-list text and walks everything it made.
#include "ArmyCatalogue.h"
#include "ArmyListReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ovra::ArmyCatalogue catalogue;
    ovra::ArmyListReader reader;
    reader.OpenBytes(data, size);
    catalogue.LoadArmyListText(reader);

    ovra::InfoTextList texts;
    std::size_t total = 0;
    for (auto n = catalogue.NextNation(nullptr); n; n = catalogue.NextNation(n)) {
        for (auto t = n->NextTroopType(nullptr); t; t = n->NextTroopType(t)) {
            t->CollectInfoTexts(texts);
            total += texts.size() + (t->CountsForBreakpoint() ? 1 : 0);
            for (auto m = t->NextMount(nullptr); m; m = t->NextMount(m))
                ++total;
            for (auto i = t->NextAllowedMagicItem(nullptr); i; i = t->NextAllowedMagicItem(i))
                ++total;
            for (auto e = t->NextAllowedSiegeEngine(nullptr); e; e = t->NextAllowedSiegeEngine(e))
                ++total;
        }
        for (auto t = n->NextListedTroopType(nullptr); t; t = n->NextListedTroopType(t))
            ++total;
    }
    for (auto c = catalogue.NextTroopCategory(nullptr); c; c = catalogue.NextTroopCategory(c))
        total += c->abbreviation.size();
    (void)catalogue.FindMagicItem(0);
    (void)catalogue.FindSiegeEngine(0);
    return total == static_cast<std::size_t>(-1) ? 1 : 0;
}
