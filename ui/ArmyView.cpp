#include "ArmyView.h"

#include "ArmyEditor.h"
#include "NationBar.h"
#include "UiMetrics.h"
#include "UnitListPainting.h"
#include "UnitListPane.h"
#include "UnitPanel.h"
#include "UnitTree.h"

#include "ArmyFile.h"
#include "DeleteUnit.h"
#include "EnforceMinMax.h"
#include "NewUnit.h"
#include "PasteUnits.h"
#include "UiServices.h"
#include "Win1252.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMimeData>
#include <QSplitter>

#include <algorithm>

namespace ovra {

ArmyView::ArmyView(ArmyEditor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    setObjectName(QStringLiteral("armyView"));
    QPalette grey = palette();
    grey.setColor(QPalette::Window, PaneBackground());
    // Disabled captions on the grey stay readable.
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        grey.setColor(QPalette::Disabled, role,
                      Readable(grey.color(QPalette::Disabled, role), PaneBackground()));
    setPalette(grey);
    setAutoFillBackground(true);

    nationBar_ = new NationBar(editor, this);
    // The list and the panel share the room below the bar; a splitter as
    // wide as the gap between them lets the player widen either.
    panes_ = new QSplitter(Qt::Horizontal, this);
    panes_->setObjectName(QStringLiteral("paneSplitter"));
    panes_->setHandleWidth(2);
    panes_->setChildrenCollapsible(false);
    unitList_ = new UnitListPane(editor, panes_);
    unitPanel_ = new UnitPanel(editor, panes_);
    panes_->addWidget(unitList_);
    panes_->addWidget(unitPanel_);
    panes_->setStretchFactor(0, 0);
    panes_->setStretchFactor(1, 1);
    connect(panes_, &QSplitter::splitterMoved, this, [this] { listWidth_ = unitList_->width(); });
    LayOutPanes();
    connect(unitList_, &UnitListPane::selectionChanged, this,
            [this] { unitPanel_->Show(unitList_->selection()); });
    connect(&editor, &ArmyEditor::changed, this, &ArmyView::ShowChange);
    connect(&editor, &ArmyEditor::revealRequested, this, &ArmyView::Reveal);
    editor.SetDialogOwner(this);
    nationBar_->RefreshNationBar();
    unitPanel_->Show(unitList_->selection());
}

void ArmyView::LayOutPanes() {
    const UiMetrics& m = editor_.metrics();
    const int h = m.RowHeight();
    const int w = m.digitWidth;
    const QRect c = rect();
    const auto fromEdges = [](int left, int top, int right, int bottom) {
        return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
    };
    const QRect bar = fromEdges(c.left() + 2, c.top() + 2, c.left() + c.width() - 2, c.top() + h + 14);
    nationBar_->setGeometry(bar);
    nationBar_->LayOut();

    // The list ends where the nation selector ends, taken in the bar's own
    // coordinates: 2 + (30 digits + 4) + 2; the panel takes the rest, 2
    // pixels further: the splitter's handle.
    const int comboRight = 2 + 30 * w + 4;
    const QRect list =
        fromEdges(bar.left(), bar.top() + bar.height() + 2, comboRight + 2, c.top() + c.height() - 2);
    const QRect both =
        fromEdges(list.left(), list.top(), bar.left() + bar.width(), list.top() + list.height());
    panes_->setGeometry(both);
    unitList_->SetPointsColumnWidth(list.left() + 4 * w);
    const int listWidth =
        std::clamp(listWidth_ > 0 ? listWidth_ : list.width(), unitList_->minimumSizeHint().width(),
                   std::max(list.width(), both.width() - 2 - 100));
    panes_->setSizes({listWidth, std::max(0, both.width() - 2 - listWidth)});
}

int ArmyView::listWidth() const {
    return unitList_->width();
}

void ArmyView::SetListWidth(int width) {
    listWidth_ = width;
    LayOutPanes();
}

void ArmyView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOutPanes();
}

void ArmyView::ShowChange(const ArmyChange& change) {
    nationBar_->ShowChange(change);
    unitList_->ShowChange(change);
    unitPanel_->ShowChange(change, unitList_->selection());
}

void ArmyView::Reveal(const ArmyChange& change) {
    if (change.troopType == nullptr)
        return;
    if (change.unit == 0 || !unitList_->Select({change.troopType, change.unit})) {
        unitList_->Select({change.troopType, 0});
        unitList_->OpenOnly(unitList_->model().IndexOfType(change.troopType));
    }
}

void ArmyView::FocusPane(int step) {
    QWidget* panes[] = {nationBar_, unitList_, unitPanel_};
    int current = 1;
    for (int i = 0; i < 3; ++i)
        if (panes[i]->isAncestorOf(QApplication::focusWidget()))
            current = i;
    const int next = ((current + step) % 3 + 3) % 3;
    QWidget* target = nullptr;
    switch (next) {
    case 0:
        target = nationBar_->nationCombo();
        break;
    case 1:
        target = unitList_->tree();
        break;
    default:
        target = unitPanel_->FirstFocusable();
        if (target == nullptr)
            target = unitList_->tree();
        break;
    }
    target->setFocus(Qt::ShortcutFocusReason);
}

void ArmyView::NewUnit() {
    const TaggedObject* selected = unitList_->SelectedRecord();
    if (selected == nullptr)
        return;
    std::unique_ptr<edits::NewUnit> edit;
    if (selected->kind == kKindUnitEntry)
        edit = std::make_unique<edits::NewUnit>(static_cast<const UnitEntry*>(selected)->id());
    else
        edit = std::make_unique<edits::NewUnit>(*static_cast<const TroopTypeRecord*>(selected));
    const ArmyChange added = editor_.Execute(tr("New unit"), std::move(edit));
    if (added.unit != 0)
        unitList_->Select({added.troopType, added.unit});
}

void ArmyView::DeleteUnit() {
    const TaggedObject* selected = unitList_->SelectedRecord();
    if (selected == nullptr || selected->kind != kKindUnitEntry)
        return;
    const auto* entry = static_cast<const UnitEntry*>(selected);
    // The row that takes the selection: the next unit of the same troop type,
    // else the troop type's own row.
    const Army& army = editor_.army();
    UnitListKey next{&entry->troopType(), 0};
    for (std::int32_t i = army.IndexOf(entry) + 1; i < army.UnitCount(); ++i) {
        if (&army.UnitAt(i)->troopType() == &entry->troopType()) {
            next.unit = army.UnitAt(i)->id();
            break;
        }
    }
    editor_.Execute(tr("Delete unit"), std::make_unique<edits::DeleteUnit>(entry->id()));
    unitList_->Select(next);
}

void ArmyView::CopyUnits() {
    const std::vector<UnitId> ids = unitList_->SelectedUnits();
    if (ids.empty())
        return;
    const Army& army = editor_.army();
    Army copied(army.nation(), army.pointsLimit(), false);
    QStringList lines;
    for (const UnitId id : ids) {
        const UnitEntry& unit = *army.FindUnit(id);
        copied.AppendUnit(Army::StateOf(unit));
        // "Porus (General): Elephant, Legions eagle, 180 points"
        QStringList parts;
        for (const CatalogueEntry* option : {static_cast<const CatalogueEntry*>(unit.mount()),
                                             static_cast<const CatalogueEntry*>(unit.magicItem()),
                                             static_cast<const CatalogueEntry*>(unit.siegeEngine())})
            if (option != nullptr && option->key != kNoMount && option->key != kNoMagicItem &&
                option->key != kNoSiegeEngine)
                parts << FromWin1252(option->name);
        if (unit.skirmishers())
            parts << tr("runners");
        parts << tr("%1 points").arg(unit.Points());
        QString name = FromWin1252(unit.name());
        if (unit.name() != unit.troopType().name)
            name += QStringLiteral(" (%1)").arg(FromWin1252(unit.troopType().name));
        lines << QStringLiteral("%1: %2").arg(name, parts.join(QStringLiteral(", ")));
    }
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kUnitsMimeType), QByteArray::fromStdString(WriteArmyFile(copied)));
    data->setText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    QGuiApplication::clipboard()->setMimeData(data);
}

void ArmyView::CutUnits() {
    const std::vector<UnitId> ids = unitList_->SelectedUnits();
    if (ids.empty())
        return;
    CopyUnits();
    const TroopTypeRecord* type = &editor_.army().FindUnit(ids.front())->troopType();
    editor_.Execute(tr("Cut units"), std::make_unique<edits::DeleteUnit>(ids));
    unitList_->Select({type, 0});
}

void ArmyView::PasteUnits() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasFormat(QString::fromLatin1(kUnitsMimeType)))
        return;
    std::vector<std::string> leftOut;
    std::size_t added = 0;
    const ArmyChange change = editor_.Execute(
        tr("Paste units"),
        std::make_unique<edits::PasteUnits>(data->data(QString::fromLatin1(kUnitsMimeType)).toStdString()),
        [&](const ArmyEdit& edit) {
            const auto& paste = static_cast<const edits::PasteUnits&>(edit);
            leftOut = paste.leftOut();
            added = paste.added();
        });
    if (change.troopType != nullptr)
        unitList_->Select({change.troopType, 0});
    if (leftOut.empty())
        return;
    QStringList lines{added == 1
                          ? tr("1 unit pasted. Left out, as this army's nation lacks it:")
                          : tr("%1 units pasted. Left out, as this army's nation lacks it:").arg(added)};
    for (const std::string& line : leftOut)
        lines << FromWin1252(line);
    editor_.services().ShowMessage(this, lines.join(QLatin1Char('\n')), QString::fromLatin1(kAppTitle),
                                   MessageIcon::Information);
}

void ArmyView::EnforceMinMax() {
    editor_.Execute(tr("Min/Max units"), std::make_unique<edits::EnforceMinMax>());
}

} // namespace ovra
