#include "Dialogs.h"

#include "Metrics.h"

#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace ovra {

QSize DialogUnits(const UiMetrics& metrics, int x, int y) {
    const QFontMetrics fm(metrics.font);
    const int baseX = std::max(1, fm.averageCharWidth());
    const int baseY = std::max(1, fm.height());
    return QSize(x * baseX / 4, y * baseY / 8);
}

namespace {

QRect DialogRect(const UiMetrics& metrics, int x, int y, int width, int height) {
    const QSize origin = DialogUnits(metrics, x, y);
    const QSize size = DialogUnits(metrics, width, height);
    return QRect(QPoint(origin.width(), origin.height()), size);
}

} // namespace

CAboutDlg::CAboutDlg(const UiMetrics& metrics, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QStringLiteral("About Ovra"));
    setFont(metrics.font);
    setFixedSize(DialogUnits(metrics, 235, 73));

    auto* icon = new QLabel(this);
    const QRect iconRect = DialogRect(metrics, 7, 7, 21, 20);
    icon->setGeometry(iconRect);
    icon->setPixmap(QApplication::windowIcon().pixmap(iconRect.size()));

    auto* text = new QLabel(QStringLiteral("Eldvarrow Army Generator V1.41"), this);
    text->setObjectName(QStringLiteral("aboutText"));
    const QRect textRect = DialogRect(metrics, 40, 10, 119, 8);
    text->setGeometry(textRect.adjusted(0, 0, 0, textRect.height()));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(DialogRect(metrics, 178, 7, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    // Centred over the main window when it opens.
    if (parent != nullptr) {
        const QRect over = parent->window()->frameGeometry();
        move(over.center() - QPoint(width() / 2, height() / 2));
    }
}

CNationInfoDlg::CNationInfoDlg(const UiMetrics& metrics, const QString& name, const QString& info,
                               QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("nationInfoDialog"));
    setWindowTitle(QStringLiteral("Nation info"));
    setFont(metrics.font);
    setFixedSize(DialogUnits(metrics, 227, 206));

    name_ = new QLineEdit(name, this);
    name_->setObjectName(QStringLiteral("nationName"));
    name_->setReadOnly(true);
    name_->setGeometry(DialogRect(metrics, 7, 7, 213, 14));
    name_->setCursorPosition(0);

    info_ = new QPlainTextEdit(this);
    info_->setObjectName(QStringLiteral("nationInfo"));
    info_->setReadOnly(true);
    info_->setPlainText(info);
    info_->setGeometry(DialogRect(metrics, 7, 25, 213, 153));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(DialogRect(metrics, 173, 185, 47, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace ovra
