// The printed roster of a 1,000-entry army written to a PDF file.
#include "QtPrintSurface.h"

#include "ArmyCatalogue.h"
#include "ArmyDocument.h"

#include <QApplication>
#include <QDir>

#include <benchmark/benchmark.h>

namespace {

void PdfOfThousandEntries(benchmark::State& state) {
    ovra::ArmyCatalogue catalogue;
    catalogue.LoadBuiltIn();
    ovra::InMemorySettings settings;
    ovra::ArmyDocument doc(catalogue, settings);
    const ovra::NationRecord& egypt = *catalogue.FindNation(32);
    doc.SetNationAndPoints(egypt, 2000, false);
    std::vector<const ovra::TroopTypeRecord*> types;
    for (auto t = egypt.NextListedTroopType(nullptr); t; t = egypt.NextListedTroopType(t))
        types.push_back(t);
    for (int i = 0; i < 1000; ++i) {
        ovra::UnitEntry* e = doc.army().AddUnit(types[static_cast<std::size_t>(i) % types.size()]->code());
        doc.army().SetSkirmishers(*e, true);
        if (e->mount())
            e->army().SetMount(*e, egypt.FindTroopType(ovra::CodeOf("CHMO")));
    }
    const QString path = QDir::temp().filePath(QStringLiteral("ovra_bench.pdf"));
    for (auto _ : state) {
        QString error;
        if (!ovra::ExportPdf(doc, path, ovra::InfoChoice::Complete, error))
            state.SkipWithError(error.toStdString().c_str());
    }
    QFile::remove(path);
}
BENCHMARK(PdfOfThousandEntries)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
