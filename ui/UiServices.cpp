#include "UiServices.h"

#include "CountPopup.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace ovra {
namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void UiServices::ShowMessage(QWidget* parent, const QString& text, const QString& caption, MessageIcon icon) {
    QMessageBox box(ToQtIcon(icon), caption, text, QMessageBox::Ok, parent);
    box.exec();
}

bool UiServices::AskOkCancel(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    return box.exec() == QMessageBox::Ok;
}

UiServices::SaveChoice UiServices::AskSaveChanges(QWidget* parent, const QString& documentTitle) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Ovra"),
                    QCoreApplication::translate("UiServices", "Save changes to %1?").arg(documentTitle),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

UiServices::SaveChoice UiServices::AskSaveAll(QWidget* parent, const QStringList& documentTitles) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Ovra"),
                    QCoreApplication::translate("UiServices", "Save the changes to these armies?\n\n%1")
                        .arg(documentTitles.join(QLatin1Char('\n'))),
                    QMessageBox::SaveAll | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::SaveAll);
    switch (box.exec()) {
    case QMessageBox::SaveAll:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

UiServices::ConflictChoice UiServices::AskFileChanged(QWidget* parent, const QString& fileName) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Ovra"),
                    QCoreApplication::translate(
                        "UiServices", "\"%1\" has changed on disk since it was opened or saved here. "
                                      "Saving now replaces what is there now.")
                        .arg(fileName),
                    QMessageBox::NoButton, parent);
    QPushButton* overwrite =
        box.addButton(QCoreApplication::translate("UiServices", "&Overwrite"), QMessageBox::DestructiveRole);
    QPushButton* saveAs =
        box.addButton(QCoreApplication::translate("UiServices", "Save &As..."), QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(saveAs);
    box.exec();
    if (box.clickedButton() == overwrite)
        return ConflictChoice::Overwrite;
    if (box.clickedButton() == saveAs)
        return ConflictChoice::SaveAs;
    return ConflictChoice::Cancel;
}

int UiServices::ChooseItem(QWidget* parent, const QString& caption, const QString& label,
                           const QStringList& items) {
    bool chosen = false;
    const QString item = QInputDialog::getItem(parent, caption, label, items, 0, false, &chosen);
    return chosen ? static_cast<int>(items.indexOf(item)) : -1;
}

QString UiServices::GetOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                    const QString& filters, const QString& selectedFilter) {
    QString selected = selectedFilter;
    return QFileDialog::getOpenFileName(parent, caption, folder, filters, &selected);
}

QString UiServices::GetSaveFileName(QWidget* parent, const QString& caption, const QString& proposedPath,
                                    const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(parent, caption, proposedPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

namespace {

// The Info choice as a group of three radio buttons, Complete checked; each
// click is written to `choice` at once.
QGroupBox* MakeInfoGroup(InfoChoice& choice) {
    auto* info = new QGroupBox(QCoreApplication::translate("UiServices", "Info"));
    info->setObjectName(QStringLiteral("infoGroup"));
    auto* layout = new QHBoxLayout(info);
    auto* group = new QButtonGroup(info);
    const std::pair<const char*, InfoChoice> buttons[] = {
        {QT_TRANSLATE_NOOP("UiServices", "Complete"), InfoChoice::Complete},
        {QT_TRANSLATE_NOOP("UiServices", "Short"), InfoChoice::Short},
        {QT_TRANSLATE_NOOP("UiServices", "None"), InfoChoice::None}};
    for (const auto& [text, value] : buttons) {
        auto* button = new QRadioButton(QCoreApplication::translate("UiServices", text), info);
        button->setObjectName(QString::fromLatin1(text).toLower());
        layout->addWidget(button);
        group->addButton(button, static_cast<int>(value));
    }
    layout->addStretch();
    group->button(static_cast<int>(InfoChoice::Complete))->setChecked(true);
    choice = InfoChoice::Complete;
    QObject::connect(group, &QButtonGroup::idClicked, info,
                     [&choice](int id) { choice = static_cast<InfoChoice>(id); });
    return info;
}

} // namespace

bool UiServices::RunPrintDialog(QWidget* parent, QPrinter& printer, InfoChoice& choice) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QCoreApplication::translate("UiServices", "Print"));
    // A page range is printed as asked; there is no selection or current page.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(1, 1000);
    // Every opening starts at Complete, and each click is kept for the rest
    // of the run at once, whatever the dialog's answer. The group stands
    // in the dialog itself, in sight without expanding anything.
    QGroupBox* info = MakeInfoGroup(choice);
    if (auto* layout = qobject_cast<QBoxLayout*>(dialog.layout()))
        layout->insertWidget(std::max(0, layout->count() - 2), info);
    else
        dialog.setOptionTabs({info});
    return dialog.exec() == QDialog::Accepted;
}

void UiServices::RunPrintPreview(QWidget* parent, QPrinter& printer, InfoChoice& choice,
                                 const std::function<void(QPrinter&)>& paint) {
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QCoreApplication::translate("UiServices", "Print Preview"));
    // The Info choice sits in the preview's tool bar; a change shows at once.
    auto* combo = new QComboBox(&dialog);
    combo->setObjectName(QStringLiteral("infoCombo"));
    combo->setAccessibleName(QCoreApplication::translate("UiServices", "Info"));
    combo->addItem(QCoreApplication::translate("UiServices", "Complete"),
                   static_cast<int>(InfoChoice::Complete));
    combo->addItem(QCoreApplication::translate("UiServices", "Short"), static_cast<int>(InfoChoice::Short));
    combo->addItem(QCoreApplication::translate("UiServices", "None"), static_cast<int>(InfoChoice::None));
    combo->setCurrentIndex(combo->findData(static_cast<int>(choice)));
    if (auto* toolbar = dialog.findChild<QToolBar*>()) {
        toolbar->addSeparator();
        toolbar->addWidget(
            new QLabel(QCoreApplication::translate("UiServices", "Info") + QLatin1Char(' '), &dialog));
        toolbar->addWidget(combo);
    }
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter* target) { paint(*target); });
    QObject::connect(combo, &QComboBox::currentIndexChanged, &dialog, [&dialog, &choice, combo] {
        choice = static_cast<InfoChoice>(combo->currentData().toInt());
        if (auto* preview = dialog.findChild<QPrintPreviewWidget*>())
            preview->updatePreview();
    });
    dialog.exec();
}

QString UiServices::GetExportFileName(QWidget* parent, const QString& caption, const QString& proposedPath,
                                      const QStringList& filters, QString& selectedFilter,
                                      InfoChoice* choice) {
    QFileDialog dialog(parent, caption, proposedPath, filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The Info choice needs the program's own file dialog to hold it.
    dialog.setOption(QFileDialog::DontUseNativeDialog, choice != nullptr);
    if (!selectedFilter.isEmpty())
        dialog.selectNameFilter(selectedFilter);
    if (choice != nullptr) {
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
            grid->addWidget(MakeInfoGroup(*choice), grid->rowCount(), 0, 1, grid->columnCount());
    }
    const auto suffixOf = [](const QString& filter) {
        const qsizetype star = filter.indexOf(QStringLiteral("*."));
        return star < 0
                   ? QString()
                   : filter.mid(star + 2).section(QLatin1Char(')'), 0, 0).section(QLatin1Char(' '), 0, 0);
    };
    dialog.setDefaultSuffix(suffixOf(dialog.selectedNameFilter()));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog, suffixOf](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().constFirst();
}

bool UiServices::RunPageSetup(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

int UiServices::ExecDialog(QDialog& dialog) {
    return dialog.exec();
}

int UiServices::RunCountPopup(CountPopup& popup) {
    return popup.Exec();
}

} // namespace ovra
