#include "UnitDetailPainting.h"

#include "UnitListPainting.h"
#include "Win1252.h"

#include <QCoreApplication>

#include "Army.h"
#include "ArmyCatalogue.h"

namespace ovra {

namespace {

// Column titles: type, attacks, hits, save, size or command, points.
QStringList Labels(std::initializer_list<const char*> titles) {
    QStringList labels;
    for (const char* title : titles)
        labels << QCoreApplication::translate("ProfileTable", title);
    return labels;
}
QStringList UnitLabels() {
    return Labels({QT_TRANSLATE_NOOP("ProfileTable", "T"), QT_TRANSLATE_NOOP("ProfileTable", "A"),
                   QT_TRANSLATE_NOOP("ProfileTable", "H"), QT_TRANSLATE_NOOP("ProfileTable", "Sv"),
                   QT_TRANSLATE_NOOP("ProfileTable", "Sz"), QT_TRANSLATE_NOOP("ProfileTable", "Pts")});
}
QStringList CharacterLabels() {
    return Labels({QT_TRANSLATE_NOOP("ProfileTable", "T"), QT_TRANSLATE_NOOP("ProfileTable", "A"),
                   QT_TRANSLATE_NOOP("ProfileTable", "Co"), QT_TRANSLATE_NOOP("ProfileTable", "Pts")});
}

// Each row carries its own record's category, mounts and runners included,
// as the printed roster shows them.
QString CategoryOf(const TroopTypeRecord& record) {
    if (const TroopCategory* category = record.nation->catalogue->FindTroopCategory(record.category))
        return FromWin1252(category->abbreviation);
    return {};
}

QString AttacksOf(const TroopTypeRecord& record) {
    QString attacks = QString::number(record.attacks);
    if (!record.shots.empty())
        attacks += QLatin1Char('/') + FromWin1252(record.shots);
    return attacks;
}

} // namespace

bool HasMountChoice(const TroopTypeRecord& type) {
    const TroopTypeRecord* first = type.NextMount(nullptr);
    return first != nullptr && !(first->code() == kNoMount && type.NextMount(first) == nullptr);
}

bool HasMagicItemChoice(const TroopTypeRecord& type) {
    if (type.itemCategoryMask == 0)
        return false;
    const MagicItemRecord* first = type.NextAllowedMagicItem(nullptr);
    return first != nullptr &&
           !(first->code() == kNoMagicItem && type.NextAllowedMagicItem(first) == nullptr);
}

bool HasSiegeEngineChoice(const TroopTypeRecord& type) {
    return (type.category & kInfantryBit) != 0;
}

const TroopTypeRecord* RunnersFor(const TroopTypeRecord& type) {
    if (type.troopKind != kTroopSkirmisherUnit)
        return nullptr;
    return type.nation->FindTroopType(kRunners);
}

std::vector<std::pair<int, int>> ProfileCellEdges(int left, int right, int cells) {
    std::vector<std::pair<int, int>> edges;
    if (cells < 2)
        return edges;
    const int q = (right - left) / (cells + 3);
    edges.emplace_back(left, left + 2 * q);
    // The second cell takes what the fixed ones leave.
    edges.emplace_back(edges.back().second - 1, right - (cells + 1) * q + (edges.back().second - 1));
    for (int i = 2; i < cells; ++i) {
        const int previousRight = edges.back().second;
        const int cellRight = i == cells - 1 ? right : previousRight + q;
        edges.emplace_back(previousRight - 1, cellRight);
    }
    return edges;
}

QStringList UnitProfileValues(const TroopTypeRecord& record, std::optional<int> armourSave) {
    return {CategoryOf(record),           AttacksOf(record),
            QString::number(record.hits), QString::number(armourSave.value_or(record.armourSave)),
            QString::number(record.size), QString::number(record.points)};
}

QStringList CharacterProfileValues(const TroopTypeRecord& record) {
    return {CategoryOf(record), AttacksOf(record), QString::number(record.command),
            QString::number(record.points)};
}

std::vector<ProfileRow> ProfileRows(const TroopTypeRecord& type, const UnitEntry* unit, int rowHeight) {
    std::vector<ProfileRow> rows;
    int top = 1;
    // Each row starts one pixel higher, so that neighbouring rows share a frame line.
    const auto add = [&](bool header, QStringList cells) {
        rows.push_back({top - 1, header, std::move(cells)});
        top = top - 1 + rowHeight;
    };
    if (type.troopKind == kTroopUnit) {
        add(true, UnitLabels());
        add(false, UnitProfileValues(type));
    } else if (type.troopKind == kTroopCharacter) {
        add(true, CharacterLabels());
        add(false, CharacterProfileValues(type));
        if (unit != nullptr && unit->mount() != nullptr && unit->mount()->code() != kNoMount) {
            top += rowHeight + 6; // the mount button lies in between
            add(true, UnitLabels());
            add(false, UnitProfileValues(*unit->mount()));
        }
    } else if (type.troopKind == kTroopSkirmisherUnit) {
        add(true, UnitLabels());
        add(false, UnitProfileValues(type));
        top += rowHeight + 3; // the runners check box lies in between
        // The runners fight with the save of the unit they run with.
        if (const TroopTypeRecord* runners = RunnersFor(type))
            add(false, UnitProfileValues(*runners, type.armourSave));
    }
    return rows;
}

DetailLayout LayOutDetailControls(const TroopTypeRecord& type, const UnitEntry* unit, int width, int height,
                                  int rowHeight) {
    const int h = rowHeight;
    DetailLayout layout;
    int top = 2 * h; // directly under the first values row
    if (type.troopKind == kTroopSkirmisherUnit) {
        layout.runners = QRect(0, top, width, h);
        top += 2 * h + 3; // room for the runners' profile
    }
    if (HasMountChoice(type) && (unit == nullptr || unit->mount() != nullptr)) {
        layout.mount = QRect(0, top, width, h + 4);
        if (unit != nullptr && unit->mount()->code() != kNoMount)
            top += 2 * h; // room for the mount's profile
        top += h + 4;
    }
    if (HasMagicItemChoice(type) && (unit == nullptr || unit->magicItem() != nullptr)) {
        layout.magicItem = QRect(0, top, width, h + 4);
        top += h + 4;
    }
    if (HasSiegeEngineChoice(type) && (unit == nullptr || unit->siegeEngine() != nullptr)) {
        layout.siegeEngine = QRect(0, top, width, h + 4);
        top += h + 4;
    }
    layout.description = EdgeRect(0, top + 1, width, height - 2);
    return layout;
}

} // namespace ovra
