#include "ArmyView.h"

#include "Application.h"
#include "NationBar.h"
#include "QtPrintSurface.h"
#include "UiServices.h"
#include "UnitListPane.h"
#include "UnitPanel.h"
#include "Win1252.h"

#include "ArmyDocument.h"
#include "HtmlReportWriter.h"

#include <QPainter>
#include <QPrinter>

namespace ovra {

QColor PaneBackground() {
    return QColor(192, 192, 192);
}

ArmyView::ArmyView(Application& app, ArmyDocument& document, QWidget* parent)
    : QWidget(parent), app_(app), document_(document) {
    setObjectName(QStringLiteral("armyView"));
    QPalette grey = palette();
    grey.setColor(QPalette::Window, PaneBackground());
    setPalette(grey);
    setAutoFillBackground(true);

    nationBar_ = new NationBar(*this, this);
    unitList_ = new UnitListPane(*this, this);
    unitPanel_ = new UnitPanel(*this, this);
    LayOutPanes();
}

ArmyView::~ArmyView() = default;

const UiMetrics& ArmyView::metrics() const {
    return app_.metrics();
}

UiServices& ArmyView::services() const {
    return app_.services();
}

void ArmyView::LayOutPanes() {
    const UiMetrics& m = metrics();
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
    // coordinates: 2 + (30 digits + 4) + 2.
    const int comboRight = 2 + 30 * w + 4;
    const QRect list =
        fromEdges(bar.left(), bar.top() + bar.height() + 2, comboRight + 2, c.top() + c.height() - 2);
    unitList_->setGeometry(list);
    unitList_->SetPointsColumnWidth(list.left() + 4 * w);

    unitPanel_->setGeometry(fromEdges(list.left() + list.width() + 2, list.top(), bar.left() + bar.width(),
                                      list.top() + list.height()));
}

void ArmyView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOutPanes();
}

void ArmyView::Refresh() {
    nationBar_->RefreshNationBar();
    unitList_->RebuildList();
    unitPanel_->ShowSelection();
}

void ArmyView::OnNewUnit() {
    const TaggedObject* selected = unitList_->SelectedItem();
    if (selected == nullptr)
        return;
    UnitEntry* entry = document_.army().NewUnit(selected);
    Refresh();
    document_.SetModifiedFlag(true);
    if (entry != nullptr) {
        unitList_->SetRememberedSelection(entry);
        Refresh();
    }
}

void ArmyView::OnDeleteUnit() {
    const TaggedObject* selected = unitList_->SelectedItem();
    if (selected == nullptr || selected->kind != kKindUnitEntry)
        return;
    const auto* entry = static_cast<const UnitEntry*>(selected);
    // The row that takes the selection: the next unit of the same troop type,
    // else the troop type's own row.
    const Army& army = document_.army();
    const TaggedObject* next = &entry->troopType();
    for (std::int32_t i = army.IndexOf(entry) + 1; i < army.UnitCount(); ++i) {
        if (&army.UnitAt(i)->troopType() == &entry->troopType()) {
            next = army.UnitAt(i);
            break;
        }
    }
    document_.army().RemoveUnit(entry);
    unitList_->SetRememberedSelection(next);
    Refresh();
    document_.SetModifiedFlag(true);
}

void ArmyView::OnMinMaxUnits() {
    Army& army = document_.army();
    // A removed entry's memory may be reused by an entry added in the same
    // pass, so the selection is not found again by its address alone: only
    // the last entries of a type are removed, so the selected entry is still
    // there exactly when its place among the units of its type is.
    const TaggedObject* selected = unitList_->SelectedItem();
    const TroopTypeRecord* type = nullptr;
    std::int32_t place = 0;
    if (selected != nullptr && selected->kind == kKindUnitEntry) {
        type = &static_cast<const UnitEntry*>(selected)->troopType();
        for (std::int32_t i = 0; i < army.UnitCount() && army.UnitAt(i) != selected; ++i)
            place += &army.UnitAt(i)->troopType() == type ? 1 : 0;
    }
    army.EnforceMinMax();
    unitList_->RememberSelection();
    if (type != nullptr) {
        const UnitEntry* samePlace = nullptr;
        for (std::int32_t i = 0, n = 0; i < army.UnitCount() && samePlace == nullptr; ++i)
            if (&army.UnitAt(i)->troopType() == type && n++ == place)
                samePlace = army.UnitAt(i);
        unitList_->SetRememberedSelection(samePlace == selected ? selected : nullptr);
    }
    document_.SetModifiedFlag(true);
    Refresh();
}

void ArmyView::OnFilePrint() {
    InfoChoice choice = InfoChoice::Complete;
    const bool accepted = services().RunPrintDialog(this, app_.printer(), choice);
    app_.SetInfoChoice(choice);
    if (!accepted)
        return;
    PrintDirect(app_.printer());
}

bool ArmyView::PrintDirect(QPrinter& printer) {
    QString error;
    if (PrintDocument(document_, printer, app_.infoChoice(), error))
        return true;
    services().ShowMessage(this, error, QStringLiteral("Ovra"), MessageIcon::Error);
    return false;
}

void ArmyView::OnExportHtml() {
    const QString path = services().GetSaveFileName(
        this, QStringLiteral("Save html file as"), QString::fromStdString(document_.ArmyTitle()),
        QStringLiteral("HTML files (*.html)"), QStringLiteral("html"));
    if (path.isEmpty())
        return;
    std::string error;
    if (!ExportHtml(document_, path.toStdString(), error))
        services().ShowMessage(this, QString::fromStdString(error), QStringLiteral("Ovra"),
                               MessageIcon::Error);
}

} // namespace ovra
