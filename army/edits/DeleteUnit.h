// Army > Delete unit, and Edit > Cut: the units are removed; undoing puts
// them back in their places.
#pragma once

#include "ArmyEdit.h"

#include <unordered_set>
#include <vector>

namespace ovra::edits {

class DeleteUnit : public EntriesEdit {
public:
    explicit DeleteUnit(UnitId unit) : units_{unit} {}
    explicit DeleteUnit(std::vector<UnitId> units) : units_(std::move(units)) {}

    bool Changed() const override { return deleted_; }

protected:
    void Make(Army& army) override {
        // The places of the units, in one pass, whatever their order.
        const std::unordered_set<UnitId> doomed(units_.begin(), units_.end());
        std::vector<std::int32_t> places;
        for (std::int32_t i = 0; i < army.UnitCount() && places.size() < doomed.size(); ++i) {
            const UnitEntry& entry = *army.UnitAt(i);
            if (doomed.count(entry.id()) == 0)
                continue;
            touched_.troopType =
                places.empty() || touched_.troopType == &entry.troopType() ? &entry.troopType() : nullptr;
            touched_.unit = places.empty() ? entry.id() : 0;
            places.push_back(i);
        }
        army.RemoveUnitsAt(places);
        deleted_ = !places.empty();
    }

private:
    std::vector<UnitId> units_;
    bool deleted_ = false;
};

} // namespace ovra::edits
