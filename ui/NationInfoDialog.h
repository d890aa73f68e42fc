// The nation information dialog: the nation's name and its description.
#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace ovra {

struct UiMetrics;

class NationInfoDialog : public QDialog {
    Q_OBJECT
public:
    NationInfoDialog(const UiMetrics& metrics, const QString& name, const QString& info, QWidget* parent);

    QLineEdit* nameField() const { return name_; }
    QPlainTextEdit* infoField() const { return info_; }

private:
    QLineEdit* name_;
    QPlainTextEdit* info_;
};

} // namespace ovra
