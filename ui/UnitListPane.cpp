#include "UnitListPane.h"

#include "ArmyEditor.h"
#include "BreachText.h"
#include "CountPopup.h"
#include "UiMetrics.h"
#include "UiServices.h"
#include "UnitListPainting.h"
#include "UnitTree.h"

#include "SetCountOfType.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolTip>

#include <algorithm>
#include <unordered_set>

namespace ovra {

namespace {

// Every row is painted by the pane; the tree only lays the rows out.
class UnitRowDelegate : public QStyledItemDelegate {
public:
    UnitRowDelegate(const UnitListPane& pane, QObject* parent) : QStyledItemDelegate(parent), pane_(pane) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (pane_.model().RecordAt(index) == nullptr)
            return;
        painter->save();
        pane_.PaintRow(*painter, option, index);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return QSize(1, pane_.editor().metrics().RowHeight());
    }

private:
    const UnitListPane& pane_;
};

} // namespace

UnitListPane::UnitListPane(ArmyEditor& editor, QWidget* parent) : QFrame(parent), editor_(editor) {
    setObjectName(QStringLiteral("unitList"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAutoFillBackground(true);
    model_ = new UnitListModel(editor.document(), this);
    tree_ = new UnitTree(this);
    tree_->setObjectName(QStringLiteral("unitTree"));
    tree_->setAccessibleName(tr("Troop types and units"));
    tree_->setFont(editor.metrics().font);
    tree_->setItemDelegate(new UnitRowDelegate(*this, tree_));
    tree_->setModel(model_);
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { OnCurrentChanged(current); });
    connect(tree_, &UnitTree::countRequested, this, &UnitListPane::ChooseCount);
    connect(tree_, &UnitTree::stepRequested, this, &UnitListPane::StepCount);
    connect(tree_, &UnitTree::toggleRequested, this, &UnitListPane::ToggleTroopTypeRow);
    Rebuild();
}

void UnitListPane::NoteBreachingTypes() {
    breachingTypes_.clear();
    const Army& army = editor_.army();
    for (const Breach& breach : editor_.breaches()) {
        if (breach.kind != BreachKind::MountRiddenTooOften &&
            breach.kind != BreachKind::MagicItemCarriedMoreThanOnce &&
            breach.kind != BreachKind::MountNotAllowed)
            continue;
        for (const UnitId id : breach.units)
            if (const UnitEntry* unit = army.FindUnit(id))
                breachingTypes_.insert(&unit->troopType());
    }
}

bool UnitListPane::HidesBreaches(const QModelIndex& typeRow) const {
    const TroopTypeRecord* type = model_->TroopTypeAt(typeRow);
    return type != nullptr && !typeRow.parent().isValid() && !tree_->isExpanded(typeRow) &&
           breachingTypes_.count(type) != 0;
}

void UnitListPane::ShowRow(const QModelIndex& row) {
    // That row alone, whatever keys are held: Shift and Ctrl extend the
    // selection for the player's clicks, never for the program's choices.
    tree_->selectionModel()->setCurrentIndex(row,
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void UnitListPane::ShowChange(const ArmyChange& change) {
    NoteBreachingTypes();
    if (change.scope == ArmyChange::Scope::Army || change.scope == ArmyChange::Scope::Units) {
        Rebuild();
        return;
    }
    // The same rows; their marks, points and the totals may all differ. As
    // after a rebuild, only the selected unit's troop type stays open.
    const QModelIndex current = tree_->currentIndex();
    OpenOnly(current.parent());
    tree_->viewport()->update();
    update();
}

void UnitListPane::Rebuild(const std::optional<UnitListKey>& key) {
    const UnitListKey wanted = key.value_or(selection_);
    // Refilled out of sight, then painted once.
    tree_->setUpdatesEnabled(false);
    rebuilding_ = true;
    model_->Rebuild();
    QModelIndex index = model_->IndexOf(wanted);
    if (!index.isValid())
        index = model_->index(0, 0);
    if (index.isValid()) {
        if (index.parent().isValid())
            tree_->expand(index.parent());
        ShowRow(index);
        tree_->scrollTo(index);
    }
    rebuilding_ = false;
    NoteBreachingTypes();
    tree_->setUpdatesEnabled(true);
    selection_ = model_->KeyAt(index);
    update(); // the summary boxes
}

bool UnitListPane::Select(const UnitListKey& key) {
    QModelIndex index = model_->IndexOf(key);
    if (!index.isValid() && key.unit != 0)
        index = model_->IndexOfType(key.troopType);
    if (!index.isValid())
        return false;
    if (index.parent().isValid())
        OpenOnly(index.parent());
    ShowRow(index);
    tree_->scrollTo(index);
    return model_->KeyAt(index) == key;
}

const TaggedObject* UnitListPane::SelectedRecord() const {
    return model_->RecordAt(tree_->currentIndex());
}

std::vector<UnitId> UnitListPane::SelectedUnits() const {
    QModelIndexList rows = tree_->selectionModel()->selectedRows();
    if (rows.isEmpty() && tree_->currentIndex().isValid())
        rows << tree_->currentIndex();
    std::unordered_set<const UnitEntry*> selected;
    for (const QModelIndex& row : rows)
        if (const UnitEntry* unit = model_->UnitAt(row))
            selected.insert(unit);
    // In the army's order, in one walk however many are selected.
    std::vector<UnitId> ids;
    const Army& army = editor_.army();
    for (std::int32_t i = 0; i < army.UnitCount() && ids.size() < selected.size(); ++i)
        if (selected.count(army.UnitAt(i)) != 0)
            ids.push_back(army.UnitAt(i)->id());
    return ids;
}

void UnitListPane::OnCurrentChanged(const QModelIndex& current) {
    if (rebuilding_)
        return;
    selection_ = model_->KeyAt(current);
    emit selectionChanged();
}

void UnitListPane::ChooseCount(const QModelIndex& row, bool fromKeyboard) {
    const TroopTypeRecord* type = model_->TroopTypeAt(row);
    if (type == nullptr)
        return;
    ShowRow(row);
    CountPopup popup(editor_.army(), *type, editor_.metrics(), tree_);
    if (fromKeyboard)
        popup.MarkCurrentCount();
    const QPoint origin = CountPopupOrigin(tree_->visualRect(row), tree_->viewport()->height(),
                                           popup.geometry().Size().height());
    popup.move(tree_->viewport()->mapToGlobal(origin));
    popup.show();
    const int chosen = editor_.services().RunCountPopup(popup);
    popup.hide();
    tree_->setFocus();
    if (chosen < 0)
        return;
    // Even the current number is set again: the army counts as changed.
    editor_.Execute(tr("Number of units"), std::make_unique<edits::SetCountOfType>(type->code(), chosen));
}

void UnitListPane::StepCount(const QModelIndex& row, int step) {
    const TroopTypeRecord* type = model_->TroopTypeAt(row);
    if (type == nullptr)
        return;
    const std::int32_t count = editor_.army().CountOfType(type->code()) + step;
    if (count < 0)
        return;
    editor_.Execute(tr("Number of units"), std::make_unique<edits::SetCountOfType>(type->code(), count));
}

void UnitListPane::OpenOnly(const QModelIndex& typeRow) {
    for (int i = 0; i < model_->rowCount(); ++i) {
        const QModelIndex other = model_->index(i, 0);
        if (other != typeRow)
            tree_->collapse(other);
    }
    if (typeRow.isValid())
        tree_->expand(typeRow);
}

void UnitListPane::ToggleTroopTypeRow(const QModelIndex& row) {
    if (!row.isValid())
        return;
    ShowRow(row);
    const bool open = tree_->isExpanded(row);
    OpenOnly(row);
    if (open)
        tree_->collapse(row);
}

void UnitListPane::PaintRow(QPainter& painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    const TaggedObject& record = *model_->RecordAt(index);
    const QRect rc = option.rect;
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    // The selection is shown in the active colours even when the tree has no focus.
    const QPalette& palette = option.palette;
    QColor text;
    QColor background;
    if (selected) {
        background = palette.color(QPalette::Active, QPalette::Highlight);
        text = palette.color(QPalette::Active, QPalette::HighlightedText);
    } else {
        background = palette.color(QPalette::Active, QPalette::Base);
        text = palette.color(QPalette::Active, QPalette::Text);
    }
    painter.fillRect(rc, background);
    // Red stays red, lightened where the selection would swallow it.
    const QColor warning = Readable(WarningRed(), background, 3.0);
    const UiMetrics& m = editor_.metrics();
    painter.setFont(m.font);
    UnitRowCells cells = UnitRowGeometry(rc, m.digitWidth, pointsColumnWidth_);
    const UnitRowContent content = DescribeRow(editor_.army(), record);
    constexpr int kLine = Qt::AlignVCenter | Qt::TextSingleLine;
    const QString count = content.troopType ? QString::number(content.count) : QString();
    FitRowCells(cells, QFontMetrics(m.font), count, content.points);
    if (content.troopType) {
        const QColor countColour = content.countInBounds ? text : warning;
        painter.setPen(countColour);
        painter.drawText(cells.countFrame, Qt::AlignHCenter | kLine, count);
        FrameRect(painter, cells.countFrame, countColour);
    } else {
        // Units stand indented under their troop type.
        cells.name.setLeft(cells.name.left() + m.digitWidth + 2);
    }
    // A breach is red text; on the selection, whose colour would swallow
    // red, and on a closed troop type hiding breaching units, it is a red
    // mark after the name.
    const bool marked = (content.nameInBreach && selected) || (content.troopType && HidesBreaches(index));
    if (marked) {
        const int side = std::max(4, rc.height() - 8);
        const QRect mark(RightEdge(cells.name) - side - 2, rc.top() + (rc.height() - side) / 2, side, side);
        cells.name.setRight(mark.left() - 3);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Readable(WarningRed(), background, 3.0), 1));
        painter.setBrush(WarningRed());
        painter.drawEllipse(mark);
        painter.restore();
    }
    painter.setPen(content.nameInBreach && !selected ? warning : text);
    const QFontMetrics fm(m.font);
    painter.drawText(cells.name, Qt::AlignLeft | kLine,
                     fm.elidedText(content.name, Qt::ElideRight, cells.name.width()));
    painter.setPen(text);
    painter.drawText(cells.points, Qt::AlignRight | kLine, content.points);
}

bool UnitListPane::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const UiMetrics& m = editor_.metrics();
        const Army& army = editor_.army();
        const QString total = QString::number(army.TotalPoints());
        const QString breakpoint = QString::number(editor_.document().BreakPoint());
        QString tip;
        if (TotalBox(contentsRect(), m.digitWidth, m.RowHeight(), m.font, total).contains(help->pos())) {
            // Over the limit, the problem says it with the numbers.
            tip = TotalProblem(army);
            if (tip.isEmpty())
                tip = tr("Points total: %1 of %2").arg(army.TotalPoints()).arg(army.pointsLimit());
        } else if (BreakpointBox(contentsRect(), m.digitWidth, m.RowHeight(), m.font, breakpoint)
                       .contains(help->pos())) {
            tip = tr("Breakpoint: %1, half of the units that count, rounded up").arg(breakpoint);
        }
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QFrame::event(event);
}

void UnitListPane::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const QRect c = contentsRect();
    const int h = editor_.metrics().RowHeight();
    tree_->setGeometry(EdgeRect(c.left() + 2, c.top() + 2, RightEdge(c) - 2, BottomEdge(c) - h - 4));
}

void UnitListPane::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const UiMetrics& m = editor_.metrics();
    painter.setFont(m.font);
    const QRect c = contentsRect();
    const auto box = [&](const QRect& r, const QString& text, const QColor& colour) {
        painter.fillRect(r, BoxBackground());
        FrameRect(painter, r, BoxText());
        painter.setPen(colour);
        painter.drawText(SummaryTextRect(r), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, text);
    };
    const Army& army = editor_.army();
    const QString total = QString::number(army.TotalPoints());
    const QString breakpoint = QString::number(editor_.document().BreakPoint());
    box(TotalBox(c, m.digitWidth, m.RowHeight(), m.font, total), total, TotalColour(army));
    box(BreakpointBox(c, m.digitWidth, m.RowHeight(), m.font, breakpoint), breakpoint, BoxText());
}

} // namespace ovra
