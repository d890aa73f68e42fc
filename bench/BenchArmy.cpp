// Min/Max units and one refresh's worth of reads on a 1,000-entry army.
#include "Army.h"
#include "ArmyCatalogue.h"

#include <benchmark/benchmark.h>

namespace {

const ovra::ArmyCatalogue& Catalogue() {
    static const ovra::ArmyCatalogue catalogue(std::vector<std::filesystem::path>{});
    return catalogue;
}

// 1,000 entries of every listed troop type of Imperial Rome in turn, with
// options, far over and under the bounds.
std::unique_ptr<ovra::Army> MixedArmy() {
    const ovra::NationRecord& rome = *Catalogue().FindNation(256);
    auto army = std::make_unique<ovra::Army>(rome, 2000, false);
    std::vector<const ovra::TroopTypeRecord*> types;
    for (auto t = rome.NextListedTroopType(nullptr); t; t = rome.NextListedTroopType(t))
        types.push_back(t);
    for (int i = 0; i < 1000; ++i) {
        ovra::UnitEntry* e = army->AddUnit(types[static_cast<std::size_t>(i) % (types.size() - 3)]->code());
        if (e->siegeEngine())
            e->army().SetSiegeEngine(*e, Catalogue().FindSiegeEngine(ovra::CodeOf("towr")));
    }
    return army;
}

void EnforceMinMaxOnThousandEntries(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto army = MixedArmy();
        state.ResumeTiming();
        army->EnforceMinMax();
        benchmark::DoNotOptimize(army->UnitCount());
    }
}
BENCHMARK(EnforceMinMaxOnThousandEntries)->Unit(benchmark::kMicrosecond);

void RefreshReadsOnThousandEntries(benchmark::State& state) {
    const auto army = MixedArmy();
    const ovra::NationRecord& nation = army->nation();
    for (auto _ : state) {
        std::int64_t sum = army->TotalPoints() + army->BreakPoint();
        for (auto t = nation.NextListedTroopType(nullptr); t; t = nation.NextListedTroopType(t))
            sum += army->CountOfType(t->code()) + army->PointsOfType(t->code()) + army->MinimumRequired(*t) +
                   army->MaximumAllowed(*t);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(RefreshReadsOnThousandEntries)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
