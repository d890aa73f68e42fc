// Loads arbitrary bytes as an army-list text and walks everything it made,
// then lints the same bytes: the linter must not crash, must load exactly
// what the plain load made, and must report positions inside the data.
#include "ArmyCatalogue.h"
#include "ArmyListLint.h"
#include "ArmyListReader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// Everything the load made, in walk order, as one string.
std::string Digest(const ovra::ArmyCatalogue& catalogue) {
    std::string digest;
    for (auto n = catalogue.NextNation(nullptr); n; n = catalogue.NextNation(n)) {
        digest += std::to_string(n->key) + n->name + n->armyName + n->info;
        for (const auto& t : n->troopTypes)
            digest += ovra::CodeText(t->key) + t->name + t->shots + t->info + t->limit + t->ruleCodes +
                      t->unitInfo + std::to_string(t->maxCount) + std::to_string(t->itemCategoryMask);
    }
    for (auto c = catalogue.NextTroopCategory(nullptr); c; c = catalogue.NextTroopCategory(c))
        digest += std::to_string(c->key) + c->abbreviation + c->name;
    for (auto i = catalogue.NextMagicItem(nullptr); i; i = catalogue.NextMagicItem(i))
        digest += ovra::CodeText(i->key) + i->name + i->info + std::to_string(i->troopCategoryMask);
    for (auto r = catalogue.NextSpecialRule(nullptr); r; r = catalogue.NextSpecialRule(r))
        digest += ovra::CodeText(r->key) + r->name + r->info;
    return digest;
}

} // namespace

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

    ovra::ArmyListLinter linter;
    linter.AddText("fuzz.dfm", std::string_view(reinterpret_cast<const char*>(data), size));
    const std::vector<ovra::LintedText> linted = linter.Finish();
    if (Digest(linter.catalogue()) != Digest(catalogue))
        __builtin_trap();
    for (const ovra::LintFinding& finding : linted.at(0).findings) {
        if (finding.offset >= size || finding.line < 1 || finding.column < 1 ||
            finding.column > finding.offset + 1 || finding.message.empty())
            __builtin_trap();
    }
    return total == static_cast<std::size_t>(-1) ? 1 : 0;
}
