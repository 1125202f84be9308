#include "app/main/dataarchive.h"
#include "app/main/datafolderlock.h"
#include "domain/datafiles.h"
#include "objectlist/exceptions.h"
#include "zip/unzipper.h"
#include "zip/zipexceptions.h"
#include "zip/zipmessages.h"
#include "zip/zipper.h"

#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace duebell {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void RefuseExport(const std::string& archiveName, const std::string& reason) {
    throw Exception("Cannot export to \"" + archiveName + "\": " + reason);
}

// A rename is on the disk only once its folder is.
void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// The file a name stands for: a link is followed to what it points at (a dangling one to the
// name it would create), so the rename replaces the target and leaves the link a link.
fs::path FollowLinks(const std::string& archiveName) {
    fs::path path = fs::absolute(archiveName);
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(path, error)) {
            const fs::path canonical = fs::weakly_canonical(path, error);
            return error ? path : canonical;
        }
        const fs::path pointed = fs::read_symlink(path, error);
        if (error)
            RefuseExport(archiveName, error.message());
        path = (path.parent_path() / pointed).lexically_normal();
    }
    RefuseExport(archiveName, "it is a link that leads round in a circle.");
}

bool SameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return a == fs::weakly_canonical(b, error);
}

// The data folder's own files are never replaced by an archive.
void RefuseOwnFiles(const std::string& archiveName, const fs::path& target,
                    const std::string& dataFolder) {
    for (const char* own : {DataFileName, ConfigurationFileName, DataFolderLockName})
        if (SameFile(target, fs::path(dataFolder) / own))
            RefuseExport(archiveName, "it is Duebell's own " + std::string(own) +
                                          ", which an export never replaces.");
}

// An existing file is replaced only when it is an archive; anything else stays as it was.
void RefuseWhatIsNoArchive(const fs::path& target) {
    std::error_code error;
    // A folder is never replaced: the rename says why.
    if (!fs::exists(target, error) || fs::is_directory(target, error))
        return;
    zip::TUnZipper reader;
    reader.IncompleteZipMode = zip::TIncompleteZipMode::izAssumeNotAZip;
    try {
        reader.SetZipName(target.string());
        reader.OpenArchive();
    } catch (const Exception&) {
        throw zip::EIncompleteZip(zip::msg::IncompleteZip);
    }
}

} // namespace

void ExportDataArchive(const std::string& archiveName, const std::string& dataFolder,
                       const WorkProgress& progress) {
    // In hundredths: the two copies written, then the compression.
    const auto report = [&](std::size_t done) {
        if (progress)
            progress(done, 100);
    };
    // The load's error names the file and says why it could not be read.
    if (const std::optional<UnreadFile> unread = UnreadLiveFile())
        throw Exception("Cannot export: " + unread->error +
                        "  An export now would not hold what that file holds.");
    const fs::path target = FollowLinks(archiveName);
    RefuseOwnFiles(archiveName, target, dataFolder);
    RefuseWhatIsNoArchive(target);

    QTemporaryDir copies;
    if (!copies.isValid())
        RefuseExport(archiveName,
                     "no temporary folder (" + copies.errorString().toStdString() + ")");
    const std::string dataCopy = copies.filePath(DataFileName).toStdString();
    const std::string configurationCopy = copies.filePath(ConfigurationFileName).toStdString();
    SaveDataFile(dataCopy);
    SaveConfigurationFile(configurationCopy);
    report(30);

    // A new archive every time (an existing one would be updated, keeping its other entries),
    // made in a folder beside the target so that it can be renamed over it.
    QTemporaryDir beside(QString::fromStdString(
        (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string()));
    if (!beside.isValid())
        RefuseExport(archiveName, beside.errorString().toStdString());
    const std::string written = beside.filePath(QStringLiteral("archive.mvd")).toStdString();

    zip::TZipper zipper;
    zipper.PackLevel = 6;
    zipper.SetStorePaths(false);
    zipper.DoProcessMessages = false;
    zipper.OnTotalPercentDone = [&](int percent) {
        report(30 + static_cast<std::size_t>(percent) * 70 / 100);
    };
    zipper.FilesList = {dataCopy, configurationCopy};
    zipper.SetZipName(written);
    if (zipper.Zip() != 2)
        RefuseExport(archiveName, "the data files could not be compressed.");
    zipper.ClearZip();

    if (::rename(written.c_str(), target.c_str()) != 0)
        RefuseExport(archiveName, std::strerror(errno));
    SyncFolder(target.parent_path());
}

} // namespace duebell
