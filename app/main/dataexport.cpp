#include "app/main/dataarchive.h"
#include "domain/datafiles.h"
#include "objectlist/exceptions.h"
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

} // namespace

void ExportDataArchive(const std::string& archiveName) {
    const fs::path target = fs::absolute(archiveName);

    QTemporaryDir copies;
    if (!copies.isValid())
        RefuseExport(archiveName,
                     "no temporary folder (" + copies.errorString().toStdString() + ")");
    const std::string dataCopy = copies.filePath(DataFileName).toStdString();
    const std::string configurationCopy = copies.filePath(ConfigurationFileName).toStdString();
    SaveDataFile(dataCopy);
    SaveConfigurationFile(configurationCopy);

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
