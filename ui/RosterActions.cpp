#include "RosterActions.h"

#include "AppContext.h"
#include "ArmyEditor.h"
#include "FileNames.h"
#include "QtPrintSurface.h"
#include "UiServices.h"
#include "Win1252.h"

#include "ArmyCode.h"
#include "HtmlRoster.h"
#include "Roster.h"
#include "TextRoster.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPrinter>

namespace ovra {

RosterActions::RosterActions(AppContext& context, std::function<ArmyEditor&()> current, QObject* parent)
    : QObject(parent), context_(context), current_(std::move(current)) {}

void RosterActions::ShowError(const QString& error) {
    context_.services().ShowMessage(current_().dialogOwner(), error, QString::fromLatin1(kAppTitle),
                                    MessageIcon::Error);
}

void RosterActions::Print() {
    const ArmyDocument& document = current_().document();
    // Printing to a file proposes one named after the army, beside it.
    QPrinter& printer = context_.printer();
    if (printer.outputFormat() == QPrinter::PdfFormat)
        printer.setOutputFileName(context_.ProposedPath(document, QStringLiteral(".pdf")));
    InfoChoice choice = InfoChoice::Complete;
    const bool accepted = context_.services().RunPrintDialog(current_().dialogOwner(), printer, choice);
    context_.SetInfoChoice(choice);
    if (!accepted)
        return;
    PrintDirect(printer);
}

bool RosterActions::PrintDirect(QPrinter& printer) {
    QString error;
    if (PrintDocument(current_().document(), printer, context_.infoChoice(), error))
        return true;
    ShowError(error);
    return false;
}

void RosterActions::PrintPreview() {
    const ArmyDocument& document = current_().document();
    InfoChoice choice = EffectiveInfoChoice(context_.infoChoice());
    context_.services().RunPrintPreview(current_().dialogOwner(), context_.printer(), choice,
                                        [this, &document, &choice](QPrinter& printer) {
                                            QString error;
                                            if (!PrintDocument(document, printer, choice, error))
                                                ShowError(error);
                                        });
    context_.SetInfoChoice(choice);
}

void RosterActions::ExportPdf() {
    const ArmyDocument& document = current_().document();
    InfoChoice choice = context_.ExportInfoChoice();
    QString filter = tr("PDF files (*.pdf)");
    const QString path = context_.services().GetExportFileName(
        current_().dialogOwner(), tr("Export PDF"), context_.ProposedPath(document, QStringLiteral(".pdf")),
        {filter}, filter, &choice);
    if (path.isEmpty())
        return;
    context_.SetExportInfoChoice(choice);
    QString error;
    if (!ovra::ExportPdf(document, path, choice, error)) {
        ShowError(error);
        return;
    }
    context_.RememberFolder(ToPath(path));
}

void RosterActions::ExportText() {
    const ArmyDocument& document = current_().document();
    InfoChoice choice = context_.ExportInfoChoice();
    const QString text = tr("Text files (*.txt)");
    const QString markdown = tr("Markdown files (*.md)");
    QString filter = text;
    const QString path = context_.services().GetExportFileName(
        current_().dialogOwner(), tr("Export as text"),
        context_.ProposedPath(document, QStringLiteral(".txt")), {text, markdown}, filter, &choice);
    if (path.isEmpty())
        return;
    context_.SetExportInfoChoice(choice);
    const TextFormat format = filter == markdown || path.endsWith(QStringLiteral(".md"), Qt::CaseInsensitive)
                                  ? TextFormat::Markdown
                                  : TextFormat::Plain;
    std::string error;
    if (!ovra::ExportText(document, ToPath(path), format, choice, error)) {
        ShowError(QString::fromStdString(error));
        return;
    }
    context_.RememberFolder(ToPath(path));
}

void RosterActions::CopyRoster() {
    const ArmyDocument& document = current_().document();
    const Roster roster = ComposeRoster(document, EffectiveInfoChoice(context_.infoChoice()));
    // The text and Markdown end with the army code, which brings the army back exactly.
    const std::string code = ArmyCode(document.army());
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(RenderText(roster, TextFormat::Plain, code)));
    data->setData(QStringLiteral("text/markdown"),
                  QByteArray::fromStdString(RenderText(roster, TextFormat::Markdown, code)));
    // The HTML page's bytes are Windows-1252; the clipboard's HTML is Unicode.
    data->setHtml(FromWin1252(RenderHtml(roster)));
    QGuiApplication::clipboard()->setMimeData(data);
}

void RosterActions::ExportHtml() {
    const ArmyDocument& document = current_().document();
    const QString path =
        context_.services().GetSaveFileName(current_().dialogOwner(), tr("Save html file as"),
                                            context_.ProposedPath(document, QStringLiteral(".html")),
                                            tr("HTML files (*.html)"), QStringLiteral("html"));
    if (path.isEmpty())
        return;
    std::string error;
    if (!ovra::ExportHtml(document, ToPath(path), error)) {
        ShowError(QString::fromStdString(error));
        return;
    }
    context_.RememberFolder(ToPath(path));
}

} // namespace ovra
