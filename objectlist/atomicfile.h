// Saving a file without ever leaving a half-written one behind: the content goes to a
// temporary file beside the target, is flushed to disk, and only then renamed over the target.
// A crash, a full disk or an exception before commit() leaves the previous file as it was.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace duebell {

class AtomicFileWriter {
public:
    // Creates the temporary file in the target's folder; raises Exception when it cannot.
    explicit AtomicFileWriter(std::string targetPath);
    // Without commit() the temporary file is removed and the target stays untouched.
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    std::ostream& stream();
    // Flushes, syncs and renames over the target; raises Exception naming the file on any
    // write failure (the target then keeps its previous content).
    void commit();

    const std::string& temporaryPath() const { return temporaryPath_; }
    // The file replaced: the one a link leads to.
    const std::string& targetPath() const { return targetPath_; }

private:
    class FileBuffer;

    void discard() noexcept;

    std::string targetPath_;
    std::string temporaryPath_;
    std::unique_ptr<FileBuffer> buffer_;
    std::unique_ptr<std::ostream> stream_;
    bool committed_ = false;
};

// Commits the writers in turn as one change of their files: should a commit fail, the files
// already replaced get back what they held before (one that did not exist goes again), as far
// as that can be done, and the commit's failure is raised. What each target but the last holds
// is read before its commit, so the smallest files go first.
void CommitTogether(const std::vector<AtomicFileWriter*>& writers);

} // namespace duebell
