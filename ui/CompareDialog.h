// Army > Compare with...: two armies side by side. Per troop type the units
// each fields and their points; per unit its name, mount, magic item, siege
// engine, runners and points, what only one army holds in italics and what
// differs in red; and each army's points limit, total and breakpoint with
// the difference.
#pragma once

#include "ArmyDiff.h"

#include <QDialog>

class QTreeWidget;

namespace ovra {

struct UiMetrics;

class CompareDialog : public QDialog {
    Q_OBJECT
public:
    // `titleA` and `titleB` name the two armies in the column headers.
    CompareDialog(const ArmyDiff& diff, const QString& titleA, const QString& titleB,
                  const UiMetrics& metrics, QWidget* parent);

    QTreeWidget* table() const { return table_; }

private:
    QTreeWidget* table_;
};

} // namespace ovra
