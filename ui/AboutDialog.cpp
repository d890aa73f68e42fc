#include "AboutDialog.h"

#include "UiMetrics.h"
#include "Version.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace ovra {

AboutDialog::AboutDialog(const UiMetrics& metrics, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(tr("About Ovra"));
    setFont(metrics.font);
    setFixedSize(metrics.DialogUnits(235, 73));

    auto* icon = new QLabel(this);
    const QRect iconRect = metrics.DialogRect(7, 7, 21, 20);
    icon->setGeometry(iconRect);
    icon->setPixmap(QApplication::windowIcon().pixmap(iconRect.size()));

    auto* text = new QLabel(QStringLiteral("Eldvarrow Army Generator V") + QLatin1String(kVersion), this);
    text->setObjectName(QStringLiteral("aboutText"));
    QRect textRect = metrics.DialogRect(40, 10, 119, 8);
    textRect.setHeight(2 * textRect.height());
    // The whole text, however wide the font draws it: the button and the
    // dialog move over to make room.
    const int needed = text->sizeHint().width() - textRect.width();
    const int extra = std::max(0, needed);
    textRect.setWidth(textRect.width() + extra);
    text->setGeometry(textRect);
    setFixedSize(metrics.DialogUnits(235, 73) + QSize(extra, 0));

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setGeometry(metrics.DialogRect(178, 7, 50, 14).translated(extra, 0));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    // Centred over the main window when it opens.
    if (parent != nullptr) {
        const QRect over = parent->window()->frameGeometry();
        move(over.center() - QPoint(width() / 2, height() / 2));
    }
}

} // namespace ovra
