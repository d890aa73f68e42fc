#include "Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ovra {
namespace {

template <class Draw> QIcon Drawn(Draw draw) {
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 16.0, size / 16.0);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// A small banner: the unit the Army commands act on.
void Banner(QPainter& p) {
    p.setPen(QPen(QColor(60, 40, 20), 1.2));
    p.drawLine(QPointF(3, 2), QPointF(3, 15));
    p.setBrush(QColor(176, 40, 40));
    p.setPen(QPen(QColor(110, 20, 20), 0.8));
    QPainterPath flag;
    flag.moveTo(3.5, 2.5);
    flag.lineTo(11, 2.5);
    flag.lineTo(9, 5.5);
    flag.lineTo(11, 8.5);
    flag.lineTo(3.5, 8.5);
    flag.closeSubpath();
    p.drawPath(flag);
}

} // namespace

QIcon NewUnitIcon() {
    return Drawn([](QPainter& p) {
        Banner(p);
        p.setPen(QPen(QColor(20, 120, 30), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 9), QPointF(12, 15));
        p.drawLine(QPointF(9, 12), QPointF(15, 12));
    });
}

QIcon DeleteUnitIcon() {
    return Drawn([](QPainter& p) {
        Banner(p);
        p.setPen(QPen(QColor(200, 20, 20), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
        p.drawLine(QPointF(14.5, 9.5), QPointF(9.5, 14.5));
    });
}

QIcon MinMaxIcon() {
    return Drawn([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 80, 160));
        p.drawPolygon(QPolygonF({QPointF(8, 1), QPointF(13, 6), QPointF(3, 6)}));
        p.drawPolygon(QPolygonF({QPointF(8, 15), QPointF(13, 10), QPointF(3, 10)}));
        p.setPen(QPen(QColor(40, 40, 40), 1.4));
        p.drawLine(QPointF(2, 8), QPointF(14, 8));
    });
}

QIcon PrintIcon() {
    QIcon themed = QIcon::fromTheme(QStringLiteral("document-print"));
    if (!themed.isNull())
        return themed;
    return Drawn([](QPainter& p) {
        p.setPen(QPen(QColor(50, 50, 50), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(150, 150, 150));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
    });
}

QIcon ProgramIcon() {
    return Drawn([](QPainter& p) {
        // A shield with a crossed spear: an army builder's mark.
        QPainterPath shield;
        shield.moveTo(8, 1);
        shield.lineTo(14, 3);
        shield.cubicTo(14, 10, 11, 13, 8, 15);
        shield.cubicTo(5, 13, 2, 10, 2, 3);
        shield.closeSubpath();
        p.setPen(QPen(QColor(90, 60, 20), 1));
        p.setBrush(QColor(176, 40, 40));
        p.drawPath(shield);
        p.setPen(QPen(QColor(240, 210, 120), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 11), QPointF(11, 4));
        p.drawLine(QPointF(5, 4), QPointF(11, 11));
    });
}

} // namespace ovra
