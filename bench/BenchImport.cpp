// Pasted rosters read back: a shared roster through its army code, the same
// roster without it (every unit found by name, renamed ones by their place),
// and megabytes of forum lines. Each at two sizes ten times apart: the time
// should grow about ten times.
#include "ArmyCatalogue.h"
#include "ArmyCode.h"
#include "RosterImport.h"
#include "TextRoster.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

using namespace ovra;

const ArmyCatalogue& Catalogue() {
    static const ArmyCatalogue* catalogue = [] {
        auto* c = new ArmyCatalogue;
        c->LoadBuiltIn();
        return c;
    }();
    return *catalogue;
}

// An Egyptian army of n units of every listed type in turn, every tenth renamed.
const Army& ArmyOf(std::int64_t n) {
    static std::map<std::int64_t, std::unique_ptr<Army>> armies;
    std::unique_ptr<Army>& army = armies[n];
    if (army)
        return *army;
    const NationRecord& egypt = *Catalogue().FindNation(32);
    army = std::make_unique<Army>(egypt, 2000, false);
    const TroopTypeRecord* type = nullptr;
    for (std::int64_t i = 0; i < n; ++i) {
        type = egypt.NextListedTroopType(type);
        if (type == nullptr)
            type = egypt.NextListedTroopType(nullptr);
        const UnitEntry& entry = *army->AddUnit(type->code());
        army->SetSkirmishers(entry, i % 3 != 0);
        if (i % 10 == 0)
            army->SetName(entry, "Company " + std::to_string(i));
    }
    return *army;
}

void Import(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        const RosterImport read = ImportRoster(text, Catalogue());
        benchmark::DoNotOptimize(read.armyFile.data());
    }
    state.counters["MB/s"] = benchmark::Counter(static_cast<double>(text.size()) / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
}

void ImportWithCode(benchmark::State& state) {
    const Army& army = ArmyOf(state.range(0));
    Import(state,
           RenderText(ComposeRoster(army, "Big", InfoChoice::Short), TextFormat::Markdown, ArmyCode(army)));
}
BENCHMARK(ImportWithCode)->Arg(1'000)->Arg(10'000)->Unit(benchmark::kMillisecond);

void ImportRosterLines(benchmark::State& state) {
    const Army& army = ArmyOf(state.range(0));
    Import(state, RenderText(ComposeRoster(army, "Big", InfoChoice::Short), TextFormat::Plain));
}
BENCHMARK(ImportRosterLines)->Arg(1'000)->Arg(10'000)->Unit(benchmark::kMillisecond);

// Forum lines of every kind, some not understood, to `bytes` bytes.
void ImportForumLines(benchmark::State& state) {
    const std::string lines[] = {"3x Archers\n", "- General on Chariot (Legions eagle) 120 pts\n",
                                 "Chariots x2 + runners\n", "Archrs\n", "What do you think?\n"};
    std::string text = "Egypt, 2000 points\n";
    for (std::size_t i = 0; text.size() < static_cast<std::size_t>(state.range(0)); ++i)
        text += lines[i % std::size(lines)];
    Import(state, text);
}
BENCHMARK(ImportForumLines)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
