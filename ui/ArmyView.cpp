#include "ArmyView.h"

#include "Application.h"
#include "NationBar.h"
#include "QtPrintSurface.h"
#include "UiServices.h"
#include "UnitListPainting.h"
#include "UnitListPane.h"
#include "UnitPanel.h"
#include "UnitTree.h"
#include "Win1252.h"

#include "ArmyDocument.h"
#include "HtmlRoster.h"
#include "Roster.h"
#include "TextRoster.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QUndoStack>

namespace ovra {

ArmyView::ArmyView(Application& app, ArmyDocument& document, QWidget* parent)
    : QWidget(parent), app_(app), document_(document) {
    setObjectName(QStringLiteral("armyView"));
    QPalette grey = palette();
    grey.setColor(QPalette::Window, PaneBackground());
    // Disabled captions on the grey stay readable.
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        grey.setColor(QPalette::Disabled, role,
                      Readable(grey.color(QPalette::Disabled, role), PaneBackground()));
    setPalette(grey);
    setAutoFillBackground(true);

    undoStack_ = new QUndoStack(this);
    nationBar_ = new NationBar(*this, this);
    unitList_ = new UnitListPane(*this, this);
    unitPanel_ = new UnitPanel(*this, this);
    LayOutPanes();
    subscription_ = document_.Subscribe([this](const ArmyChange&) { OnArmyChanged(); });
}

ArmyView::~ArmyView() {
    document_.Unsubscribe(subscription_);
}

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

void ArmyView::OnArmyChanged() {
    nationBar_->RefreshNationBar();
    unitList_->Rebuild();
    unitPanel_->ShowSelection();
}

void ArmyView::Execute(const QString& text, ArmyCommand::Operation operation, ArmyCommand::Burst burst) {
    undoStack_->push(new ArmyCommand(
        document_, text, std::move(operation), [this](const ArmyChange& change) { Reveal(change); }, burst,
        typingBurst_));
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

void ArmyView::OnNewUnit() {
    const TaggedObject* selected = unitList_->SelectedRecord();
    if (selected == nullptr)
        return;
    UnitListKey added;
    if (selected->kind == kKindUnitEntry) {
        const UnitId source = static_cast<const UnitEntry*>(selected)->id();
        Execute(tr("New unit"), [source, &added](ArmyDocument& doc) {
            ArmyEdit edit = doc.DuplicateUnit(source);
            added = {edit.touched().troopType, edit.firstAdded()};
            return edit;
        });
    } else {
        const auto* type = static_cast<const TroopTypeRecord*>(selected);
        Execute(tr("New unit"), [type, &added](ArmyDocument& doc) {
            ArmyEdit edit = doc.NewUnit(*type);
            added = {edit.touched().troopType, edit.firstAdded()};
            return edit;
        });
    }
    if (added.unit != 0)
        unitList_->Select(added);
}

void ArmyView::OnDeleteUnit() {
    const TaggedObject* selected = unitList_->SelectedRecord();
    if (selected == nullptr || selected->kind != kKindUnitEntry)
        return;
    const auto* entry = static_cast<const UnitEntry*>(selected);
    // The row that takes the selection: the next unit of the same troop type,
    // else the troop type's own row.
    const Army& army = document_.army();
    UnitListKey next{&entry->troopType(), 0};
    for (std::int32_t i = army.IndexOf(entry) + 1; i < army.UnitCount(); ++i) {
        if (&army.UnitAt(i)->troopType() == &entry->troopType()) {
            next.unit = army.UnitAt(i)->id();
            break;
        }
    }
    const UnitId doomed = entry->id();
    Execute(tr("Delete unit"), [doomed](ArmyDocument& doc) { return doc.DeleteUnit(doomed); });
    unitList_->Select(next);
}

void ArmyView::OnMinMaxUnits() {
    Execute(tr("Min/Max units"), [](ArmyDocument& doc) { return doc.EnforceMinMax(); });
}

void ArmyView::OnFilePrint() {
    // Printing to a file proposes one named after the army, beside it.
    QPrinter& printer = app_.printer();
    if (printer.outputFormat() == QPrinter::PdfFormat)
        printer.setOutputFileName(app_.ProposedPath(QStringLiteral(".pdf")));
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

void ArmyView::OnFilePrintPreview() {
    InfoChoice choice = EffectiveInfoChoice(app_.infoChoice());
    services().RunPrintPreview(this, app_.printer(), choice, [this, &choice](QPrinter& printer) {
        QString error;
        if (!PrintDocument(document_, printer, choice, error))
            services().ShowMessage(this, error, QStringLiteral("Ovra"), MessageIcon::Error);
    });
    app_.SetInfoChoice(choice);
}

void ArmyView::OnExportPdf() {
    InfoChoice choice = EffectiveInfoChoice(app_.infoChoice());
    QString filter = tr("PDF files (*.pdf)");
    const QString path = services().GetExportFileName(
        this, tr("Export PDF"), app_.ProposedPath(QStringLiteral(".pdf")), {filter}, filter, &choice);
    if (path.isEmpty())
        return;
    app_.SetInfoChoice(choice);
    QString error;
    if (!ExportPdf(document_, path, choice, error)) {
        services().ShowMessage(this, error, QStringLiteral("Ovra"), MessageIcon::Error);
        return;
    }
    app_.RememberFolder(path);
}

void ArmyView::OnExportText() {
    InfoChoice choice = EffectiveInfoChoice(app_.infoChoice());
    const QString text = tr("Text files (*.txt)");
    const QString markdown = tr("Markdown files (*.md)");
    QString filter = text;
    const QString path =
        services().GetExportFileName(this, tr("Export as text"), app_.ProposedPath(QStringLiteral(".txt")),
                                     {text, markdown}, filter, &choice);
    if (path.isEmpty())
        return;
    app_.SetInfoChoice(choice);
    const TextFormat format = filter == markdown || path.endsWith(QStringLiteral(".md"), Qt::CaseInsensitive)
                                  ? TextFormat::Markdown
                                  : TextFormat::Plain;
    std::string error;
    if (!ExportText(document_, QFile::encodeName(path).toStdString(), format, choice, error)) {
        services().ShowMessage(this, QString::fromStdString(error), QStringLiteral("Ovra"),
                               MessageIcon::Error);
        return;
    }
    app_.RememberFolder(path);
}

void ArmyView::OnCopyRoster() {
    const Roster roster = ComposeRoster(document_, EffectiveInfoChoice(app_.infoChoice()));
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(RenderText(roster, TextFormat::Plain)));
    data->setData(QStringLiteral("text/markdown"),
                  QByteArray::fromStdString(RenderText(roster, TextFormat::Markdown)));
    // The HTML page's bytes are Windows-1252; the clipboard's HTML is Unicode.
    data->setHtml(FromWin1252(RenderHtml(roster)));
    QGuiApplication::clipboard()->setMimeData(data);
}

void ArmyView::OnExportHtml() {
    const QString path =
        services().GetSaveFileName(this, tr("Save html file as"), app_.ProposedPath(QStringLiteral(".html")),
                                   tr("HTML files (*.html)"), QStringLiteral("html"));
    if (path.isEmpty())
        return;
    std::string error;
    if (!ExportHtml(document_, path.toStdString(), error)) {
        services().ShowMessage(this, QString::fromStdString(error), QStringLiteral("Ovra"),
                               MessageIcon::Error);
        return;
    }
    app_.RememberFolder(path);
}

} // namespace ovra
