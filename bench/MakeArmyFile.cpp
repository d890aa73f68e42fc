// Writes an army file of N entries for the whole-process measurements:
// every listed troop type of the nation in turn, with runners, mounts, magic
// items and siege engines wherever the type takes them.
//
//   make_army_file N OUT.evr [NATION-ID]
#include "Army.h"
#include "ArmyCatalogue.h"
#include "ArmyFile.h"
#include "FileIo.h"

#include <charconv>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::cerr << "usage: make_army_file N OUT.evr [NATION-ID]\n";
        return 2;
    }
    long entries = 0;
    int nationId = 32; // Egypt: chariots, runners, characters with items
    const std::string count = argv[1];
    std::from_chars(count.data(), count.data() + count.size(), entries);
    if (argc == 4) {
        const std::string id = argv[3];
        std::from_chars(id.data(), id.data() + id.size(), nationId);
    }
    const ovra::ArmyCatalogue catalogue(std::vector<std::filesystem::path>{});
    const ovra::NationRecord* nation = catalogue.FindNation(nationId);
    if (nation == nullptr || entries < 0) {
        std::cerr << "make_army_file: no such nation or count\n";
        return 2;
    }
    std::vector<const ovra::TroopTypeRecord*> types;
    for (auto t = nation->NextListedTroopType(nullptr); t; t = nation->NextListedTroopType(t))
        types.push_back(t);
    // The n-th choice the type allows, counting round; none when it allows none.
    const auto nth = [](auto next, long n) {
        std::vector<decltype(next(nullptr))> allowed;
        for (auto c = next(nullptr); c; c = next(c))
            allowed.push_back(c);
        return allowed.empty() ? nullptr : allowed[static_cast<std::size_t>(n) % allowed.size()];
    };

    ovra::Army army(*nation, 2000, false);
    for (long i = 0; i < entries && !types.empty(); ++i) {
        const ovra::TroopTypeRecord& type = *types[static_cast<std::size_t>(i) % types.size()];
        ovra::UnitEntry* e = army.AddUnit(type.code());
        army.SetSkirmishers(*e, true);
        if (e->mount() != nullptr)
            if (auto m = nth([&](auto p) { return type.NextMount(p); }, i / 7))
                army.SetMount(*e, m);
        if (e->magicItem() != nullptr)
            if (auto m = nth([&](auto p) { return type.NextAllowedMagicItem(p); }, i / 7))
                army.SetMagicItem(*e, m);
        if (e->siegeEngine() != nullptr)
            if (auto s = nth([&](auto p) { return type.NextAllowedSiegeEngine(p); }, i / 7))
                army.SetSiegeEngine(*e, s);
    }
    std::string error;
    if (!ovra::WriteFileAtomically(argv[2], ovra::WriteArmyFile(army), error)) {
        std::cerr << "make_army_file: " << error << "\n";
        return 2;
    }
    return 0;
}
