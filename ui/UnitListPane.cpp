#include "UnitListPane.h"

#include "FmView.h"
#include "UnitPanel.h"
#include "Win1252.h"

#include "Document.h"

#include <QPainter>

namespace ovra {

namespace {
constexpr int kDataRole = Qt::UserRole;
}

CUnitTree::CUnitTree(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setIndentation(0);
    setUniformRowHeights(true);
}

const TaggedObject* CUnitTree::ItemData(const QTreeWidgetItem* item) {
    if (item == nullptr)
        return nullptr;
    return reinterpret_cast<const TaggedObject*>(item->data(0, kDataRole).value<quintptr>());
}

CUnitListPane::CUnitListPane(CFmView& view, QWidget* parent) : QFrame(parent), view_(view) {
    setObjectName(QStringLiteral("unitList"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    tree_ = new CUnitTree(this);
    tree_->setObjectName(QStringLiteral("unitTree"));
    tree_->setFont(view.metrics().font);
    connect(tree_, &QTreeWidget::itemClicked, this, [this] { view_.unitPanel()->ShowSelection(); });
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { view_.unitPanel()->ShowSelection(); });
}

void CUnitListPane::RebuildList() {
    const Army& army = view_.document().army();
    const NationRecord& nation = army.nation();
    tree_->setUpdatesEnabled(false);
    tree_->clear();
    for (const TroopTypeRecord* t = nation.NextListedTroopType(nullptr); t; t = nation.NextListedTroopType(t)) {
        auto* row = new QTreeWidgetItem(tree_);
        row->setText(0, QStringLiteral("%1 %2  %3")
                            .arg(army.CountOfType(t->code()))
                            .arg(FromWin1252(t->name))
                            .arg(army.PointsOfType(t->code())));
        row->setData(0, kDataRole, QVariant::fromValue(reinterpret_cast<quintptr>(static_cast<const TaggedObject*>(t))));
        for (std::int32_t i = 0; i < army.UnitCount(); ++i) {
            const UnitEntry* e = army.UnitAt(i);
            if (&e->troopType() != t)
                continue;
            auto* unit = new QTreeWidgetItem(row);
            unit->setText(0, QStringLiteral("    %1  %2").arg(FromWin1252(e->name())).arg(e->Points()));
            unit->setData(0, kDataRole,
                          QVariant::fromValue(reinterpret_cast<quintptr>(static_cast<const TaggedObject*>(e))));
        }
    }
    SelectByData(remembered_);
    remembered_ = nullptr;
    tree_->setUpdatesEnabled(true);
    update();
}

void CUnitListPane::RememberSelection() {
    if (const TaggedObject* selected = SelectedItem())
        remembered_ = selected;
}

void CUnitListPane::SelectByData(const TaggedObject* record) {
    QTreeWidgetItem* found = nullptr;
    for (int i = 0; record != nullptr && found == nullptr && i < tree_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = tree_->topLevelItem(i);
        if (CUnitTree::ItemData(top) == record)
            found = top;
        for (int j = 0; found == nullptr && j < top->childCount(); ++j)
            if (CUnitTree::ItemData(top->child(j)) == record)
                found = top->child(j);
    }
    if (found == nullptr)
        found = tree_->topLevelItem(0);
    if (found == nullptr)
        return;
    if (found->parent() != nullptr)
        found->parent()->setExpanded(true);
    tree_->setCurrentItem(found);
    tree_->scrollToItem(found);
}

const TaggedObject* CUnitListPane::SelectedItem() const { return CUnitTree::ItemData(tree_->currentItem()); }

void CUnitListPane::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const QRect c = contentsRect();
    const int h = view_.metrics().RowHeight();
    tree_->setGeometry(QRect(QPoint(c.left() + 2, c.top() + 2), QPoint(c.right() - 2, c.bottom() - h - 4)));
}

void CUnitListPane::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setFont(view_.metrics().font);
    const Army& army = view_.document().army();
    const QRect c = contentsRect();
    painter.drawText(QRect(c.left() + 2, c.bottom() - view_.metrics().RowHeight(), c.width() - 4,
                           view_.metrics().RowHeight()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("%1    %2").arg(army.BreakPoint()).arg(army.TotalPoints()));
}

} // namespace ovra
