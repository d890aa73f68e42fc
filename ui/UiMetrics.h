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

    // Height of a FieldBox: every row and field of the window has it.
    int RowHeight() const { return textAscent + 4; }
    // Keeps left and top; n digits wide and one ascent high.
    QRect FieldRect(const QRect& rect, int digits) const;
    // FieldRect grown by 2 pixels on every side, then moved 2 right and 2 down.
    QRect FieldBox(const QRect& rect, int digits) const;
    // Dialog units of the font, as dialog templates use them: x in quarters
    // of the average character width, y in eighths of the line height.
    QSize DialogUnits(int x, int y) const;
    QRect DialogRect(int x, int y, int width, int height) const;
};

} // namespace ovra
