// Writes an army file of N entries for the whole-process measurements:
// every listed troop type of the nation in turn, with runners, mounts, magic
// items and siege engines wherever the type takes them. The nation is one of
// the built-in lists, or of an army-list file read after them.
//
//   make_army_file N OUT.evr [NATION-ID [ARMY-LIST.dfm]]
#include "Army.h"
#include "ArmyCatalogue.h"
#include "ArmyFile.h"
#include "FileIo.h"

#include <charconv>
#include <iostream>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// The choices a walk offers, in its order.
template <class Next> auto Walk(Next next) {
    std::vector<decltype(next(nullptr))> allowed;
    for (auto c = next(nullptr); c; c = next(c))
        allowed.push_back(c);
    return allowed;
}

// The n-th of the choices, counting round; none when there are none.
template <class T> T Nth(const std::vector<T>& allowed, long n) {
    return allowed.empty() ? nullptr : allowed[static_cast<std::size_t>(n) % allowed.size()];
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        std::cerr << "usage: make_army_file N OUT.evr [NATION-ID [ARMY-LIST.dfm]]\n";
        return 2;
    }
    long entries = 0;
    int nationId = 32; // Egypt: chariots, runners, characters with items
    const std::string count = argv[1];
    std::from_chars(count.data(), count.data() + count.size(), entries);
    if (argc >= 4) {
        const std::string id = argv[3];
        std::from_chars(id.data(), id.data() + id.size(), nationId);
    }
    ovra::ArmyCatalogue catalogue;
    catalogue.LoadBuiltIn();
    if (argc == 5 && !catalogue.LoadFile(argv[4])) {
        std::cerr << "make_army_file: cannot read " << argv[4] << "\n";
        return 2;
    }
    const ovra::NationRecord* nation = catalogue.FindNation(nationId);
    if (nation == nullptr || entries < 0) {
        std::cerr << "make_army_file: no such nation or count\n";
        return 2;
    }
    struct Choices {
        const ovra::TroopTypeRecord* type;
        std::vector<const ovra::TroopTypeRecord*> mounts;
        std::vector<const ovra::MagicItemRecord*> items;
        std::vector<const ovra::SiegeEngineRecord*> engines;
    };
    std::vector<Choices> types;
    for (auto t = nation->NextListedTroopType(nullptr); t; t = nation->NextListedTroopType(t))
        types.push_back({t, Walk([&](auto p) { return t->NextMount(p); }),
                         Walk([&](auto p) { return t->NextAllowedMagicItem(p); }),
                         Walk([&](auto p) { return t->NextAllowedSiegeEngine(p); })});

    ovra::Army army(*nation, 2000, false);
    for (long i = 0; i < entries && !types.empty(); ++i) {
        const Choices& choices = types[static_cast<std::size_t>(i) % types.size()];
        ovra::UnitEntry* e = army.AddUnit(choices.type->code());
        army.SetSkirmishers(*e, true);
        if (e->mount() != nullptr)
            if (auto m = Nth(choices.mounts, i / 7))
                army.SetMount(*e, m);
        if (e->magicItem() != nullptr)
            if (auto m = Nth(choices.items, i / 7))
                army.SetMagicItem(*e, m);
        if (e->siegeEngine() != nullptr)
            if (auto s = Nth(choices.engines, i / 7))
                army.SetSiegeEngine(*e, s);
    }
    std::string error;
    if (!ovra::WriteFileAtomically(argv[2], ovra::WriteArmyFile(army), error)) {
        std::cerr << "make_army_file: " << error << "\n";
        return 2;
    }
    return 0;
}
