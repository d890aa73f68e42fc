#include "SettledWatch.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

namespace ovra {

SettledWatch::SettledWatch(int settleMilliseconds, QObject* parent) : QObject(parent) {
    watcher_ = new QFileSystemWatcher(this);
    settle_ = new QTimer(this);
    settle_->setSingleShot(true);
    settle_->setInterval(settleMilliseconds);
    connect(watcher_, &QFileSystemWatcher::fileChanged, settle_, qOverload<>(&QTimer::start));
    connect(watcher_, &QFileSystemWatcher::directoryChanged, settle_, qOverload<>(&QTimer::start));
    connect(settle_, &QTimer::timeout, this, &SettledWatch::settled);
}

void SettledWatch::Watch(const QStringList& paths) {
    const QStringList watched = watcher_->files() + watcher_->directories();
    if (!watched.isEmpty())
        watcher_->removePaths(watched);
    QStringList present;
    for (const QString& path : paths)
        if (QFileInfo::exists(path) && !present.contains(path))
            present << path;
    if (!present.isEmpty())
        watcher_->addPaths(present);
}

} // namespace ovra
