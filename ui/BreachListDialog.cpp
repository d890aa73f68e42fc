#include "BreachListDialog.h"

#include "ArmyEditor.h"
#include "BreachText.h"
#include "ItemData.h"
#include "UnitListPainting.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ovra {
namespace {

constexpr int kTroopTypeRole = Qt::UserRole;
constexpr int kUnitRole = Qt::UserRole + 1;

} // namespace

BreachListDialog::BreachListDialog(ArmyEditor& editor, QWidget* parent) : QDialog(parent), editor_(editor) {
    setObjectName(QStringLiteral("breachList"));
    setWindowTitle(tr("Check army"));
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("breaches"));
    list_->setAccessibleName(tr("Rules the army breaks"));
    list_->setWordWrap(true);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);
    connect(list_, &QListWidget::itemActivated, this, &BreachListDialog::Choose);
    connect(list_, &QListWidget::itemClicked, this, &BreachListDialog::Choose);
    resize(420, 260);
    connect(&editor, &ArmyEditor::changed, this, &BreachListDialog::Refill);
    Refill();
}

void BreachListDialog::Refill() {
    const Army& army = editor_.army();
    const std::vector<Breach>& breaches = editor_.breaches();
    list_->clear();
    for (const Breach& breach : breaches) {
        auto* item = new QListWidgetItem(BreachText(army, breach), list_);
        item->setForeground(WarningRed());
        // A mount or a magic item is shown on its first unit.
        const TroopTypeRecord* type = breach.troopType;
        if (breach.kind == BreachKind::MountRiddenTooOften ||
            breach.kind == BreachKind::MagicItemCarriedMoreThanOnce || breach.kind == BreachKind::MountNotAllowed)
            type = nullptr;
        item->setData(kTroopTypeRole, PointerData(type));
        item->setData(kUnitRole, breach.units.empty() ? 0 : static_cast<qulonglong>(breach.units.front()));
    }
    if (breaches.empty())
        new QListWidgetItem(ProblemCount(0), list_);
}

void BreachListDialog::Choose(QListWidgetItem* item) {
    if (item == nullptr)
        return;
    const Army& army = editor_.army();
    const UnitId unit = item->data(kUnitRole).toULongLong();
    const TroopTypeRecord* type = DataPointer<TroopTypeRecord>(item->data(kTroopTypeRole));
    // A count breach shows the troop type; a mount or an item its first unit.
    if (type != nullptr) {
        editor_.Reveal({.troopType = type});
    } else if (const UnitEntry* entry = army.FindUnit(unit)) {
        editor_.Reveal({.troopType = &entry->troopType(), .unit = unit});
    }
}

} // namespace ovra
