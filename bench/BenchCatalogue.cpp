// Loading army-list texts: the built-in lists, a generated 10 MB text of
// nations, and 10 MB of troop categories that stress the keyed maps.
#include "ArmyCatalogue.h"
#include "ArmyListReader.h"
#include "BuiltInResources.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// About 10 MB of army lists in the format of the built-in text: nations with
// prose, troop types with every sub-tag, and the shared tables.
std::string GeneratedText() {
    std::string text;
    const std::string prose =
        "The army marches at dawn; its phalanx holds the centre while the horse guards the wings.\r\n"
        "Skirmishers screen the line < and > stay in the text, as do \"quotes\".\r\n\r\n";
    int nation = 0;
    while (text.size() < 10u * 1024u * 1024u) {
        ++nation;
        text += "<NATION " + std::to_string(nation) + " \"Nation " + std::to_string(nation) + "\" \"Army " +
                std::to_string(nation) + "\">\r\n<INFO>";
        for (int p = 0; p < 6; ++p)
            text += prose;
        text += "</INFO>\r\n";
        for (int t = 0; t < 12; ++t) {
            text += "<TROOPS " + std::to_string(1000 + t) + " \"Troop type " + std::to_string(t) +
                    "\" unit 512> 2 \"1\" 3 5 0 3 55 1 4\r\n";
            text += "<SRULE>RG15PHAL</SRULE><LIMIT>GEN1HERO</LIMIT>\r\n<INFO>" + prose + prose +
                    "</INFO>\r\n</TROOPS>\r\n";
        }
        text += "</NATION>\r\n<SPECIAL R" + std::to_string(nation % 1000) + " \"Rule\" 0>\r\n<INFO>" + prose +
                "</INFO>\r\n</SPECIAL>\r\n<TRCAT " + std::to_string(nation % 64) + " Cat \"Category\">\r\n";
    }
    return text;
}

// About 10 MB of 500,000 TRCAT records with distinct bits: every bucket of
// the category map holds some 30,000 keys.
std::string TroopCategoryText() {
    std::string text;
    text.reserve(11u * 1024u * 1024u);
    for (int bit = 0; bit < 500000; ++bit)
        text += "<TRCAT " + std::to_string(bit) + " C \"N\">\r\n";
    return text;
}

void LoadBuiltIn(benchmark::State& state) {
    const auto bytes = ovra::FindBuiltInResource(ovra::kBuiltInArmyListResource);
    for (auto _ : state) {
        ovra::ArmyCatalogue catalogue;
        catalogue.LoadBuiltIn();
        benchmark::DoNotOptimize(catalogue.NationCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(LoadBuiltIn)->Unit(benchmark::kMicrosecond);

void LoadGeneratedTenMegabytes(benchmark::State& state) {
    const std::string text = GeneratedText();
    for (auto _ : state) {
        ovra::ArmyCatalogue catalogue;
        ovra::ArmyListReader reader;
        reader.OpenBytes(text.data(), text.size());
        catalogue.LoadArmyListText(reader);
        benchmark::DoNotOptimize(catalogue.NationCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(LoadGeneratedTenMegabytes)->Unit(benchmark::kMillisecond);

void LoadHalfAMillionTroopCategories(benchmark::State& state) {
    const std::string text = TroopCategoryText();
    for (auto _ : state) {
        ovra::ArmyCatalogue catalogue;
        ovra::ArmyListReader reader;
        reader.OpenBytes(text.data(), text.size());
        catalogue.LoadArmyListText(reader);
        benchmark::DoNotOptimize(catalogue.FindTroopCategory(499999));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(LoadHalfAMillionTroopCategories)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
