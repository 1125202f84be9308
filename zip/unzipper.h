// The archive reader: opens a zip archive, reads its central directory into a sorted entry
// list, chooses entries by file masks and extracts them into a destination folder with a
// chosen overwrite policy, through events that let the owner rename, skip, supply passwords
// and follow progress. Split (block) archives made of numbered files are read as one.
// The zip writer derives from it.
#pragma once

#include "objectlist/datetime.h"
#include "zip/bufferstream.h"
#include "zip/endcentral.h"
#include "zip/extracttarget.h"
#include "zip/sortedzip.h"
#include "zip/zipcallbacks.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace duebell::zip {

enum class TUZOverwriteMode { Prompt, Always, Never, ifNewer, ifOlder };
enum class TIncompleteZipMode { izAssumeMulti, izAssumeBad, izAssumeNotAZip };
// mmSpan (removable disks) is recognised in archives but never produced here.
enum class TMultiMode { mmNone, mmSpan, mmBlocks };

// Why an entry was not extracted (or, for the writer, a file not added).
enum class TSkipReason {
    srBadPassword = 0,
    srNoOverwrite = 1,
    srFileOpenError = 2,
    srCreateError = 3,
    // The stored name would write outside the destination folder: absolute, "..", or
    // control characters.
    srUnsafeName = 4,
};

class TUnZipper {
public:
    static constexpr int ThisVersion = 223;
    static constexpr int ArchiveBufferSize = 8192;

    // Without callbacks nothing is ever shown and every question is declined.
    explicit TUnZipper(TZipCallbacks* callbacks = nullptr);
    virtual ~TUnZipper();
    TUnZipper(const TUnZipper&) = delete;
    TUnZipper& operator=(const TUnZipper&) = delete;

    // Copies the settings, FilesList and every event (not the archive or the callbacks).
    void AssignFrom(const TUnZipper& source);

    const std::string& ZipName() const { return zipName_; }
    // A name ending in "?" asks for the archive through the file-open dialog (EUserCanceled
    // when cancelled). A different name forgets the archive read so far.
    virtual void SetZipName(const std::string& name);
    const std::string& DestDir() const { return destDir_; }
    // "?" asks through the folder dialog; stored without a trailing "/".
    void SetDestDir(const std::string& folder);
    const std::string& RootDir() const { return rootDir_; }
    // Stored with a trailing "/".
    void SetRootDir(const std::string& folder);
    TZipSortMode SortMode() const { return sortMode_; }
    void SetSortMode(TZipSortMode mode);
    // Masks of the entries to extract (ignored with DoAll); emptied by every UnZip.
    std::vector<std::string> FilesList;

    bool RecreateDirs = false;
    TUZOverwriteMode OverwriteMode = TUZOverwriteMode::Prompt;
    bool DoAll = false;
    TIncompleteZipMode IncompleteZipMode = TIncompleteZipMode::izAssumeMulti;
    bool KeepZipOpen = false;
    bool DoProcessMessages = true;
    // Extracted files get the stored read-only attribute (nothing else of the stored bits).
    bool RetainAttributes = true;
    // Replace an existing read-only file instead of skipping it.
    bool ReplaceReadOnly = false;
    // Extracted files are put on the disk before they are renamed into place.
    bool FlushFilesOnClose = false;
    // Names of archives from DOS and Windows are read and written in code page 437.
    bool OEMConvert = true;
    std::string Password;

    virtual bool CheckDiskLabels() const { return checkDiskLabels_; }
    virtual void SetCheckDiskLabels(bool check) { checkDiskLabels_ = check; }
    virtual TMultiMode MultiMode() const { return multiMode_; }
    virtual void SetMultiMode(TMultiMode mode) { multiMode_ = mode; }

    // Events. Indexes are positions in the entry view.
    std::function<void(int numFiles, std::int64_t totalBytes, bool& stopNow)> OnStartUnZipInfo;
    std::function<void(int percent)> OnFilePercentDone;
    std::function<void(int percent)> OnTotalPercentDone;
    std::function<void(int fileIndex, std::string& fileName, bool& skip)> OnStartUnZip;
    std::function<void(int fileIndex, const std::string& fileName)> OnEndUnZip;
    std::function<void(bool& overwriteIt, int fileIndex, std::string& fileName)>
        OnPromptForOverwrite;
    std::function<void(TSkipReason reason, const std::string& fileName, int fileIndex, bool& retry)>
        OnSkippingFile;
    std::function<void(int fileIndex, std::string& newPassword)> OnBadPassword;
    std::function<void(std::uint32_t calcCRC, std::uint32_t storedCRC, int fileIndex)> OnBadCRC;
    std::function<void(TIncompleteZipMode& mode)> OnInCompleteZip;
    // Names the file of a disk (1-based) of a multi-disk set; an empty name cancels. When
    // not assigned, block files are named like ZipName with the extension ".001", ".002"...
    std::function<void(int nextDisk, std::string& fileName)> OnGetNextDisk;
    std::function<void(int fileCount)> OnUnZipComplete;
    // Replaces the built-in decryption of each piece of an encrypted entry.
    std::function<void(std::uint8_t* buffer, int length, const std::string& password)> OnDecrypt;

    // Opens the archive and reads its directory when it is not read yet or the file changed.
    void OpenArchive();
    // Extracts the chosen entries; the number of files written.
    int UnZip();
    // Closes and forgets the archive; ZipName becomes empty.
    void ClearZip();
    // Asks a running operation to stop at its next check (EUserCanceled).
    void Cancel() { cancel_ = true; }
    bool Busy() const { return busy_; }

    int Count() const;
    // Read-outs of entry index (0 to Count - 1; else EListError "Index %d is out of range").
    const TZipHeaderInfo& Entry(int index) const;
    std::string Filename(int index) const;
    TDateTime DateTime(int index) const;
    // Read from the archive on first use.
    std::string FileComment(int index);
    void SetFileComment(int index, const std::string& comment);
    std::string ZipComment();
    void SetZipComment(const std::string& comment);

protected:
    TZipCallbacks& Callbacks() { return *callbacks_; }
    // The stream of an archive file; the fuzzer and tests serve archives from memory here.
    virtual std::unique_ptr<TStream> OpenArchiveFile(const std::string& fileName);
    // Where an extracted file is written; by default a temporary file beside it.
    virtual std::unique_ptr<TExtractTarget> CreateExtractTarget(const std::string& fileName,
                                                                bool flushToDisk);
    // Pumps the message queue when DoProcessMessages is set; raises EUserCanceled once the
    // cancel flag is set.
    void CheckCancel();
    // Opens the archive file when it is not open.
    TStream& Archive();
    void CloseArchive();
    bool ArchiveIsOpen() const { return archive_ != nullptr; }
    // Reads the central directory (or rebuilds it from the local headers).
    void ReadDirectory();
    // Switches to disk number disk (1-based) of a multi-disk set; EUserCanceled when no
    // file for it is given.
    TStream& GetNextDisk(int disk);
    // Takes over a complete entry list (physical order, owning), as after writing an
    // archive, and rebuilds the view.
    void AdoptEntries(std::unique_ptr<TSortedZip> entries);
    void RememberArchiveDate();
    void BuildView();

    std::unique_ptr<TSortedZip> entries_;
    TEndCentral endCentral_;
    int currentDisk_ = 0;
    int numberOfDisks_ = 1;
    bool cancel_ = false;
    bool busy_ = false;

private:
    struct ArchiveStamp;
    class EntryExtraction;

    void ReadDirectoryFrom(TStream& directory, bool multiDisk, bool scanned);
    // Refuses (EBadZipFile, the archive forgotten) entries whose data would share bytes: two
    // at one offset, or one whose header and data reach past the start of the next.
    void RefuseOverlap(const TZipHeaderInfo& first, const TZipHeaderInfo& second);
    void RefuseOverlappingEntries();
    bool ScanLocalHeaders();
    bool ArchiveChanged() const;
    void ForgetArchive();
    void SelectEntries(int& count, std::int64_t& total);
    int ExtractEntries();
    // True when the entry counts as a file written.
    bool ExtractEntry(int index, bool& retry, std::int64_t& totalDone, std::int64_t totalBytes);
    std::string OutputName(const TZipHeaderInfo& entry) const;
    std::string ReadCommentAt(std::int64_t position, std::size_t length);

    TZipCallbacks* callbacks_;
    std::unique_ptr<TUnattendedZipCallbacks> unattended_;
    std::string zipName_;
    std::string destDir_;
    std::string rootDir_;
    TZipSortMode sortMode_ = TZipSortMode::ByNone;
    std::unique_ptr<TStream> archive_;
    std::unique_ptr<TSortedZip> sortedView_;
    TSortedZip* view_ = nullptr;
    std::unique_ptr<ArchiveStamp> stamp_;
    TMultiMode multiMode_ = TMultiMode::mmNone;
    bool checkDiskLabels_ = true;
    // The directory came from the ".zfc" file beside the archive.
    bool usedZfc_ = false;
};

} // namespace duebell::zip
