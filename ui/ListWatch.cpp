#include "ListWatch.h"

#include "FileNames.h"
#include "SettledWatch.h"

#include "FileIo.h"
#include "ListSnapshot.h"

#include <QFile>

#include <algorithm>

namespace ovra {
namespace {

// A list author's editor writes, renames and touches in a burst.
constexpr int kSettleMilliseconds = 400;

std::vector<std::filesystem::path> ListFiles(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->path().extension() == ".dfm" && it->is_regular_file(error))
            files.push_back(it->path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

ListWatch::ListWatch(std::vector<std::filesystem::path> folders, QObject* parent)
    : QObject(parent), folders_(std::move(folders)) {
    watch_ = new SettledWatch(kSettleMilliseconds, this);
    connect(watch_, &SettledWatch::settled, this, &ListWatch::Check);
    fingerprint_ = Fingerprint();
    Rewatch();
}

std::string ListWatch::Fingerprint() const {
    std::string print;
    for (const std::filesystem::path& folder : folders_) {
        for (const std::filesystem::path& file : ListFiles(folder)) {
            std::string bytes;
            std::string error;
            print += file.native();
            print += '\0';
            if (ReadFileBytes(file, bytes, error))
                print += std::to_string(bytes.size()) + ':' + std::to_string(ArmyFileHash(bytes));
            print += '\n';
        }
    }
    return print;
}

void ListWatch::Rewatch() {
    QStringList paths;
    for (const std::filesystem::path& folder : folders_) {
        std::error_code error;
        // A folder that is not there yet is made in its parent.
        const std::filesystem::path present =
            std::filesystem::is_directory(folder, error) ? folder : folder.parent_path();
        if (!present.empty() && std::filesystem::is_directory(present, error))
            paths << ShownPath(present);
        for (const std::filesystem::path& file : ListFiles(folder))
            paths << ShownPath(file);
    }
    watch_->Watch(paths);
}

void ListWatch::Check() {
    std::string now = Fingerprint();
    Rewatch();
    if (now == fingerprint_)
        return;
    fingerprint_ = std::move(now);
    emit listsChanged();
}

} // namespace ovra
