// The About box and the nation information dialog.
#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace ovra {

struct UiMetrics;

// Dialog units of the 8-point interface font, as dialog templates use them.
QSize DialogUnits(const UiMetrics& metrics, int x, int y);

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    CAboutDlg(const UiMetrics& metrics, QWidget* parent);
};

class CNationInfoDlg : public QDialog {
    Q_OBJECT
public:
    CNationInfoDlg(const UiMetrics& metrics, const QString& name, const QString& info, QWidget* parent);

    QLineEdit* nameField() const { return name_; }
    QPlainTextEdit* infoField() const { return info_; }

private:
    QLineEdit* name_;
    QPlainTextEdit* info_;
};

} // namespace ovra
