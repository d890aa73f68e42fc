#include "UnitListPainting.h"

#include "Win1252.h"

#include "Army.h"
#include "ArmyChecker.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace ovra {

bool DarkLook() {
    return QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
}

namespace {
QColor FromPalette(QPalette::ColorRole role) {
    return QGuiApplication::palette().color(QPalette::Active, role);
}
} // namespace

QColor PaneBackground() {
    return DarkLook() ? FromPalette(QPalette::Window) : QColor(192, 192, 192);
}
QColor BoxBackground() {
    return DarkLook() ? FromPalette(QPalette::Base) : QColor(Qt::white);
}
QColor BoxText() {
    return DarkLook() ? FromPalette(QPalette::Text) : QColor(Qt::black);
}
QColor WarningRed() {
    return DarkLook() ? Readable(QColor(255, 0, 0), BoxBackground()) : QColor(255, 0, 0);
}
QColor PopupYellow() {
    return DarkLook() ? FromPalette(QPalette::AlternateBase) : QColor(255, 255, 200);
}
QColor CurrentCountGreen() {
    return DarkLook() ? QColor(0, 110, 0) : QColor(0, 255, 0);
}
QColor BevelLight() {
    return DarkLook() ? FromPalette(QPalette::Light) : QColor(Qt::white);
}
QColor BevelShadow() {
    return DarkLook() ? FromPalette(QPalette::Dark) : QColor(128, 128, 128);
}
QColor BevelDark() {
    return DarkLook() ? FromPalette(QPalette::Shadow) : QColor(Qt::black);
}

namespace {

double Luminance(const QColor& c) {
    const auto linear = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Readable(const QColor& preferred, const QColor& background, double ratio) {
    // Toward black on a light background, toward white on a dark one.
    const bool darken = Luminance(background) > 0.18;
    QColor colour = preferred;
    for (int step = 0; step < 64 && ContrastRatio(colour, background) < ratio; ++step) {
        const auto move = [darken](int v) { return darken ? std::max(0, v - 8) : std::min(255, v + 8); };
        colour = QColor(move(colour.red()), move(colour.green()), move(colour.blue()));
    }
    return colour;
}

QRect EdgeRect(int left, int top, int right, int bottom) {
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

void FrameRect(QPainter& painter, const QRect& rect, const QColor& colour) {
    if (rect.isEmpty())
        return;
    painter.fillRect(rect.left(), rect.top(), rect.width(), 1, colour);
    painter.fillRect(rect.left(), BottomEdge(rect) - 1, rect.width(), 1, colour);
    painter.fillRect(rect.left(), rect.top(), 1, rect.height(), colour);
    painter.fillRect(RightEdge(rect) - 1, rect.top(), 1, rect.height(), colour);
}

UnitRowCells UnitRowGeometry(const QRect& row, int digitWidth, int pointsColumnWidth) {
    const int left = row.left();
    const int top = row.top();
    const int right = RightEdge(row);
    const int bottom = BottomEdge(row);
    const int k = 2 * digitWidth + 4; // a two-digit field box
    UnitRowCells cells;
    cells.count = EdgeRect(left, top + 1, left + k, bottom);
    cells.countFrame = EdgeRect(left, top + 1, left + k, bottom - 2);
    cells.name = EdgeRect(left + k + 1, top, right - 2 - pointsColumnWidth, bottom);
    cells.points = EdgeRect(RightEdge(cells.name) + 1, top, right - 1, bottom);
    return cells;
}

void FitRowCells(UnitRowCells& cells, const QFontMetrics& metrics, const QString& count,
                 const QString& points) {
    const int countWidth = metrics.horizontalAdvance(count) + 4;
    if (!count.isEmpty() && countWidth > cells.countFrame.width()) {
        cells.countFrame.setWidth(countWidth);
        cells.name.setLeft(cells.countFrame.right() + 2);
    }
    const int pointsWidth = metrics.horizontalAdvance(points) + 2;
    if (pointsWidth > cells.points.width()) {
        cells.points.setLeft(cells.points.right() + 1 - pointsWidth);
        cells.name.setRight(cells.points.left() - 1);
    }
}

UnitRowContent DescribeRow(const Army& army, const TaggedObject& record) {
    UnitRowContent content;
    if (record.kind == kKindUnitEntry) {
        const auto& entry = static_cast<const UnitEntry&>(record);
        content.name = FromWin1252(entry.name());
        content.points = QString::number(entry.Points());
        content.nameInBreach = UnitBreaksOptionRule(entry);
        return content;
    }
    const auto& type = static_cast<const TroopTypeRecord&>(record);
    content.troopType = true;
    content.count = army.CountOfType(type.code());
    content.countInBounds = StandingOf(army, type).InBounds();
    content.name = FromWin1252(type.name);
    content.points = QString::number(army.PointsOfType(type.code()));
    return content;
}

namespace {

// The room `text` needs beyond what `width` gives inside a summary box.
int Widening(int width, const QFont& font, const QString& text) {
    if (text.isEmpty())
        return 0;
    const QRect inside = SummaryTextRect(QRect(0, 0, width, 20));
    return std::max(0, QFontMetrics(font).horizontalAdvance(text) + 1 - inside.width());
}

} // namespace

QRect TotalBox(const QRect& client, int digitWidth, int rowHeight, const QFont& font, const QString& text) {
    const int bottom = BottomEdge(client);
    const int width = 5 * digitWidth + 4 + 5 - 2;
    const int left = RightEdge(client) - (5 * digitWidth + 4) - 5 - Widening(width, font, text);
    return EdgeRect(left, bottom - rowHeight - 2, RightEdge(client) - 2, bottom - 2);
}

QRect BreakpointBox(const QRect& client, int digitWidth, int rowHeight, const QFont& font,
                    const QString& text) {
    const int bottom = BottomEdge(client);
    const int width = 2 * digitWidth + 9 - 2;
    return EdgeRect(client.left() + 2, bottom - rowHeight - 2,
                    client.left() + 2 * digitWidth + 9 + Widening(width, font, text), bottom - 2);
}

QRect SummaryTextRect(const QRect& box) {
    return box.adjusted(3, 1, -3, -1);
}

QColor TotalColour(const Army& army) {
    return OverPointsLimit(army) ? WarningRed() : BoxText();
}

CountGridGeometry CountGridGeometry::For(const QFont& font) {
    const QFontMetrics fm(font);
    CountGridGeometry grid;
    grid.cellWidth = std::max(grid.cellWidth, fm.horizontalAdvance(QStringLiteral("88")) + 6);
    grid.cellHeight = std::max(grid.cellHeight, fm.height() + 2);
    return grid;
}

QRect CountGridGeometry::CellRect(int cell) const {
    const int column = cell % kCountColumns;
    const int row = cell / kCountColumns;
    return QRect(cellWidth * column + 1, cellHeight * row + 1, cellWidth, cellHeight);
}

int CountGridGeometry::CellAt(const QPoint& point) const {
    if (point.x() < 1 || point.y() < 1)
        return -1;
    const int row = (point.y() - 1) / cellHeight;
    const int column = (point.x() - 1) / cellWidth;
    if (row >= kCountRows || column >= kCountColumns)
        return -1;
    return column + kCountColumns * row;
}

QPoint CountPopupOrigin(const QRect& row, int treeClientBottom, int height) {
    int top = row.top();
    if (top + height > treeClientBottom - 5)
        top = BottomEdge(row) - height;
    return QPoint(row.left() + kCountClickWidth, top);
}

} // namespace ovra
