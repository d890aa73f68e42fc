// Watches files and folders and tells once a burst of their events has
// settled: a program saving a file writes, renames and touches in a burst,
// and the file is looked at once, after the last of them.
#pragma once

#include <QObject>
#include <QStringList>

class QFileSystemWatcher;
class QTimer;

namespace ovra {

class SettledWatch : public QObject {
    Q_OBJECT
public:
    SettledWatch(int settleMilliseconds, QObject* parent);

    // Watches these files and folders, those that exist, instead of the ones
    // watched so far.
    void Watch(const QStringList& paths);

signals:
    void settled();

private:
    QFileSystemWatcher* watcher_;
    QTimer* settle_;
};

} // namespace ovra
