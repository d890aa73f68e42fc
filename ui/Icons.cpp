#include "Icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <array>
#include <iterator>

namespace ovra {
namespace {

// An icon drawn at run time, at each size only when that size is first
// shown: the tool bar needs 16 pixels alone, the window manager takes the
// program icon at every size. It picks, scales and greys its pixmaps as an
// icon of ready-made pixmaps of the same sizes does.
class DrawnIconEngine : public QIconEngine {
public:
    using Draw = void (*)(QPainter&);
    explicit DrawnIconEngine(Draw draw) : draw_(draw) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, scaledPixmap(rect.size() * ratio, mode, state, ratio));
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = SideFor(size);
        return QSize(side, side).scaled(size.boundedTo(QSize(side, side)), Qt::KeepAspectRatio);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const int side = SideFor(size);
        QPixmap& drawn = drawn_[SideIndex(side)];
        if (drawn.isNull())
            drawn = Render(side);
        QPixmap result = drawn;
        const QSize shown = actualSize(size, mode, state);
        if (result.size() != shown)
            result = result.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (mode != QIcon::Normal) {
            QStyleOption option(0);
            option.palette = QGuiApplication::palette();
            const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, result, &option);
            if (!generated.isNull())
                result = generated;
        }
        return result;
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int side : kSides)
            sizes.push_back(QSize(side, side));
        return sizes;
    }
    QIconEngine* clone() const override { return new DrawnIconEngine(*this); }

private:
    static constexpr int kSides[] = {16, 24, 32, 48};

    // The smallest side that covers the size asked for, else the largest.
    static int SideFor(const QSize& size) {
        const qint64 wanted = qint64(size.width()) * size.height();
        for (int side : kSides)
            if (qint64(side) * side >= wanted)
                return side;
        return kSides[std::size(kSides) - 1];
    }
    static std::size_t SideIndex(int side) {
        return static_cast<std::size_t>(std::find(std::begin(kSides), std::end(kSides), side) -
                                        std::begin(kSides));
    }
    QPixmap Render(int side) const {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(side / 16.0, side / 16.0);
        draw_(painter);
        painter.end();
        return pixmap;
    }

    Draw draw_;
    std::array<QPixmap, std::size(kSides)> drawn_;
};

QIcon Drawn(DrawnIconEngine::Draw draw) {
    return QIcon(new DrawnIconEngine(draw));
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
    // Once the application has this icon, its windows share it and with it
    // the sizes already drawn.
    static qint64 made = 0;
    QIcon application = QGuiApplication::windowIcon();
    if (made != 0 && application.cacheKey() == made)
        return application;
    QIcon icon = Drawn([](QPainter& p) {
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
    made = icon.cacheKey();
    return icon;
}

} // namespace ovra
