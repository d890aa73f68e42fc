// The count grid: a small popup beside a troop-type row of the unit list
// from which the number of units of that type is picked directly. It shows
// 0 to 41, those outside the type's bounds in red and the current count on
// green, and ends with the number clicked or -1 for a click anywhere else.
#pragma once

#include "UnitListPainting.h"

#include <QWidget>

class QEventLoop;

namespace ovra {

class Army;
struct TroopTypeRecord;
struct UiMetrics;

class CountPopup : public QWidget {
    Q_OBJECT
public:
    // A popup window, not yet shown; `parent` is the tree it belongs to.
    CountPopup(const Army& army, const TroopTypeRecord& type, const UiMetrics& metrics, QWidget* parent);
    ~CountPopup() override;

    // Shows the grid if it is hidden and runs its modal loop until a click
    // or a key ends it; returns the number chosen or -1.
    int Exec();
    // Marks the current count, as the grid opened from the keyboard does:
    // the arrow keys move the mark, digits type a number, Enter takes it.
    void MarkCurrentCount();

    const TroopTypeRecord& troopType() const { return type_; }
    const CountGridGeometry& geometry() const { return grid_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void End(int result);
    void Mark(int cell);

    const Army& army_;
    const TroopTypeRecord& type_;
    const UiMetrics& metrics_;
    int current_;
    CountGridGeometry grid_;
    int hover_ = -1; // the marked cell, under the mouse or the keyboard's
    QString typed_;  // digits typed so far
    int result_ = -1;
    bool ended_ = false;
    QEventLoop* loop_ = nullptr;
};

} // namespace ovra
