// One program at a time on a data folder. Two copies saving into one folder would each write
// over the other's changes; the first copy holds a lock file in the folder for its whole run,
// and a second start is refused before it touches any file. The lock of a copy that crashed is
// taken over (its process is gone).
#pragma once

#include <QLockFile>
#include <memory>
#include <string>

namespace duebell {

inline constexpr const char* DataFolderLockName = ".duebell.lock";

class DataFolderLock {
public:
    explicit DataFolderLock(const std::string& folder);
    ~DataFolderLock(); // unlocks

    // Takes the lock, creating the folder when it does not exist. Raises an Exception with a
    // message for the user when another copy holds it or the folder cannot be written.
    void Lock();

private:
    std::string folder_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace duebell
