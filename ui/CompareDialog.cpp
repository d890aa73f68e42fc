#include "CompareDialog.h"

#include "UiMetrics.h"
#include "UnitListPainting.h"
#include "Win1252.h"

#include "Records.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace ovra {
namespace {

// A unit in one army: its name and what it carries.
QString Describe(const UnitSide& unit) {
    QStringList parts{FromWin1252(unit.name)};
    for (const CatalogueEntry* option :
         {static_cast<const CatalogueEntry*>(unit.mount), static_cast<const CatalogueEntry*>(unit.magicItem),
          static_cast<const CatalogueEntry*>(unit.siegeEngine)})
        if (option != nullptr)
            parts << FromWin1252(option->name);
    if (unit.runners)
        parts << CompareDialog::tr("runners");
    return parts.join(QStringLiteral(", "));
}

QString UnitsAndPoints(std::int32_t units, std::int32_t points) {
    return units == 1 ? CompareDialog::tr("1 unit, %1 points").arg(points)
                      : CompareDialog::tr("%1 units, %2 points").arg(units).arg(points);
}

QString Signed(std::int32_t difference) {
    return difference > 0 ? QStringLiteral("+%1").arg(difference) : QString::number(difference);
}

enum Column { kWhat, kA, kB, kDifference };

} // namespace

CompareDialog::CompareDialog(const ArmyDiff& diff, const QString& titleA, const QString& titleB,
                             const UiMetrics& metrics, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("compareDialog"));
    setWindowTitle(tr("Compare %1 with %2").arg(titleA, titleB));
    resize(metrics.DialogUnits(460, 300));

    table_ = new QTreeWidget(this);
    table_->setObjectName(QStringLiteral("comparison"));
    table_->setHeaderLabels({QString(), titleA, titleB, tr("Difference")});
    table_->setAlternatingRowColors(true);
    const auto row = [this](QTreeWidgetItem* parent, const QStringList& cells, bool differs) {
        auto* item =
            parent != nullptr ? new QTreeWidgetItem(parent, cells) : new QTreeWidgetItem(table_, cells);
        if (differs)
            for (const int column : {kA, kB, kDifference})
                item->setForeground(column, WarningRed());
        return item;
    };
    const auto number = [&](const QString& what, std::int32_t a, std::int32_t b) {
        row(nullptr, {what, QString::number(a), QString::number(b), a == b ? QString() : Signed(b - a)},
            a != b);
    };
    row(nullptr,
        {tr("Nation"), diff.a.nation != nullptr ? FromWin1252(diff.a.nation->armyName) : QString(),
         diff.b.nation != nullptr ? FromWin1252(diff.b.nation->armyName) : QString(), QString()},
        diff.a.nation != diff.b.nation);
    number(tr("Points limit"), diff.a.pointsLimit, diff.b.pointsLimit);
    number(tr("Points total"), diff.a.total, diff.b.total);
    number(tr("Breakpoint"), diff.a.breakPoint, diff.b.breakPoint);

    for (const TroopTypeComparison& type : diff.troopTypes) {
        QTreeWidgetItem* typeRow =
            row(nullptr,
                {FromWin1252(type.name()), UnitsAndPoints(type.countA, type.pointsA),
                 UnitsAndPoints(type.countB, type.pointsB),
                 type.pointsA == type.pointsB ? QString() : Signed(type.pointsB - type.pointsA)},
                type.Differs());
        QFont bold = typeRow->font(kWhat);
        bold.setBold(true);
        typeRow->setFont(kWhat, bold);
        for (const UnitComparison& unit : type.units) {
            const QString a = unit.a ? Describe(*unit.a) : tr("(not in this army)");
            const QString b = unit.b ? Describe(*unit.b) : tr("(not in this army)");
            const std::int32_t pointsA = unit.a ? unit.a->points : 0, pointsB = unit.b ? unit.b->points : 0;
            QTreeWidgetItem* unitRow = row(typeRow,
                                           {unit.a && unit.b ? tr("Unit %1").arg(unit.a->position)
                                            : unit.a         ? tr("Only in %1").arg(titleA)
                                                             : tr("Only in %1").arg(titleB),
                                            a, b, pointsA == pointsB ? QString() : Signed(pointsB - pointsA)},
                                           unit.Differs());
            if (!unit.a || !unit.b) {
                QFont italic = unitRow->font(kWhat);
                italic.setItalic(true);
                for (int column = kWhat; column <= kDifference; ++column)
                    unitRow->setFont(column, italic);
            }
        }
        typeRow->setExpanded(type.Differs());
    }
    if (diff.Equal())
        row(nullptr, {tr("The two armies are the same.")}, false)->setFirstColumnSpanned(true);
    for (int column = kWhat; column <= kDifference; ++column)
        table_->resizeColumnToContents(column);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(buttons);
}

} // namespace ovra
