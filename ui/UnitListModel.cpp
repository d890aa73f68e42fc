#include "UnitListModel.h"

#include "BreachText.h"
#include "Win1252.h"

#include "ArmyDocument.h"

namespace ovra {

// A troop-type row has internal id 0; a unit row the row of its type plus 1.
UnitListModel::UnitListModel(const ArmyDocument& document, QObject* parent)
    : QAbstractItemModel(parent), document_(document) {
    Rebuild();
}

void UnitListModel::Rebuild() {
    beginResetModel();
    const Army& army = document_.army();
    const NationRecord& nation = army.nation();
    types_.clear();
    units_.clear();
    typeRows_.clear();
    for (const TroopTypeRecord* t = nation.NextListedTroopType(nullptr); t;
         t = nation.NextListedTroopType(t)) {
        typeRows_.emplace(t, static_cast<int>(types_.size()));
        types_.push_back(t);
    }
    units_.resize(types_.size());
    for (std::int32_t i = 0; i < army.UnitCount(); ++i) {
        const UnitEntry* entry = army.UnitAt(i);
        const auto row = typeRows_.find(&entry->troopType());
        if (row != typeRows_.end())
            units_[static_cast<std::size_t>(row->second)].push_back(entry);
    }
    endResetModel();
}

const TaggedObject* UnitListModel::RecordAt(const QModelIndex& index) const {
    if (const UnitEntry* unit = UnitAt(index))
        return unit;
    return TroopTypeAt(index);
}

const TroopTypeRecord* UnitListModel::TroopTypeAt(const QModelIndex& index) const {
    if (!index.isValid())
        return nullptr;
    const std::size_t typeRow =
        index.internalId() == 0 ? static_cast<std::size_t>(index.row()) : index.internalId() - 1;
    return typeRow < types_.size() ? types_[typeRow] : nullptr;
}

const UnitEntry* UnitListModel::UnitAt(const QModelIndex& index) const {
    if (!index.isValid() || index.internalId() == 0)
        return nullptr;
    const std::size_t typeRow = index.internalId() - 1;
    if (typeRow >= units_.size() || static_cast<std::size_t>(index.row()) >= units_[typeRow].size())
        return nullptr;
    return units_[typeRow][static_cast<std::size_t>(index.row())];
}

UnitListKey UnitListModel::KeyAt(const QModelIndex& index) const {
    const UnitEntry* unit = UnitAt(index);
    return {TroopTypeAt(index), unit != nullptr ? unit->id() : 0};
}

QModelIndex UnitListModel::IndexOfType(const TroopTypeRecord* type) const {
    const auto row = typeRows_.find(type);
    return row == typeRows_.end() ? QModelIndex() : createIndex(row->second, 0, quintptr(0));
}

QModelIndex UnitListModel::IndexOf(const UnitListKey& key) const {
    if (key.unit == 0)
        return IndexOfType(key.troopType);
    const UnitEntry* unit = document_.army().FindUnit(key.unit);
    if (unit == nullptr)
        return {};
    const auto row = typeRows_.find(&unit->troopType());
    if (row == typeRows_.end())
        return {};
    const auto& units = units_[static_cast<std::size_t>(row->second)];
    for (std::size_t i = 0; i < units.size(); ++i)
        if (units[i] == unit)
            return createIndex(static_cast<int>(i), 0, quintptr(row->second) + 1);
    return {};
}

QModelIndex UnitListModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return static_cast<std::size_t>(row) < types_.size() ? createIndex(row, 0, quintptr(0))
                                                             : QModelIndex();
    if (parent.internalId() != 0 || static_cast<std::size_t>(parent.row()) >= units_.size() ||
        static_cast<std::size_t>(row) >= units_[static_cast<std::size_t>(parent.row())].size())
        return {};
    return createIndex(row, 0, quintptr(parent.row()) + 1);
}

QModelIndex UnitListModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == 0)
        return {};
    return createIndex(static_cast<int>(child.internalId() - 1), 0, quintptr(0));
}

int UnitListModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return static_cast<int>(types_.size());
    if (parent.internalId() != 0 || static_cast<std::size_t>(parent.row()) >= units_.size())
        return 0;
    return static_cast<int>(units_[static_cast<std::size_t>(parent.row())].size());
}

int UnitListModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant UnitListModel::data(const QModelIndex& index, int role) const {
    const Army& army = document_.army();
    if (role == Qt::ToolTipRole) {
        if (const UnitEntry* unit = UnitAt(index)) {
            QStringList problems{MountProblem(*unit), MagicItemProblem(*unit)};
            problems.removeAll(QString());
            return problems.isEmpty() ? QVariant() : QVariant(problems.join(QLatin1Char('\n')));
        }
        const TroopTypeRecord* type = TroopTypeAt(index);
        if (type == nullptr)
            return {};
        // The type's own number, then what its units break, each named.
        QStringList problems{CountProblem(army, *type)};
        for (const UnitEntry* unit : units_[static_cast<std::size_t>(index.row())])
            if (UnitBreaksOptionRule(*unit))
                for (const QString& problem : {MountProblem(*unit), MagicItemProblem(*unit)})
                    if (!problem.isEmpty())
                        problems << QStringLiteral("%1: %2").arg(FromWin1252(unit->name()), problem);
        problems.removeAll(QString());
        return problems.isEmpty() ? QVariant() : QVariant(problems.join(QLatin1Char('\n')));
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    if (const UnitEntry* unit = UnitAt(index)) {
        const QString name = FromWin1252(unit->name());
        if (role == Qt::DisplayRole)
            return name;
        return tr("%1, %2 points").arg(name).arg(unit->Points());
    }
    const TroopTypeRecord* type = TroopTypeAt(index);
    if (type == nullptr)
        return {};
    const QString name = FromWin1252(type->name);
    if (role == Qt::DisplayRole)
        return name;
    return tr("%1: %2 units, %3 points")
        .arg(name)
        .arg(army.CountOfType(type->code()))
        .arg(army.PointsOfType(type->code()));
}

} // namespace ovra
