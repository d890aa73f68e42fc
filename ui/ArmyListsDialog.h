// Help > Army lists: every army-list text the program read at start-up, in
// load order, with the nations each added or replaced and what `ovra lint`
// finds in it. The files are linted when the dialog opens, never at start-up.
#pragma once

#include "ArmyListLint.h"

#include <QDialog>

#include <vector>

class QPlainTextEdit;
class QTreeWidget;

namespace ovra {

class ArmyCatalogue;
struct UiMetrics;

class ArmyListsDialog : public QDialog {
    Q_OBJECT
public:
    ArmyListsDialog(const ArmyCatalogue& catalogue, const UiMetrics& metrics, QWidget* parent);

    // One top-level item per text read, its nations as children.
    QTreeWidget* listTree() const { return tree_; }
    // The lint lines of the text chosen in the tree.
    QPlainTextEdit* lintView() const { return lintView_; }

private:
    void ShowLint(int source);

    std::vector<LintedText> lint_;
    QTreeWidget* tree_;
    QPlainTextEdit* lintView_;
};

} // namespace ovra
