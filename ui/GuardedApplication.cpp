#include "GuardedApplication.h"

#include <QMessageBox>

#include <new>

namespace ovra {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {
    outOfMemory_ = [] {
        QMessageBox::critical(
            nullptr, QStringLiteral("Ovra"),
            QCoreApplication::translate("ovra::GuardedApplication",
                                        "There is not enough memory for what was asked; it was "
                                        "not done, and no file was changed."));
    };
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        if (outOfMemory_)
            outOfMemory_();
        return false;
    }
}

} // namespace ovra
