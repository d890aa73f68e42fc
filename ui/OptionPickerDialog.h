// The modal dialog in which one option of a unit entry is chosen: its mount,
// its magic item or its siege engine. It lists what the entry's troop type
// allows, marks in red what would break a limit, shows the points and the
// text of the highlighted option, and returns the record chosen. It changes
// nothing itself.
#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace ovra {

class ArmyEditor;
class UnitEntry;
struct TaggedObject;
struct TroopTypeRecord;

class OptionPickerDialog : public QDialog {
    Q_OBJECT
public:
    enum class OptionKind { Mount, MagicItem, SiegeEngine };

    // Lists the options of the kind of `current` (a magic item, a siege
    // engine, or else a mount) for `unit` of `type`, with `current`
    // selected. The dialog sits at (20, 20) of the army's view.
    OptionPickerDialog(const ArmyEditor& editor, QWidget* parent, const TroopTypeRecord& type,
                       const UnitEntry& unit, const TaggedObject* current);

    // Runs the dialog through the editor's services; returns the record
    // chosen, or none for Cancel, for closing the dialog and for Ok without
    // a row.
    static const TaggedObject* Pick(const ArmyEditor& editor, QWidget* parent, const TroopTypeRecord& type,
                                    const UnitEntry& unit, const TaggedObject* current);

    // The record of the selected row when the dialog was accepted, else none.
    const TaggedObject* chosen() const { return chosen_; }
    // The record a row stands for.
    static const TaggedObject* RowRecord(const QTreeWidgetItem* row);
    // The record of the selected row, or none.
    const TaggedObject* SelectedRecord() const;

    QTreeWidget* optionTree() const { return tree_; }
    // Typing finds: only the options whose name holds the text show.
    QLineEdit* findField() const { return find_; }
    QLineEdit* pointsField() const { return points_; }
    QPlainTextEdit* infoField() const { return info_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void Fill(const UnitEntry& unit, const TaggedObject* current);
    void ShowSelectedRow();
    void ChooseSelectedRow();
    // Shows only the rows whose name holds `text`; the selection moves to
    // the first of them when it was hidden.
    void Find(const QString& text);
    bool eventFilter(QObject* watched, QEvent* event) override;

    OptionKind kind_;
    QTreeWidget* tree_;
    QLineEdit* find_;
    QLineEdit* points_;
    QPlainTextEdit* info_;
    QPushButton* ok_;
    QPushButton* cancel_;
    const TroopTypeRecord& type_;
    const TaggedObject* chosen_ = nullptr;
};

} // namespace ovra
