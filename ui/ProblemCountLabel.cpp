#include "ProblemCountLabel.h"

#include "BreachText.h"
#include "UnitListPainting.h"

#include <QMouseEvent>

namespace ovra {

ProblemCountLabel::ProblemCountLabel(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("problemCount"));
    setCursor(Qt::PointingHandCursor);
    setToolTip(tr("List the rules the army breaks (Ctrl+K)"));
    setContentsMargins(4, 0, 4, 0);
}

void ProblemCountLabel::SetCount(std::size_t count) {
    setText(ProblemCount(count));
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText,
                     count == 0 ? parentWidget()->palette().color(QPalette::WindowText) : WarningRed());
    setPalette(colours);
}

void ProblemCountLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QLabel::mousePressEvent(event);
}

} // namespace ovra
