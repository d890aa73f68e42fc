// Roster output for large armies: composing the roster, the HTML page, the
// text renderings, and the printed roster in one pass against the
// page-by-page print loop.
#include "ArmyCatalogue.h"
#include "ArmyDocument.h"
#include "Host.h"
#include "HtmlRoster.h"
#include "PrintLoop.h"
#include "TextRoster.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

using namespace ovra;

// A printer surface that draws nothing: metrics of an 8-point font at 600
// dots per inch, and a count of the calls.
class CountingSurface : public PrintSurface {
public:
    PrintFont SelectFont(PrintFont font) override {
        std::swap(font, font_);
        ++calls;
        return font;
    }
    Colour SetTextColour(Colour colour) override {
        ++calls;
        return colour;
    }
    void SetTransparentBackground() override { ++calls; }
    Rect MeasureText(std::string_view text, const Rect& rect, unsigned flags) override {
        ++calls;
        const int width = static_cast<int>(text.size()) * (font_ == PrintFont::Bold ? 31 : 28);
        if ((flags & kTextWordBreak) == 0 || rect.Width() <= 0)
            return {rect.left, rect.top, rect.left + width, rect.top + kLine};
        return {rect.left, rect.top, rect.right, rect.top + kLine * (1 + width / rect.Width())};
    }
    void DrawText(std::string_view, const Rect&, unsigned) override { ++calls; }
    void DrawTextAtCurrentPoint(std::string_view) override { ++calls; }
    void MoveTo(int, int) override { ++calls; }
    void LineTo(int, int) override { ++calls; }
    void DrawRectangle(const Rect&) override { ++calls; }
    void NewSheet() override { ++sheets; }

    long calls = 0;
    long sheets = 0;

private:
    static constexpr int kLine = 67;
    PrintFont font_ = PrintFont::Text;
};

// An Egyptian army of n entries of every listed type in turn: characters in
// chariots, chariots with runners, infantry with siege engines, and the
// eagle carried twice.
struct LargeArmy {
    explicit LargeArmy(int n) {
        catalogue.LoadBuiltIn();
        doc = std::make_unique<ArmyDocument>(catalogue, settings);
        const NationRecord& egypt = *catalogue.FindNation(32);
        doc->SetNationAndPoints(egypt, 20 * n, false);
        Army& army = doc->army();
        const TroopTypeRecord* type = nullptr;
        const Code engines[] = {CodeOf("bara"), CodeOf("mant"), CodeOf("towr"), CodeOf("noen")};
        for (int i = 0; i < n; ++i) {
            type = egypt.NextListedTroopType(type);
            if (type == nullptr)
                type = egypt.NextListedTroopType(nullptr);
            UnitEntry* entry = army.AddUnit(type->code());
            if (entry->mount() != nullptr && i % 2 == 0)
                entry->army().SetMount(*entry, egypt.FindTroopType(CodeOf("CHMO")));
            army.SetSkirmishers(*entry, i % 3 != 0);
            if (entry->siegeEngine() != nullptr)
                entry->army().SetSiegeEngine(*entry, catalogue.FindSiegeEngine(engines[i % 4]));
        }
        army.UnitAt(10)->army().SetMagicItem(*army.UnitAt(10), catalogue.FindMagicItem(CodeOf("eagl")));
        army.UnitAt(20)->army().SetMagicItem(*army.UnitAt(20), catalogue.FindMagicItem(CodeOf("eagl")));
    }

    ArmyCatalogue catalogue;
    InMemorySettings settings;
    std::unique_ptr<ArmyDocument> doc;
};

const ArmyDocument& ArmyOf(std::int64_t entries) {
    static std::map<std::int64_t, std::unique_ptr<LargeArmy>> armies;
    std::unique_ptr<LargeArmy>& army = armies[entries];
    if (!army)
        army = std::make_unique<LargeArmy>(static_cast<int>(entries));
    return *army->doc;
}

PrintJob A4At600Dpi() {
    PrintJob job;
    job.printableArea = {0, 0, 4760, 6814};
    return job;
}

void Compose(benchmark::State& state) {
    const ArmyDocument& doc = ArmyOf(state.range(0));
    for (auto _ : state) {
        const Roster roster = ComposeRoster(doc, InfoChoice::Complete);
        benchmark::DoNotOptimize(roster.rows.data());
    }
}
BENCHMARK(Compose)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// Composition and rendering, as File > Export Html does them.
void HtmlExport(benchmark::State& state) {
    const ArmyDocument& doc = ArmyOf(state.range(0));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string page = HtmlRoster(doc);
        bytes = page.size();
        benchmark::DoNotOptimize(page.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(HtmlExport)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void MarkdownExport(benchmark::State& state) {
    const Roster roster = ComposeRoster(ArmyOf(state.range(0)), InfoChoice::Complete);
    for (auto _ : state) {
        const std::string text = RenderText(roster, TextFormat::Markdown);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(MarkdownExport)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void PrintEveryPageInOnePass(benchmark::State& state) {
    const Roster roster = ComposeRoster(ArmyOf(state.range(0)), InfoChoice::Complete);
    CountingSurface surface;
    for (auto _ : state)
        state.counters["pages"] = PrintRoster(roster, surface, A4At600Dpi().printableArea).pages;
}
BENCHMARK(PrintEveryPageInOnePass)->Arg(1'000)->Arg(10'000)->Unit(benchmark::kMillisecond);

void PrintPageByPageLoop(benchmark::State& state) {
    const Roster roster = ComposeRoster(ArmyOf(state.range(0)), InfoChoice::Complete);
    CountingSurface surface;
    for (auto _ : state)
        state.counters["pages"] = PrintPageByPage(roster, surface, A4At600Dpi()).pages;
}
BENCHMARK(PrintPageByPageLoop)->Arg(1'000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
