#include "UnitListPane.h"
#include "ItemData.h"

#include "ArmyView.h"
#include "CountPopup.h"
#include "UiServices.h"
#include "UnitListPainting.h"
#include "UnitPanel.h"

#include "ArmyDocument.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace ovra {

namespace {

constexpr int kDataRole = Qt::UserRole;

// Every row is painted by the pane; the tree only lays the rows out.
class UnitRowDelegate : public QStyledItemDelegate {
public:
    UnitRowDelegate(const UnitListPane& pane, QObject* parent) : QStyledItemDelegate(parent), pane_(pane) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const auto* record = DataPointer<TaggedObject>(index.data(kDataRole));
        if (record == nullptr)
            return;
        painter->save();
        pane_.PaintRow(*painter, option, *record);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return QSize(1, pane_.view().metrics().RowHeight());
    }

private:
    const UnitListPane& pane_;
};

QVariant DataOf(const TaggedObject* record) {
    return PointerData(record);
}

} // namespace

UnitTree::UnitTree(UnitListPane& pane, QWidget* parent) : QTreeWidget(parent), pane_(pane) {
    setHeaderHidden(true);
    setColumnCount(1);
    // Rows span the full width: unit names align with troop type names.
    setRootIsDecorated(false);
    setIndentation(0);
    setItemsExpandable(true);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new UnitRowDelegate(pane, this));
}

const TaggedObject* UnitTree::ItemData(const QTreeWidgetItem* item) {
    if (item == nullptr)
        return nullptr;
    return DataPointer<TaggedObject>(item->data(0, kDataRole));
}

bool UnitTree::IsUnitRow(const QTreeWidgetItem* item) {
    const TaggedObject* record = ItemData(item);
    return record != nullptr && record->kind == kKindUnitEntry;
}

void UnitTree::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    QTreeWidgetItem* item = event->button() == Qt::LeftButton ? itemAt(p) : nullptr;
    if (item == nullptr) {
        QTreeWidget::mousePressEvent(event);
        return;
    }
    if (IsUnitRow(item))
        QTreeWidget::mousePressEvent(event);
    else if (p.x() <= kCountClickWidth)
        pane_.ChooseCount(item); // the rows may be rebuilt: `item` is gone
    else
        pane_.ToggleTroopTypeRow(item);
    pane_.view().unitPanel()->ShowSelection();
}

void UnitTree::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeWidgetItem* item = event->button() == Qt::LeftButton ? itemAt(event->position().toPoint()) : nullptr;
    if (item == nullptr || IsUnitRow(item)) {
        QTreeWidget::mouseDoubleClickEvent(event);
        return;
    }
    pane_.ToggleTroopTypeRow(item);
}

void UnitTree::keyPressEvent(QKeyEvent* event) {
    // A selection moved with the keyboard is shown in the unit panel as a click would.
    const QTreeWidgetItem* before = currentItem();
    QTreeWidget::keyPressEvent(event);
    if (currentItem() != nullptr && currentItem() != before)
        pane_.view().unitPanel()->ShowSelection();
}

UnitListPane::UnitListPane(ArmyView& view, QWidget* parent) : QFrame(parent), view_(view) {
    setObjectName(QStringLiteral("unitList"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAutoFillBackground(true);
    tree_ = new UnitTree(*this, this);
    tree_->setObjectName(QStringLiteral("unitTree"));
    tree_->setFont(view.metrics().font);
}

void UnitListPane::RebuildList() {
    const Army& army = view_.document().army();
    const NationRecord& nation = army.nation();
    // Refilled out of sight, then painted once.
    tree_->setUpdatesEnabled(false);
    tree_->clear();
    for (const TroopTypeRecord* t = nation.NextListedTroopType(nullptr); t;
         t = nation.NextListedTroopType(t)) {
        auto* row = new QTreeWidgetItem(tree_);
        row->setData(0, kDataRole, DataOf(t));
        for (std::int32_t i = 0; i < army.UnitCount(); ++i) {
            const UnitEntry* e = army.UnitAt(i);
            if (&e->troopType() != t)
                continue;
            auto* unit = new QTreeWidgetItem(row);
            unit->setData(0, kDataRole, DataOf(e));
        }
    }
    SelectByData(remembered_);
    remembered_ = nullptr;
    tree_->setUpdatesEnabled(true);
    update(); // the summary boxes
}

void UnitListPane::RememberSelection() {
    if (const TaggedObject* selected = SelectedItem())
        remembered_ = selected;
}

QTreeWidgetItem* UnitListPane::FindRow(const TaggedObject* record) const {
    if (record == nullptr)
        return nullptr;
    for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = tree_->topLevelItem(i);
        if (UnitTree::ItemData(top) == record)
            return top;
        for (int j = 0; j < top->childCount(); ++j)
            if (UnitTree::ItemData(top->child(j)) == record)
                return top->child(j);
    }
    return nullptr;
}

void UnitListPane::SelectByData(const TaggedObject* record) {
    QTreeWidgetItem* found = FindRow(record);
    if (found == nullptr)
        found = tree_->topLevelItem(0);
    if (found == nullptr)
        return;
    if (found->parent() != nullptr)
        found->parent()->setExpanded(true);
    tree_->setCurrentItem(found);
    tree_->scrollToItem(found);
}

const TaggedObject* UnitListPane::SelectedItem() const {
    return UnitTree::ItemData(tree_->currentItem());
}

void UnitListPane::ChooseCount(QTreeWidgetItem* row) {
    const auto* type = static_cast<const TroopTypeRecord*>(UnitTree::ItemData(row));
    tree_->setCurrentItem(row);
    const QPoint origin = CountPopupOrigin(tree_->visualItemRect(row), tree_->viewport()->height());
    CountPopup popup(view_.document().army(), *type, view_.metrics(), tree_);
    popup.move(tree_->viewport()->mapToGlobal(origin));
    popup.show();
    const int chosen = view_.services().RunCountPopup(popup);
    popup.hide();
    tree_->setFocus();
    if (chosen < 0)
        return;
    // Even the current number is set again: the list is rebuilt and the army
    // counts as changed.
    RememberSelection();
    view_.document().SetCountOfType(type->code(), chosen);
}

void UnitListPane::ToggleTroopTypeRow(QTreeWidgetItem* row) {
    tree_->setCurrentItem(row);
    for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* other = tree_->topLevelItem(i);
        if (other != row)
            other->setExpanded(false);
    }
    row->setExpanded(!row->isExpanded());
}

void UnitListPane::PaintRow(QPainter& painter, const QStyleOptionViewItem& option,
                            const TaggedObject& record) const {
    const QRect rc = option.rect;
    // The selection is shown in the active colours even when the tree has no focus.
    const QPalette& palette = option.palette;
    QColor text;
    if ((option.state & QStyle::State_Selected) != 0) {
        painter.fillRect(rc, palette.color(QPalette::Active, QPalette::Highlight));
        text = palette.color(QPalette::Active, QPalette::HighlightedText);
    } else {
        painter.fillRect(rc, palette.color(QPalette::Active, QPalette::Base));
        text = palette.color(QPalette::Active, QPalette::Text);
    }
    const UiMetrics& m = view_.metrics();
    painter.setFont(m.font);
    const UnitRowCells cells = UnitRowGeometry(rc, m.digitWidth, pointsColumnWidth_);
    const UnitRowContent content = DescribeRow(view_.document().army(), record);
    constexpr int kLine = Qt::AlignVCenter | Qt::TextSingleLine;
    if (content.troopType) {
        const QColor countColour = content.countInBounds ? text : WarningRed();
        painter.setPen(countColour);
        painter.drawText(cells.countFrame, Qt::AlignHCenter | kLine, QString::number(content.count));
        FrameRect(painter, cells.countFrame, countColour);
    }
    painter.setPen(text);
    const QFontMetrics fm(m.font);
    painter.drawText(cells.name, Qt::AlignLeft | kLine,
                     fm.elidedText(content.name, Qt::ElideRight, cells.name.width()));
    painter.drawText(cells.points, Qt::AlignRight | kLine, content.points);
}

void UnitListPane::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const QRect c = contentsRect();
    const int h = view_.metrics().RowHeight();
    tree_->setGeometry(EdgeRect(c.left() + 2, c.top() + 2, RightEdge(c) - 2, BottomEdge(c) - h - 4));
}

void UnitListPane::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const UiMetrics& m = view_.metrics();
    painter.setFont(m.font);
    const QRect c = contentsRect();
    const auto box = [&](const QRect& r, const QString& text, const QColor& colour) {
        painter.fillRect(r, Qt::white);
        FrameRect(painter, r, Qt::black);
        painter.setPen(colour);
        painter.drawText(SummaryTextRect(r), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, text);
    };
    const Army& army = view_.document().army();
    box(TotalBox(c, m.digitWidth, m.RowHeight()), QString::number(army.TotalPoints()), TotalColour(army));
    box(BreakpointBox(c, m.digitWidth, m.RowHeight()), QString::number(view_.document().BreakPoint()),
        Qt::black);
}

} // namespace ovra
