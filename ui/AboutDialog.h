// The About box: the program's icon, name and version.
#pragma once

#include <QDialog>

namespace ovra {

struct UiMetrics;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(const UiMetrics& metrics, QWidget* parent);
};

} // namespace ovra
