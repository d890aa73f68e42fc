// Watches the army-list folders. Once a burst of file events has settled,
// it tells whether the "*.dfm" files hold other bytes than when it last
// looked: a file added, changed or removed, not one merely touched.
#pragma once

#include <QObject>

#include <filesystem>
#include <string>
#include <vector>

namespace ovra {

class SettledWatch;

class ListWatch : public QObject {
    Q_OBJECT
public:
    explicit ListWatch(std::vector<std::filesystem::path> folders, QObject* parent = nullptr);

    // Looks at the folders now; emits listsChanged when their lists differ.
    void Check();

signals:
    void listsChanged();

private:
    // Every "*.dfm" file of the folders, in the order they are read, with
    // what it holds.
    std::string Fingerprint() const;
    void Rewatch();

    std::vector<std::filesystem::path> folders_;
    std::string fingerprint_;
    SettledWatch* watch_;
};

} // namespace ovra
