#include "UnitPanel.h"

#include "ArmyView.h"
#include "UnitDetailPane.h"
#include "UnitListPainting.h"
#include "UnitListPane.h"
#include "Win1252.h"

#include "ArmyDocument.h"

#include <QLineEdit>

namespace ovra {

UnitPanel::UnitPanel(ArmyView& view, QWidget* parent) : QFrame(parent), view_(view) {
    setObjectName(QStringLiteral("unitPanel"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAutoFillBackground(true);
    nameEdit_ = new QLineEdit(this);
    nameEdit_->setObjectName(QStringLiteral("nameEdit"));
    nameEdit_->setFont(view.metrics().font);
    connect(nameEdit_, &QLineEdit::textEdited, this, &UnitPanel::OnNameEdited);
}

void UnitPanel::ShowSelection() {
    const TaggedObject* selected = view_.unitList()->SelectedItem();
    if (selected == nullptr)
        return;
    if (selected->kind == kKindUnitEntry) {
        // The panel changes the entry, so take it from the army that owns it.
        Army& army = view_.document().army();
        const std::int32_t index = army.IndexOf(static_cast<const UnitEntry*>(selected));
        if (index < 0)
            return;
        UnitEntry* unit = army.UnitAt(index);
        nameEdit_->setText(FromWin1252(unit->name()));
        nameEdit_->setEnabled(true);
        nameEdit_->setReadOnly(false);
        ShowDetail(unit->troopType(), unit);
    } else {
        const auto* type = static_cast<const TroopTypeRecord*>(selected);
        nameEdit_->setText(FromWin1252(type->name));
        nameEdit_->setEnabled(false);
        nameEdit_->setReadOnly(true);
        ShowDetail(*type, nullptr);
    }
}

void UnitPanel::ShowDetail(const TroopTypeRecord& type, UnitEntry* unit) {
    // Centred under the name field, as wide as it, down to the panel's bottom.
    const QRect e = nameEdit_->geometry();
    const int x = (e.left() + RightEdge(e)) / 2;
    const int y = BottomEdge(e) + 2;
    const int left = x - e.width() / 2;
    const QRect place = EdgeRect(left, y, left + e.width(), BottomEdge(contentsRect()));
    delete detail_;
    detail_ = new UnitDetailPane(*this, type, unit, place, this);
    detail_->show();
}

void UnitPanel::OnNameEdited(const QString& text) {
    UnitListPane* list = view_.unitList();
    const TaggedObject* selected = list->SelectedItem();
    if (selected == nullptr || selected->kind != kKindUnitEntry)
        return;
    Army& army = view_.document().army();
    const std::int32_t index = army.IndexOf(static_cast<const UnitEntry*>(selected));
    if (index < 0)
        return;
    // An empty field gives the entry its troop type's name again; the field stays empty.
    army.UnitAt(index)->SetName(ToWin1252(text));
    view_.document().SetModifiedFlag(true);
    if (QTreeWidgetItem* row = list->tree()->currentItem())
        list->tree()->viewport()->update(list->tree()->visualItemRect(row));
}

void UnitPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const QRect c = contentsRect();
    const int h = view_.metrics().RowHeight();
    nameEdit_->setGeometry(EdgeRect(c.left() + 2, c.top() + 2, RightEdge(c) - 2, c.top() + h + 6));
    if (detail_ != nullptr)
        ShowSelection();
}

} // namespace ovra
