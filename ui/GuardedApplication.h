// The window's QApplication. Running out of memory in the middle of any of
// the window's actions ends that action, not the program: the action's
// writes are taken back on the way out (an interrupted save leaves the
// previous file), and the player is told.
#pragma once

#include <QApplication>

#include <functional>

namespace ovra {

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);

    // How running out of memory is told; by default a message box.
    void SetOutOfMemoryHandler(std::function<void()> handler) { outOfMemory_ = std::move(handler); }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::function<void()> outOfMemory_;
};

} // namespace ovra
