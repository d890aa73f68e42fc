// A unit's mount, magic item, siege engine or runners, chosen in the unit
// panel. The army does not check the choice against what the troop type
// allows: the pickers offer only what it does.
#pragma once

#include "ArmyEdit.h"

namespace ovra::edits {

class SetMount : public EntryEdit {
public:
    SetMount(UnitId unit, const TroopTypeRecord* mount) : EntryEdit(unit), mount_(mount) {}

protected:
    void Make(Army& army, const UnitEntry& entry) override { army.SetMount(entry, mount_); }

private:
    const TroopTypeRecord* mount_;
};

class SetMagicItem : public EntryEdit {
public:
    SetMagicItem(UnitId unit, const MagicItemRecord* item) : EntryEdit(unit), item_(item) {}

protected:
    void Make(Army& army, const UnitEntry& entry) override { army.SetMagicItem(entry, item_); }

private:
    const MagicItemRecord* item_;
};

class SetSiegeEngine : public EntryEdit {
public:
    SetSiegeEngine(UnitId unit, const SiegeEngineRecord* engine) : EntryEdit(unit), engine_(engine) {}

protected:
    void Make(Army& army, const UnitEntry& entry) override { army.SetSiegeEngine(entry, engine_); }

private:
    const SiegeEngineRecord* engine_;
};

class SetRunners : public EntryEdit {
public:
    SetRunners(UnitId unit, bool runners) : EntryEdit(unit), runners_(runners) {}

protected:
    void Make(Army& army, const UnitEntry& entry) override { army.SetSkirmishers(entry, runners_); }

private:
    bool runners_;
};

} // namespace ovra::edits
