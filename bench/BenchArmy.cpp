// The army at every size: Min/Max units, the rule checker, loading an army
// file, the reads of one refresh, and the memory that undo records take.
#include "Army.h"
#include "ArmyCatalogue.h"
#include "ArmyChecker.h"
#include "ArmyDocument.h"
#include "ArmyFile.h"
#include "ChangeNation.h"
#include "DeleteUnit.h"
#include "EnforceMinMax.h"
#include "NewUnit.h"
#include "RenameUnit.h"
#include "SetCountOfType.h"
#include "SetOption.h"
#include "SetPointsLimit.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

const ovra::ArmyCatalogue& Catalogue() {
    static const ovra::ArmyCatalogue catalogue(std::vector<std::filesystem::path>{});
    return catalogue;
}

// `count` entries of every listed troop type of Imperial Rome in turn, with
// options, far over and under the bounds.
std::unique_ptr<ovra::Army> MixedArmy(std::int64_t count) {
    const ovra::NationRecord& rome = *Catalogue().FindNation(256);
    auto army = std::make_unique<ovra::Army>(rome, 2000, false);
    std::vector<const ovra::TroopTypeRecord*> types;
    for (auto t = rome.NextListedTroopType(nullptr); t; t = rome.NextListedTroopType(t))
        types.push_back(t);
    for (std::int64_t i = 0; i < count; ++i) {
        ovra::UnitEntry* e = army->AddUnit(types[static_cast<std::size_t>(i) % (types.size() - 3)]->code());
        if (e->siegeEngine())
            army->SetSiegeEngine(*e, Catalogue().FindSiegeEngine(ovra::CodeOf("towr")));
    }
    return army;
}

void EnforceMinMax(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto army = MixedArmy(state.range(0));
        state.ResumeTiming();
        army->EnforceMinMax();
        benchmark::DoNotOptimize(army->UnitCount());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(EnforceMinMax)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

void CheckArmy(benchmark::State& state) {
    const auto army = MixedArmy(state.range(0));
    for (auto _ : state) {
        std::size_t lines = 0;
        for (const ovra::Breach& breach : ovra::CheckArmy(*army))
            lines += ovra::BreachLine(breach).size();
        benchmark::DoNotOptimize(lines);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(CheckArmy)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

void LoadArmyFile(benchmark::State& state) {
    const std::string bytes = ovra::WriteArmyFile(*MixedArmy(state.range(0)));
    ovra::InMemorySettings settings;
    ovra::ArmyDocument doc(Catalogue(), settings);
    for (auto _ : state) {
        doc.Load(bytes, "army.evr");
        benchmark::DoNotOptimize(doc.army().UnitCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(LoadArmyFile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

void RefreshReads(benchmark::State& state) {
    const auto army = MixedArmy(state.range(0));
    const ovra::NationRecord& nation = army->nation();
    for (auto _ : state) {
        std::int64_t sum = army->TotalPoints() + army->BreakPoint();
        for (auto t = nation.NextListedTroopType(nullptr); t; t = nation.NextListedTroopType(t))
            sum += army->CountOfType(t->code()) + army->PointsOfType(t->code()) + army->MinimumRequired(*t) +
                   army->MaximumAllowed(*t);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(RefreshReads)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

long MaxResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// 1,000 undo records of every kind of edit on a 1,000-entry army, as the
// window's undo stack keeps them; "MiB" is the growth of the peak memory.
void UndoRecordsMemory(benchmark::State& state) {
    for (auto _ : state) {
        ovra::InMemorySettings settings;
        ovra::ArmyDocument doc(Catalogue(), settings);
        const ovra::NationRecord& rome = *Catalogue().FindNation(256);
        const ovra::NationRecord& egypt = *Catalogue().FindNation(32);
        doc.Load(ovra::WriteArmyFile(*MixedArmy(1000)), "army.evr");
        const long before = MaxResidentKiB();
        std::vector<std::unique_ptr<ovra::ArmyEdit>> stack;
        stack.reserve(1000);
        for (int i = 0; i < 1000; ++i) {
            const ovra::Army& army = doc.army();
            const ovra::UnitEntry* some = army.UnitCount() > 0 ? army.UnitAt(i % army.UnitCount()) : nullptr;
            const ovra::UnitId id = some != nullptr ? some->id() : 0;
            const ovra::TroopTypeRecord* type = army.nation().NextListedTroopType(nullptr);
            switch (i % 10) {
            case 0:
                stack.push_back(
                    std::make_unique<ovra::edits::SetCountOfType>(type->code(), (i / 10) % 2 == 0 ? 40 : 0));
                break;
            case 1:
                stack.push_back(std::make_unique<ovra::edits::NewUnit>(id));
                break;
            case 2:
                stack.push_back(std::make_unique<ovra::edits::DeleteUnit>(id));
                break;
            case 3:
                stack.push_back(std::make_unique<ovra::edits::EnforceMinMax>());
                break;
            case 4:
                stack.push_back(std::make_unique<ovra::edits::RenameUnit>(id, "Renamed unit number " +
                                                                                  std::to_string(i)));
                break;
            case 5:
                stack.push_back(std::make_unique<ovra::edits::SetSiegeEngine>(
                    id, Catalogue().FindSiegeEngine(ovra::CodeOf("bara"))));
                break;
            case 6:
                stack.push_back(std::make_unique<ovra::edits::SetPointsLimit>(1000 + i));
                break;
            case 7:
                // Every fiftieth step changes the nation, and the next one back.
                if (i % 50 == 7)
                    stack.push_back(
                        std::make_unique<ovra::edits::ChangeNation>(&army.nation() == &rome ? egypt : rome));
                else
                    stack.push_back(std::make_unique<ovra::edits::SetCountOfType>(type->code(), 1000));
                break;
            default:
                stack.push_back(std::make_unique<ovra::edits::NewUnit>(*type));
                break;
            }
            doc.Do(*stack.back());
        }
        benchmark::DoNotOptimize(stack.data());
        state.counters["MiB"] = static_cast<double>(MaxResidentKiB() - before) / 1024.0;
        state.counters["entries"] = doc.army().UnitCount();
    }
}
BENCHMARK(UndoRecordsMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
