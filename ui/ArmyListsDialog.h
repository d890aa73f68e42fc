// Help > Army lists: every army-list text the program read, in load order,
// with the nations each added or replaced and what `ovra lint` finds in it;
// for a file that changed since the last start, what changed in it. The
// files are linted when the dialog opens, never at start-up.
#pragma once

#include "ArmyListLint.h"

#include <QDialog>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace ovra {

class ArmyCatalogue;
struct ArmyListSource;
struct UiMetrics;

class ArmyListsDialog : public QDialog {
    Q_OBJECT
public:
    // `earlier` holds the bytes at the last start of the files that changed since.
    ArmyListsDialog(const ArmyCatalogue& catalogue, const UiMetrics& metrics,
                    const std::map<std::filesystem::path, std::string>& earlier, QWidget* parent);

    // One top-level item per text read, its nations as children.
    QTreeWidget* listTree() const { return tree_; }
    // The lint lines of the text chosen in the tree.
    QPlainTextEdit* lintView() const { return lintView_; }
    // Shows in the view what changed in the chosen file since the last start.
    QPushButton* compareButton() const { return compare_; }

private:
    void ShowLint(int source);
    void ShowChanges(int source);

    const std::vector<ArmyListSource>& sources_;
    const std::map<std::filesystem::path, std::string>& earlier_;
    std::vector<LintedText> lint_;
    QTreeWidget* tree_;
    QPlainTextEdit* lintView_;
    QPushButton* compare_;
};

} // namespace ovra
