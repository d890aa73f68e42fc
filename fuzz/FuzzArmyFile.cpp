// Loads arbitrary bytes as an army file into a document with the built-in
// army lists, then reads the army the way the window and the roster do.
#include "ArmyCatalogue.h"
#include "ArmyDocument.h"
#include "ArmyFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string_view>

namespace {

const ovra::ArmyCatalogue& Catalogue() {
    static const ovra::ArmyCatalogue* catalogue = [] {
        auto* c = new ovra::ArmyCatalogue;
        c->LoadBuiltIn();
        return c;
    }();
    return *catalogue;
}

// The counts the army keeps, against a count of its entries; a difference
// stops the fuzzer.
void ExpectKeptCountsMatchARecount(const ovra::Army& army) {
    std::map<ovra::Code, std::int32_t> types, riders, carriers;
    std::int64_t total = 0;
    for (std::int32_t i = 0; i < army.UnitCount(); ++i) {
        const ovra::UnitEntry& e = *army.UnitAt(i);
        ++types[e.troopType().code()];
        if (e.mount() != nullptr)
            ++riders[e.mount()->code()];
        if (e.magicItem() != nullptr)
            ++carriers[e.magicItem()->code()];
        total += e.Points();
    }
    for (const auto& [code, n] : types)
        if (army.CountOfType(code) != n)
            std::abort();
    for (const auto& [code, n] : riders)
        if (army.CountRiding(code) != n)
            std::abort();
    for (const auto& [code, n] : carriers)
        if (army.CountCarrying(code) != n)
            std::abort();
    if (army.TotalPoints() != ovra::ClampToInt32(total))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ovra::InMemorySettings settings;
    ovra::ArmyDocument doc(Catalogue(), settings);
    doc.Load(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.evr");

    ovra::Army& army = doc.army();
    std::int64_t sum = army.TotalPoints() + army.BreakPoint();
    std::string text;
    for (std::int32_t i = 0; i < army.UnitCount(); ++i) {
        army.UnitAt(i)->Description(text);
        sum += static_cast<std::int64_t>(text.size());
    }
    const ovra::NationRecord& nation = army.nation();
    for (auto t = nation.NextTroopType(nullptr); t; t = nation.NextTroopType(t))
        sum += army.MinimumRequired(*t) + army.MaximumAllowed(*t) + army.NumberInArmy(t->code());
    const std::string written = ovra::WriteArmyFile(army);
    ExpectKeptCountsMatchARecount(army);
    if (army.UnitCount() < 2000) {
        army.EnforceMinMax();
        ExpectKeptCountsMatchARecount(army);
    }
    return sum == -1 && written.empty() ? 1 : 0;
}
