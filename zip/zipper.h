// The archive writer: expands file masks into files, deflates (or stores) each file into a
// zip archive with local headers, central directory and end record, and updates an existing
// archive entry by entry: named files replace their entries, other entries are carried over
// unchanged. An update is written beside the old archive and renamed over it only when
// complete, so a failure leaves the old archive as it was. Archives can also be written as
// numbered block files of a fixed size; spanning removable disks has no counterpart here.
#pragma once

#include "zip/deflate.h"
#include "zip/unzipper.h"
#include "zip/zipper_multizipinfo.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace duebell::zip {

// How files meet existing entries of the same name: zaUpdate replaces an entry unless it is
// newer than the file and adds new files; zaReplace always replaces and adds; zaFreshen
// replaces like zaUpdate but adds nothing new.
enum class TZipAction { zaUpdate, zaReplace, zaFreshen };
enum class TUpdateAction { uaReplacing = 0, uaKeeping = 1 };

class TZipper : public TUnZipper {
public:
    explicit TZipper(TZipCallbacks* callbacks = nullptr);
    ~TZipper() override;

    // The reader's settings plus every writer setting, the lists and every event.
    void AssignFrom(const TZipper& source);

    // Writes or updates the archive ZipName from FilesList; the number of files compressed
    // into it by this call (entries carried over unchanged are not counted). FilesList is
    // empty afterwards.
    int Zip();

    // 0 stores without compression; 1 to 9 are deflate levels.
    int PackLevel = 6;
    // Wildcard masks also search subfolders.
    bool Recurse = false;
    // Delete the source files after a successful Zip.
    bool Dispose = false;
    TZipAction ZipAction = TZipAction::zaUpdate;
    TMultiZipInfo MultiZipInfo;
    // Linux has no short names: names are always stored as they are.
    bool Store83Names = false;
    // Folder for the temporary data of entries of a block archive; the system's when empty
    // or missing.
    std::string TempPath;
    // Linux keeps no archive attribute: every file counts as having it set (as the attributes
    // stored with it say), and there is nothing to reset.
    bool SkipIfArchiveBitNotSet = false;
    bool ResetArchiveBitOnZip = false;
    // Masks of files never taken, and of files stored without compression. A mask with "/"
    // is matched against the full path, any other against the file name alone.
    std::vector<std::string> ExcludeList;
    std::vector<std::string> NoCompressList;
    // Add an entry for each folder met while recursing.
    bool AddDirEntriesOnRecurse = false;

    // Store each file's folder with its name. Clearing it also clears StoreVolumes and
    // RelativePaths.
    bool StorePaths() const { return storePaths_; }
    void SetStorePaths(bool store);
    // Store folders relative to RootDir; setting it also sets StorePaths and Recurse.
    bool RelativePaths() const { return relativePaths_; }
    void SetRelativePaths(bool relative);
    // Linux paths have no volume part, and a stored name is never absolute: setting it only
    // sets StorePaths.
    bool StoreVolumes() const { return storeVolumes_; }
    void SetStoreVolumes(bool store);

    bool CheckDiskLabels() const override { return MultiZipInfo.CheckDiskLabels; }
    void SetCheckDiskLabels(bool check) override { MultiZipInfo.CheckDiskLabels = check; }
    TMultiMode MultiMode() const override { return MultiZipInfo.MultiMode; }
    void SetMultiMode(TMultiMode mode) override { MultiZipInfo.MultiMode = mode; }

    // Events.
    std::function<void(const std::string& fileName, TZipHeaderInfo& entry, bool& skip)> OnStartZip;
    std::function<void(int numFiles, std::int64_t totalBytes, TEndCentral& endCentral,
                       bool& stopNow)>
        OnStartZipInfo;
    std::function<void(const std::string& fileName, std::int64_t uncompressedSize,
                       std::int64_t compressedSize, std::int64_t currentZipSize)>
        OnEndZip;
    std::function<void(const std::string& fileName, bool& skip)> OnDisposeFile;
    std::function<void(const std::string& fileName)> OnNoSuchFile;
    std::function<void(int fileCount)> OnZipComplete;
    std::function<void(TUpdateAction action, int fileIndex)> OnUpdate;
    std::function<void(const std::string& fileName)> OnRecursingFile;
    // Replaces the built-in encryption of each piece of an entry's data.
    std::function<void(std::uint8_t* buffer, int length, const std::string& password)> OnEncrypt;

private:
    struct Build;

    void BuildArchive(Build& build);
    void PrepareEndRecord(Build& build, bool updating);
    void AddEntry(Build& build, std::unique_ptr<TZipHeaderInfo> entry);
    void WriteCentralDirectory(Build& build);
    void WriteEndRecord(Build& build);
    void WriteZfcFile(Build& build, const std::string& zipName);
    void Finish(Build& build);

    // zipper_files.cpp: from masks to files, and from files to stored names.
    void ExpandFilesList(Build& build);
    bool Excluded(const std::string& fileName) const;
    bool HasOldEntry(const std::string& fileName) const;
    std::string StoredPath(const std::string& fileName) const;
    std::string StoredName(const std::string& fileName) const;

    // zipper_entry.cpp: one file into the archive.
    // Compresses the file as a new entry and adds it (and, with Dispose, notes it for
    // deletion); false when the file could not be taken.
    bool AddFile(Build& build, const std::string& fileName);
    bool CompressFile(Build& build, const std::string& fileName, TZipHeaderInfo& entry);
    void WriteEntryData(Build& build, const std::string& fileName, TStream& input,
                        std::int64_t size, TStream& sink, TZipHeaderInfo& entry);

    // zipper_update.cpp: the entries of the archive being updated.
    void ProcessOldEntries(Build& build);
    void CopyOldEntry(Build& build, const TZipHeaderInfo& old);

    bool storePaths_ = false;
    bool relativePaths_ = false;
    bool storeVolumes_ = false;
};

} // namespace duebell::zip
