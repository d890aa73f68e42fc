// Every modal interaction of the window goes through this class: message
// boxes, questions, file dialogs, the print dialogs and the program's own
// dialogs. The program uses it as it is; tests replace it so that no dialog
// ever blocks them.
#pragma once

#include "Host.h"
#include "Roster.h"

#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QPrinter;
class QWidget;

namespace ovra {

class CountPopup;

class UiServices {
public:
    enum class SaveChoice { Save, Discard, Cancel };
    enum class ConflictChoice { Overwrite, SaveAs, Cancel };

    virtual ~UiServices() = default;

    virtual void ShowMessage(QWidget* parent, const QString& text, const QString& caption, MessageIcon icon);
    virtual bool AskOkCancel(QWidget* parent, const QString& text, const QString& caption);
    // "Save changes to TITLE?" before a modified army is replaced or closed.
    virtual SaveChoice AskSaveChanges(QWidget* parent, const QString& documentTitle);
    // Once for several modified armies as the window closes: Save means
    // save them all.
    virtual SaveChoice AskSaveAll(QWidget* parent, const QStringList& documentTitles);
    // Before Save replaces a file that changed on disk since it was read or written.
    virtual ConflictChoice AskFileChanged(QWidget* parent, const QString& fileName);
    // Empty when cancelled.
    virtual QString GetOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                    const QString& filters, const QString& selectedFilter);
    // Empty when cancelled; replacing an existing file is confirmed by the dialog.
    virtual QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& proposedPath,
                                    const QString& filter, const QString& defaultSuffix);
    // The print dialog with the program's Info group; false when cancelled.
    // `choice` is what the Info group held when the dialog closed.
    virtual bool RunPrintDialog(QWidget* parent, QPrinter& printer, InfoChoice& choice);
    // Qt's print preview of the pages `paint` draws on the printer, with an
    // Info choice that redraws them; the player may print from there.
    virtual void RunPrintPreview(QWidget* parent, QPrinter& printer, InfoChoice& choice,
                                 const std::function<void(QPrinter&)>& paint);
    // A save dialog for an export: `filters` name the formats offered,
    // `selectedFilter` the one proposed and then the one chosen; with a
    // `choice`, the dialog also holds the Info choice. Empty when cancelled.
    virtual QString GetExportFileName(QWidget* parent, const QString& caption, const QString& proposedPath,
                                      const QStringList& filters, QString& selectedFilter,
                                      InfoChoice* choice);
    virtual bool RunPageSetup(QWidget* parent, QPrinter& printer);
    // One of the items, chosen in a small dialog: its index, or -1 for Cancel.
    virtual int ChooseItem(QWidget* parent, const QString& caption, const QString& label,
                           const QStringList& items);
    // Runs one of the program's own dialogs modally; returns its result code.
    virtual int ExecDialog(QDialog& dialog);
    // Runs the unit list's count grid until a click ends it; returns the
    // number chosen or -1.
    virtual int RunCountPopup(CountPopup& popup);
};

} // namespace ovra
