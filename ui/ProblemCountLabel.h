// The status bar's count of broken rules: a label no taller than the status
// text, red while there is a problem, that opens the breach list when clicked.
#pragma once

#include <QLabel>

namespace ovra {

class ProblemCountLabel : public QLabel {
    Q_OBJECT
public:
    explicit ProblemCountLabel(QWidget* parent);

    void SetCount(std::size_t count);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace ovra
