#include "NationInfoDialog.h"

#include "UiMetrics.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace ovra {

NationInfoDialog::NationInfoDialog(const UiMetrics& metrics, const QString& name, const QString& info,
                                   QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("nationInfoDialog"));
    setWindowTitle(tr("Nation info"));
    setFont(metrics.font);
    setFixedSize(metrics.DialogUnits(227, 206));

    name_ = new QLineEdit(name, this);
    name_->setObjectName(QStringLiteral("nationName"));
    name_->setReadOnly(true);
    name_->setGeometry(metrics.DialogRect(7, 7, 213, 14));
    name_->setCursorPosition(0);

    info_ = new QPlainTextEdit(this);
    info_->setObjectName(QStringLiteral("nationInfo"));
    info_->setReadOnly(true);
    info_->setPlainText(info);
    info_->setGeometry(metrics.DialogRect(7, 25, 213, 153));

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setGeometry(metrics.DialogRect(173, 185, 47, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace ovra
