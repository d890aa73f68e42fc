#include "UiMetrics.h"

#include <QFontDatabase>
#include <QFontMetrics>

namespace ovra {

UiMetrics UiMetrics::Measure() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return ForFont(font);
}

UiMetrics UiMetrics::ForFont(const QFont& font) {
    UiMetrics metrics;
    metrics.font = font;
    const QFontMetrics fm(font);
    metrics.textAscent = fm.ascent();
    metrics.digitWidth = fm.horizontalAdvance(QStringLiteral("8888888888")) / 10;
    return metrics;
}

QSize UiMetrics::DialogUnits(int x, int y) const {
    const QFontMetrics fm(font);
    const int baseX = std::max(1, fm.averageCharWidth());
    const int baseY = std::max(1, fm.height());
    return QSize(x * baseX / 4, y * baseY / 8);
}

QRect UiMetrics::DialogRect(int x, int y, int width, int height) const {
    const QSize origin = DialogUnits(x, y);
    const QSize size = DialogUnits(width, height);
    return QRect(QPoint(origin.width(), origin.height()), size);
}

} // namespace ovra
