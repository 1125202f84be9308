#include "app/main/datafolderlock.h"

#include "objectlist/exceptions.h"

#include <QDir>

namespace duebell {

DataFolderLock::DataFolderLock(const std::string& folder) : folder_(folder) {}

DataFolderLock::~DataFolderLock() = default;

void DataFolderLock::Lock() {
    const QString folder = QString::fromStdString(folder_);
    const std::string cannotWrite = "Duebell cannot write to its data folder \"" + folder_ +
                                    "\".  Start it with --data-dir and a folder you may write to.";
    if (!QDir().mkpath(folder))
        throw Exception(cannotWrite);
    lock_ = std::make_unique<QLockFile>(QDir(folder).filePath(DataFolderLockName));
    // Only a lock whose process is gone is stale, however old it is.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0))
        return;
    if (lock_->error() == QLockFile::LockFailedError)
        throw Exception("Duebell is already running on the data in \"" + folder_ +
                        "\".  Close it before starting Duebell again.");
    throw Exception(cannotWrite);
}

} // namespace duebell
