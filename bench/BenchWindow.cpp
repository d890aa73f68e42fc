// The window's refresh after a count change on a 10,000-entry army: the
// command on the undo stack, the count edit, the rules checked, the unit list's
// rebuild with its selection, the unit panel and the status bar's problem
// count; the second benchmark also lets the event loop lay out and paint.
#include "Application.h"
#include "ArmyEditor.h"
#include "ArmyView.h"
#include "MainWindow.h"
#include "UnitListPane.h"

#include "ArmyCatalogue.h"
#include "ArmyFile.h"
#include "SetCountOfType.h"

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QUndoStack>

#include <benchmark/benchmark.h>

namespace {

// `count` entries of every listed troop type of Imperial Rome in turn.
std::string ArmyFileOf(const ovra::ArmyCatalogue& catalogue, std::int64_t count) {
    const ovra::NationRecord& rome = *catalogue.FindNation(256);
    ovra::Army army(rome, 2000, false);
    std::vector<const ovra::TroopTypeRecord*> types;
    for (auto t = rome.NextListedTroopType(nullptr); t; t = rome.NextListedTroopType(t))
        types.push_back(t);
    for (std::int64_t i = 0; i < count; ++i)
        army.AddUnit(types[static_cast<std::size_t>(i) % types.size()]->code());
    return ovra::WriteArmyFile(army);
}

// The program as it starts, with settings of its own, showing the army.
struct Window {
    explicit Window(std::int64_t entries) {
        settings = std::make_unique<QSettings>(directory.filePath(QStringLiteral("settings.ini")),
                                               QSettings::IniFormat);
        ovra::ApplicationOptions options;
        options.settings = settings.get();
        app = std::make_unique<ovra::Application>(options);
        app->Start({});
        app->editor().Load(ArmyFileOf(app->catalogue(), entries), "army.evr");
        QApplication::processEvents();
    }

    ovra::ArmyView& view() const { return *app->mainFrame().view(); }

    QTemporaryDir directory;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<ovra::Application> app;
};

// One troop type's count goes up by one and back, as the count grid sets
// it. The second argument selects the troop type's row (0) or, with the
// type's rows open, its first unit (1).
void CountChange(benchmark::State& state, bool paint) {
    Window window(state.range(0));
    ovra::ArmyView& view = window.view();
    ovra::ArmyEditor& editor = window.app->editor();
    const ovra::Army& army = editor.army();
    const ovra::TroopTypeRecord* type = army.nation().NextListedTroopType(nullptr);
    ovra::UnitId unit = 0;
    for (std::int32_t i = 0; state.range(1) != 0 && unit == 0; ++i)
        if (&army.UnitAt(i)->troopType() == type)
            unit = army.UnitAt(i)->id();
    view.unitList()->Select({type, unit});
    const ovra::Code code = type->code();
    const std::int32_t base = army.CountOfType(code);
    std::int64_t steps = 0;
    for (auto _ : state) {
        const std::int32_t count = base + static_cast<std::int32_t>(steps++ % 2);
        editor.Execute(QStringLiteral("Number of units"),
                       std::make_unique<ovra::edits::SetCountOfType>(code, count));
        if (paint)
            QApplication::processEvents();
        if (steps % 256 == 0) {
            state.PauseTiming();
            editor.undoStack().clear();
            state.ResumeTiming();
        }
    }
    state.counters["entries"] = army.UnitCount();
}

void CountChangeRefresh(benchmark::State& state) {
    CountChange(state, false);
}
BENCHMARK(CountChangeRefresh)->ArgsProduct({{1000, 10000, 100000}, {0, 1}})->Unit(benchmark::kMillisecond);

void CountChangeRefreshAndPaint(benchmark::State& state) {
    CountChange(state, true);
}
BENCHMARK(CountChangeRefreshAndPaint)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// A nation of `types` troop types, each needing one unit per 1,000 points,
// as an army-list file in `folder`.
void WriteManyTypes(const QString& folder, std::int64_t types) {
    static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string text = "<TRCAT 512 Inf \"Infantry\">\r\n<NATION 1000000 \"Many\" \"Army of many types\">\r\n";
    for (std::int64_t i = 0; i < types; ++i) {
        std::string code = "T000";
        for (std::int64_t rest = i, at = 3; at >= 1; --at, rest /= 36)
            code[static_cast<std::size_t>(at)] = digits[rest % 36];
        text += "<TROOPS " + code + " \"Type " + std::to_string(i) +
                "\" unit 512> 3 \"\" 3 4 0 3 10 1 4 0</TROOPS>\r\n";
    }
    text += "</NATION>\r\n";
    QFile file(folder + QStringLiteral("/many.dfm"));
    file.open(QIODevice::WriteOnly);
    file.write(text.data(), static_cast<qint64>(text.size()));
}

// The window with a nation of many troop types: opening an army of it
// filled to its minimums (to the first paint), and one count changed.
struct ManyTypesWindow {
    explicit ManyTypesWindow(std::int64_t types) {
        WriteManyTypes(directory.path(), types);
        settings = std::make_unique<QSettings>(directory.filePath(QStringLiteral("settings.ini")),
                                               QSettings::IniFormat);
        ovra::ApplicationOptions options;
        options.settings = settings.get();
        options.armyListDirectories = {directory.path().toStdString()};
        options.dataFolder = directory.filePath(QStringLiteral("data"));
        app = std::make_unique<ovra::Application>(options);
        app->Start({});
        const ovra::NationRecord& many = *app->catalogue().FindNation(1000000);
        army = ovra::WriteArmyFile(ovra::Army(many, 2000, true));
        QApplication::processEvents();
    }
    QTemporaryDir directory;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<ovra::Application> app;
    std::string army;
};

void OpenManyTypes(benchmark::State& state) {
    ManyTypesWindow window(state.range(0));
    for (auto _ : state) {
        window.app->editor().Load(window.army, "many.evr");
        window.app->mainFrame().repaint();
        QApplication::processEvents();
    }
    state.counters["entries"] = window.app->editor().army().UnitCount();
}
BENCHMARK(OpenManyTypes)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void CountChangeManyTypes(benchmark::State& state) {
    ManyTypesWindow window(state.range(0));
    window.app->editor().Load(window.army, "many.evr");
    ovra::ArmyEditor& editor = window.app->editor();
    const ovra::TroopTypeRecord* type = editor.army().nation().NextListedTroopType(nullptr);
    editor.document().army(); // the first type's row is selected at the top
    std::int64_t steps = 0;
    for (auto _ : state) {
        const std::int32_t count = 2 + static_cast<std::int32_t>(steps++ % 2);
        editor.Execute(QStringLiteral("Number of units"),
                       std::make_unique<ovra::edits::SetCountOfType>(type->code(), count));
        window.app->mainFrame().repaint();
        QApplication::processEvents();
        if (steps % 256 == 0) {
            state.PauseTiming();
            editor.undoStack().clear();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(CountChangeManyTypes)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
