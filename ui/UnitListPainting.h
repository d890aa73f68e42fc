// Geometry, colours and texts of the unit list and its count grid, kept apart
// from the widgets so that they can be checked without painting anything.
// Rectangles are built from edges: right and bottom are exclusive.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QString>

class QPainter;

namespace ovra {

class Army;
struct TaggedObject;

// The window's colours. Under a light palette they are the program's own:
// grey panes, white boxes, black text and pure red. Under a dark palette
// (a dark desktop theme, or a style's dark palette) they follow the
// palette, with a red and a green that read on it.
bool DarkLook();
QColor PaneBackground();
QColor BoxBackground();
QColor BoxText();
// Warnings: a broken bound, a total over the limit, a choice that breaks a limit.
QColor WarningRed();
QColor PopupYellow();
QColor CurrentCountGreen();
// The bevel of the painted option buttons: light, shadow and dark edges.
QColor BevelLight();
QColor BevelShadow();
QColor BevelDark();

// The contrast ratio of two colours as accessibility guidelines define it,
// from 1 (the same) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);
// `preferred`, darkened or lightened as little as needed to stand out from
// `background` by `ratio`.
QColor Readable(const QColor& preferred, const QColor& background, double ratio = 4.5);

// A rectangle from its four edges; an inverted one becomes empty.
QRect EdgeRect(int left, int top, int right, int bottom);
// Exclusive right and bottom edges of a rectangle.
inline int RightEdge(const QRect& r) {
    return r.left() + r.width();
}
inline int BottomEdge(const QRect& r) {
    return r.top() + r.height();
}
// A 1-pixel frame drawn inside the rectangle.
void FrameRect(QPainter& painter, const QRect& rect, const QColor& colour);

// --- unit list rows

struct UnitRowCells {
    QRect count;      // where the number of units is drawn
    QRect countFrame; // the frame around it, 2 pixels shorter
    QRect name;
    QRect points;
};
// `row` is the row rectangle the tree gives; `pointsColumnWidth` the pane's.
UnitRowCells UnitRowGeometry(const QRect& row, int digitWidth, int pointsColumnWidth);
// Widens the count frame (when `count` is not empty) and the points cell of
// one row to hold their texts whole, taking the room from the name.
void FitRowCells(UnitRowCells& cells, const QFontMetrics& metrics, const QString& count,
                 const QString& points);

// What one row of the list shows.
struct UnitRowContent {
    bool troopType = false; // troop-type rows have a count cell, unit rows none
    int count = 0;
    bool countInBounds = true;
    bool nameInBreach = false; // a unit whose mount or magic item breaks its rule
    QString name;
    QString points;
};
UnitRowContent DescribeRow(const Army& army, const TaggedObject& record);

// --- summary boxes under the tree; `client` is the pane's client rectangle

// Each is as wide as the program has always made it (five digits for the
// total, two for the breakpoint), wider when `text` needs more room in `font`.
QRect TotalBox(const QRect& client, int digitWidth, int rowHeight, const QFont& font = {},
               const QString& text = {});
QRect BreakpointBox(const QRect& client, int digitWidth, int rowHeight, const QFont& font = {},
                    const QString& text = {});
// The text rectangle inside a summary box.
QRect SummaryTextRect(const QRect& box);
QColor TotalColour(const Army& army);

// --- count grid: 42 cells, 0 to 41, six per row

inline constexpr int kCountCells = 42;
inline constexpr int kCountColumns = 6;
inline constexpr int kCountRows = 7;

// Cells are at least 16 x 14 pixels, and wide enough for two digits with
// room between neighbours.
struct CountGridGeometry {
    int cellWidth = 16;
    int cellHeight = 14;

    static CountGridGeometry For(const QFont& font);
    QSize Size() const { return {kCountColumns * cellWidth + 4, kCountRows * cellHeight + 2}; }
    QRect CellRect(int cell) const;
    // The cell under a client point, or -1.
    int CellAt(const QPoint& point) const;
};
// Top-left corner of a grid `height` high in tree coordinates: right of the
// row's first 20 pixels, lifted when it would reach the tree's bottom.
QPoint CountPopupOrigin(const QRect& row, int treeClientBottom, int height);
// Left-button clicks up to this x open the grid on a troop-type row.
inline constexpr int kCountClickWidth = 20;

} // namespace ovra
