#include "OptionPickerDialog.h"
#include "ItemData.h"

#include "ArmyEditor.h"
#include "BreachText.h"
#include "UiMetrics.h"
#include "UiServices.h"
#include "UnitDetailPainting.h"
#include "UnitListPainting.h"
#include "Win1252.h"

#include "Army.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>

namespace ovra {

namespace {

constexpr int kRecordRole = Qt::UserRole;
constexpr int kWidth = 320;
constexpr int kHeight = 280;

OptionPickerDialog::OptionKind KindOf(const TaggedObject* current) {
    if (current != nullptr && current->kind == kKindMagicItem)
        return OptionPickerDialog::OptionKind::MagicItem;
    if (current != nullptr && current->kind == kKindSiegeEngine)
        return OptionPickerDialog::OptionKind::SiegeEngine;
    return OptionPickerDialog::OptionKind::Mount;
}

QString TitleOf(OptionPickerDialog::OptionKind kind) {
    switch (kind) {
    case OptionPickerDialog::OptionKind::MagicItem:
        return OptionPickerDialog::tr("Magic item");
    case OptionPickerDialog::OptionKind::SiegeEngine:
        return OptionPickerDialog::tr("Siege engine");
    case OptionPickerDialog::OptionKind::Mount:
        break;
    }
    return OptionPickerDialog::tr("Mount");
}

// A red row keeps its red text when selected, on a light tint of the
// selection colour, so that it stays readable.
class RedRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        const QVariant foreground = index.data(Qt::ForegroundRole);
        if ((opt.state & QStyle::State_Selected) != 0 && foreground.canConvert<QBrush>() &&
            foreground.value<QBrush>().color() == WarningRed()) {
            const QColor base = opt.palette.color(QPalette::Base);
            const QColor highlight = opt.palette.color(QPalette::Highlight);
            const QColor tint((base.red() * 3 + highlight.red()) / 4,
                              (base.green() * 3 + highlight.green()) / 4,
                              (base.blue() * 3 + highlight.blue()) / 4);
            for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
                opt.palette.setColor(group, QPalette::Highlight, tint);
                opt.palette.setColor(group, QPalette::HighlightedText, WarningRed());
            }
        }
        QStyledItemDelegate::paint(painter, opt, index);
    }
};

} // namespace

OptionPickerDialog::OptionPickerDialog(const ArmyEditor& editor, QWidget* parent, const TroopTypeRecord& type,
                                       const UnitEntry& unit, const TaggedObject* current)
    : QDialog(parent), kind_(KindOf(current)), type_(type) {
    setObjectName(QStringLiteral("optionPicker"));
    setWindowTitle(TitleOf(kind_));
    const UiMetrics& m = editor.metrics();
    setFont(m.font);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, PaneBackground());
    setPalette(grey);
    setAutoFillBackground(true);
    setFixedSize(kWidth, kHeight);
    if (const QWidget* view = editor.dialogOwner())
        move(view->mapToGlobal(QPoint(20, 20)));

    const int h = m.RowHeight();
    const int w = m.digitWidth;
    const int half = kWidth / 2;
    const int buttonsTop = kHeight - h - 7;

    ok_ = new QPushButton(tr("Ok"), this);
    ok_->setObjectName(QStringLiteral("okButton"));
    ok_->setGeometry(EdgeRect(2, buttonsTop, half - 2, kHeight - 2));
    ok_->setDefault(true);
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancelButton"));
    cancel_->setGeometry(EdgeRect(half + 2, buttonsTop, kWidth - 2, kHeight - 2));

    tree_ = new QTreeWidget(this);
    tree_->setItemDelegate(new RedRowDelegate(tree_));
    tree_->setObjectName(QStringLiteral("optionTree"));
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setRootIsDecorated(false);
    tree_->setIndentation(0);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setDragEnabled(false);
    find_ = new QLineEdit(this);
    find_->setObjectName(QStringLiteral("findField"));
    find_->setPlaceholderText(tr("Find"));
    find_->setAccessibleName(tr("Find an option"));
    find_->setClearButtonEnabled(true);
    find_->setGeometry(EdgeRect(2, 2, half - 2, 2 + h + 4));
    connect(find_, &QLineEdit::textChanged, this, &OptionPickerDialog::Find);
    find_->installEventFilter(this);
    tree_->setGeometry(EdgeRect(2, BottomEdge(find_->geometry()) + 2, half - 2, buttonsTop - 2));
    tree_->installEventFilter(this);

    points_ = new QLineEdit(this);
    points_->setObjectName(QStringLiteral("pointsField"));
    points_->setReadOnly(true);
    points_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    points_->setGeometry(EdgeRect(kWidth - 2 - (4 * w + 6), 2, kWidth - 2, 2 + h + 4));

    info_ = new QPlainTextEdit(this);
    info_->setObjectName(QStringLiteral("infoField"));
    info_->setReadOnly(true);
    info_->setGeometry(EdgeRect(half + 2, BottomEdge(points_->geometry()) + 2, kWidth - 2, buttonsTop - 2));

    Fill(unit, current);
    ShowSelectedRow();

    setTabOrder(find_, tree_);
    setTabOrder(tree_, points_);
    setTabOrder(points_, info_);
    setTabOrder(info_, ok_);
    setTabOrder(ok_, cancel_);
    tree_->setFocus();

    connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] { ShowSelectedRow(); });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this] { ChooseSelectedRow(); });
    connect(ok_, &QPushButton::clicked, this, [this] { ChooseSelectedRow(); });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

const TaggedObject* OptionPickerDialog::Pick(const ArmyEditor& editor, QWidget* parent,
                                             const TroopTypeRecord& type, const UnitEntry& unit,
                                             const TaggedObject* current) {
    OptionPickerDialog dialog(editor, parent, type, unit, current);
    if (editor.services().ExecDialog(dialog) != QDialog::Accepted)
        return nullptr;
    return dialog.chosen();
}

const TaggedObject* OptionPickerDialog::RowRecord(const QTreeWidgetItem* row) {
    if (row == nullptr)
        return nullptr;
    return DataPointer<TaggedObject>(row->data(0, kRecordRole));
}

void OptionPickerDialog::Fill(const UnitEntry& unit, const TaggedObject* current) {
    QTreeWidgetItem* selected = nullptr;
    const auto add = [&](const CatalogueEntry& record, const QString& problem) {
        auto* row = new QTreeWidgetItem(tree_, QStringList{FromWin1252(record.name)});
        row->setData(0, kRecordRole, PointerData(&record));
        // Red marks a rule that taking the option would break; the choice stays open.
        if (!problem.isEmpty()) {
            row->setForeground(0, WarningRed());
            row->setToolTip(0, problem);
        }
        if (&record == current && selected == nullptr)
            selected = row;
    };
    switch (kind_) {
    case OptionKind::MagicItem:
        for (const MagicItemRecord* m = type_.NextAllowedMagicItem(nullptr); m;
             m = type_.NextAllowedMagicItem(m))
            add(*m, TakingItemProblem(unit, *m));
        break;
    case OptionKind::SiegeEngine:
        for (const SiegeEngineRecord* e = type_.NextAllowedSiegeEngine(nullptr); e;
             e = type_.NextAllowedSiegeEngine(e))
            add(*e, QString());
        break;
    case OptionKind::Mount:
        for (const TroopTypeRecord* m = type_.NextMount(nullptr); m; m = type_.NextMount(m))
            add(*m, TakingMountProblem(unit, *m));
        break;
    }
    if (selected != nullptr)
        tree_->setCurrentItem(selected);
}

const TaggedObject* OptionPickerDialog::SelectedRecord() const {
    // The selection, not the current row: a tree given the focus makes its
    // first row current without selecting it.
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    return selected.isEmpty() ? nullptr : RowRecord(selected.constFirst());
}

void OptionPickerDialog::ShowSelectedRow() {
    const TaggedObject* record = SelectedRecord();
    if (record == nullptr)
        return;
    std::int32_t points = 0;
    if (record->kind == kKindMagicItem)
        points = static_cast<const MagicItemRecord*>(record)->points;
    else if (record->kind == kKindSiegeEngine)
        points = static_cast<const SiegeEngineRecord*>(record)->points;
    else
        points = static_cast<const TroopTypeRecord*>(record)->points;
    points_->setText(QString::number(points));
    info_->setPlainText(FromWin1252Lines(static_cast<const CatalogueEntry*>(record)->info));
}

void OptionPickerDialog::Find(const QString& text) {
    QTreeWidgetItem* first = nullptr;
    for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = tree_->topLevelItem(i);
        const bool shown = row->text(0).contains(text, Qt::CaseInsensitive);
        row->setHidden(!shown);
        if (shown && first == nullptr)
            first = row;
    }
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    if (first != nullptr && (selected.isEmpty() || selected.constFirst()->isHidden()))
        tree_->setCurrentItem(first);
}

bool OptionPickerDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == tree_ && !key->text().isEmpty() && key->text().at(0).isPrint() &&
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0) {
        // Typing in the list goes to the find field.
        find_->setFocus();
        find_->insert(key->text());
        return true;
    }
    if (watched == find_ && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        ChooseSelectedRow(); // the option found
        return true;
    }
    if (watched == find_ && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down ||
                             key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown)) {
        // The arrows move through the options found.
        QApplication::sendEvent(tree_, key);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void OptionPickerDialog::ChooseSelectedRow() {
    chosen_ = SelectedRecord();
    accept();
}

} // namespace ovra
