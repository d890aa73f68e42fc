#include "UiServices.h"

#include "CountPopup.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
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

bool UiServices::RunPrintDialog(QWidget* parent, QPrinter& printer, InfoChoice& choice) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QCoreApplication::translate("UiServices", "Print"));
    // No page ranges, selection or collation: a roster is printed whole.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);

    auto* info = new QGroupBox(QCoreApplication::translate("UiServices", "Info"));
    info->setObjectName(QStringLiteral("infoGroup"));
    auto* layout = new QVBoxLayout(info);
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
    // Every opening starts at Complete, and each click is kept for the rest
    // of the run at once, whatever the dialog's answer.
    group->button(static_cast<int>(InfoChoice::Complete))->setChecked(true);
    choice = InfoChoice::Complete;
    QObject::connect(group, &QButtonGroup::idClicked, info,
                     [&choice](int id) { choice = static_cast<InfoChoice>(id); });
    dialog.setOptionTabs({info});
    return dialog.exec() == QDialog::Accepted;
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
