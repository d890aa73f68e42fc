// Units pasted into the army: copied from this army or another, as the
// army file's own unit records. They are appended at the end. A unit whose
// troop type, mount, magic item, siege engine or runners this army's
// nation lacks is left out, and said so.
#pragma once

#include "ArmyCatalogue.h"
#include "ArmyDocument.h"
#include "ArmyFile.h"

#include <algorithm>
#include <string>
#include <vector>

namespace ovra::edits {

class PasteUnits : public EntriesEdit {
public:
    // `armyFileBytes`: an army file holding the units copied.
    explicit PasteUnits(std::string armyFileBytes) : bytes_(std::move(armyFileBytes)) {}

    // After it was made: a line for each unit left out, saying what this
    // army's nation lacks ("Porus: the mount ELMO is in no army list").
    const std::vector<std::string>& leftOut() const { return leftOut_; }
    // The number of units it added.
    std::size_t added() const { return added_; }
    bool Changed() const override { return added_ > 0; }

protected:
    void Make(Army& army) override {
        // Read as a file of this army's nation and limit, so that troop types
        // and mounts are found by their codes in this nation.
        std::string bytes = bytes_;
        bytes_.clear();
        ArmyFileHeader header;
        if (!ReadArmyFileHeader(bytes, header))
            return;
        const auto put = [&](std::size_t at, std::int32_t value) {
            for (int i = 0; i < 4; ++i)
                bytes[at + static_cast<std::size_t>(i)] =
                    static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
        };
        put(4, army.nation().id());
        put(8, army.pointsLimit());
        const ArmyFileLoad load = ReadArmyFile(bytes, *army.nation().catalogue, "clipboard");
        for (const std::string& line : load.messages)
            if (line != kIncompleteLoadMessage)
                leftOut_.push_back(line);
        if (!load.army)
            return;
        for (std::int32_t i = 0; i < load.army->UnitCount(); ++i) {
            const UnitEntry& entry = *load.army->UnitAt(i);
            if (std::find(load.lacking.begin(), load.lacking.end(), entry.id()) != load.lacking.end())
                continue;
            if (army.AppendUnit(Army::StateOf(entry)) == nullptr)
                continue;
            if (added_++ == 0)
                touched_.troopType = &entry.troopType();
            else if (touched_.troopType != &entry.troopType())
                touched_.troopType = nullptr; // units of several types
        }
    }

private:
    std::string bytes_;
    std::vector<std::string> leftOut_;
    std::size_t added_ = 0;
};

} // namespace ovra::edits
