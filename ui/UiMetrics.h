// The user-interface font and the two measurements all pane geometry derives
// from: the font's ascent and the width of one digit, taken once at start-up.
#pragma once

#include <QFont>
#include <QRect>

namespace ovra {

struct UiMetrics {
    QFont font;
    int textAscent = 0;
    int digitWidth = 0;

    // An 8-point sans-serif font and its measurements on the screen.
    static UiMetrics Measure();
    // Measurements of a given font (for tests and for fixed values).
    static UiMetrics ForFont(const QFont& font);

    // Every row and field of the window is one row high.
    int RowHeight() const { return textAscent + 4; }
    // Dialog units of the font, as dialog templates use them: x in quarters
    // of the average character width, y in eighths of the line height.
    QSize DialogUnits(int x, int y) const;
    QRect DialogRect(int x, int y, int width, int height) const;
};

} // namespace ovra
