// Takes an army list and an army file in one input, split at the first
// "#ARMY#" (without it the whole input is the list), and runs them through
// everything the program does with an army: the catalogue JSON, the load,
// check, Min/Max, the HTML, text and printed rosters and a save to memory, which
// must load back to the same bytes.
#include "ArmyCatalogue.h"
#include "ArmyChecker.h"
#include "ArmyDocument.h"
#include "ArmyFile.h"
#include "ArmyListReader.h"
#include "Headless.h"
#include "HtmlRoster.h"
#include "PrintRoster.h"
#include "TextRoster.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

namespace {

constexpr std::string_view kMarker = "#ARMY#";
// Min/Max may add this many units at most; more only slows the run down.
constexpr std::int64_t kMostUnitsAdded = 4000;

// Fixed metrics: 5 pixels a byte, 14 a line, words wrapped by length alone.
class CountingSurface : public ovra::PrintSurface {
public:
    ovra::PrintFont SelectFont(ovra::PrintFont font) override { return std::exchange(font_, font); }
    ovra::Colour SetTextColour(ovra::Colour colour) override { return std::exchange(colour_, colour); }
    void SetTransparentBackground() override { ++calls; }
    ovra::Rect MeasureText(std::string_view text, const ovra::Rect& rect, unsigned flags) override {
        ++calls;
        const int width = static_cast<int>(std::min<std::size_t>(text.size(), 1u << 20)) * 5;
        if ((flags & ovra::kTextWordBreak) == 0)
            return {rect.left, rect.top, rect.left + width, rect.top + 14};
        const int lines = text.empty() ? 0 : 1 + width / std::max(rect.Width(), 1);
        return {rect.left, rect.top, rect.right, rect.top + 14 * lines};
    }
    void DrawText(std::string_view text, const ovra::Rect&, unsigned) override { bytes += text.size(); }
    void DrawTextAtCurrentPoint(std::string_view text) override { bytes += text.size(); }
    void MoveTo(int, int) override { ++calls; }
    void LineTo(int, int) override { ++calls; }
    void DrawRectangle(const ovra::Rect&) override { ++calls; }
    void NewSheet() override { ++calls; }

    std::size_t calls = 0;
    std::size_t bytes = 0;

private:
    ovra::PrintFont font_ = ovra::PrintFont::Text;
    ovra::Colour colour_ = ovra::kBlack;
};

// What `ovra check` prints.
std::size_t CheckLines(const ovra::Army& army) {
    std::size_t total = 0;
    for (const ovra::Breach& breach : ovra::CheckArmy(army))
        total += ovra::BreachLine(breach).size();
    return total;
}

std::int64_t UnitsMinMaxAdds(const ovra::Army& army) {
    std::int64_t missing = 0;
    const ovra::NationRecord& nation = army.nation();
    for (auto t = nation.NextTroopType(nullptr); t; t = nation.NextTroopType(t))
        missing +=
            std::max<std::int64_t>(0, std::int64_t{army.MinimumRequired(*t)} - army.CountOfType(t->code()));
    return missing;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find(kMarker);
    const std::string_view list = input.substr(0, split);
    const std::string_view armyFile =
        split == std::string_view::npos ? std::string_view() : input.substr(split + kMarker.size());

    ovra::ArmyCatalogue catalogue;
    ovra::ArmyListReader reader;
    reader.OpenBytes(list.data(), list.size());
    catalogue.LoadArmyListText(reader);
    std::size_t total = ovra::CatalogueJson(catalogue).size();

    ovra::InMemorySettings settings;
    ovra::ArmyDocument doc(catalogue, settings);
    doc.Load(armyFile, "fuzz.evr");
    ovra::Army& army = doc.army();
    total += CheckLines(army);
    if (UnitsMinMaxAdds(army) <= kMostUnitsAdded)
        army.EnforceMinMax();
    total += CheckLines(army);

    total += ovra::HtmlRoster(doc).size();
    const ovra::Roster roster = ovra::ComposeRoster(doc, ovra::InfoChoice::Short);
    for (const auto format : {ovra::TextFormat::Plain, ovra::TextFormat::Markdown})
        total += ovra::RenderText(roster, format).size();
    CountingSurface surface;
    for (const auto info : {ovra::InfoChoice::Complete, ovra::InfoChoice::None})
        total += static_cast<std::size_t>(ovra::PrintRoster(doc, surface, {0, 0, 9000, 12000}, info).pages);
    total += surface.calls + surface.bytes;

    // A saved army loads back whole, to the same bytes.
    const std::string saved = ovra::WriteArmyFile(army);
    if (catalogue.FindNation(army.nation().id()) == &army.nation()) {
        ovra::ArmyDocument back(catalogue, settings);
        if (back.Load(saved, "back.evr").result != ovra::ArmyDocument::OpenResult::Opened ||
            ovra::WriteArmyFile(back.army()) != saved)
            __builtin_trap();
    }
    return total == 0 && saved.empty() ? 1 : 0;
}
