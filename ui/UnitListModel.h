// The rows of the unit list: one per listed troop type of the army's nation
// and, under each, one per unit entry of that type in army order. Rebuilt
// from the army after every change, in one pass over the entries.
#pragma once

#include "Army.h"

#include <QAbstractItemModel>

#include <unordered_map>
#include <vector>

namespace ovra {

class ArmyDocument;

// What the list has selected, kept across rebuilds: a troop type's row
// (unit 0) or a unit's row.
struct UnitListKey {
    const TroopTypeRecord* troopType = nullptr;
    UnitId unit = 0;

    bool operator==(const UnitListKey&) const = default;
};

class UnitListModel : public QAbstractItemModel {
    Q_OBJECT
public:
    UnitListModel(const ArmyDocument& document, QObject* parent);

    // Reads the army again; every index is invalid afterwards.
    void Rebuild();

    // The troop type or unit entry a row stands for; none for an invalid index.
    const TaggedObject* RecordAt(const QModelIndex& index) const;
    const TroopTypeRecord* TroopTypeAt(const QModelIndex& index) const;
    // The unit entry of a unit row; none for a troop-type row.
    const UnitEntry* UnitAt(const QModelIndex& index) const;
    UnitListKey KeyAt(const QModelIndex& index) const;
    // The row of the key: the unit's, or the troop type's when the key names
    // no unit; invalid when there is none.
    QModelIndex IndexOf(const UnitListKey& key) const;
    QModelIndex IndexOfType(const TroopTypeRecord* type) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const ArmyDocument& document_;
    std::vector<const TroopTypeRecord*> types_;
    std::vector<std::vector<const UnitEntry*>> units_; // per type row
    std::unordered_map<const TroopTypeRecord*, int> typeRows_;
};

} // namespace ovra
