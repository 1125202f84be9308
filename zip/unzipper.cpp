#include "zip/unzipper.h"

#include "zip/dosdatetime.h"
#include "zip/filehelpers.h"
#include "zip/zipexceptions.h"
#include "zip/zipmessages.h"

#include <cstdio>
#include <sys/stat.h>

namespace duebell::zip {

// Identifies the archive file as it was when its directory was read.
struct TUnZipper::ArchiveStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t modifiedNs = 0;
    bool exists = false;

    static ArchiveStamp Of(const std::string& fileName) {
        ArchiveStamp stamp;
        struct stat info {};
        if (::stat(fileName.c_str(), &info) == 0) {
            stamp.exists = true;
            stamp.device = info.st_dev;
            stamp.inode = info.st_ino;
            stamp.size = info.st_size;
            stamp.modifiedNs =
                static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
        }
        return stamp;
    }
    bool operator==(const ArchiveStamp&) const = default;
};

TUnZipper::TUnZipper(TZipCallbacks* callbacks)
    : unattended_(callbacks == nullptr ? std::make_unique<TUnattendedZipCallbacks>() : nullptr) {
    callbacks_ = callbacks != nullptr ? callbacks : unattended_.get();
}

TUnZipper::~TUnZipper() = default;

void TUnZipper::AssignFrom(const TUnZipper& source) {
    zipName_ = source.zipName_;
    destDir_ = source.destDir_;
    rootDir_ = source.rootDir_;
    SetSortMode(source.sortMode_);
    RecreateDirs = source.RecreateDirs;
    OverwriteMode = source.OverwriteMode;
    FilesList = source.FilesList;
    DoAll = source.DoAll;
    IncompleteZipMode = source.IncompleteZipMode;
    KeepZipOpen = source.KeepZipOpen;
    DoProcessMessages = source.DoProcessMessages;
    RetainAttributes = source.RetainAttributes;
    ReplaceReadOnly = source.ReplaceReadOnly;
    FlushFilesOnClose = source.FlushFilesOnClose;
    OEMConvert = source.OEMConvert;
    OnStartUnZipInfo = source.OnStartUnZipInfo;
    OnFilePercentDone = source.OnFilePercentDone;
    OnTotalPercentDone = source.OnTotalPercentDone;
    OnStartUnZip = source.OnStartUnZip;
    OnEndUnZip = source.OnEndUnZip;
    OnPromptForOverwrite = source.OnPromptForOverwrite;
    OnSkippingFile = source.OnSkippingFile;
    OnBadPassword = source.OnBadPassword;
    OnBadCRC = source.OnBadCRC;
    OnInCompleteZip = source.OnInCompleteZip;
    OnGetNextDisk = source.OnGetNextDisk;
    OnUnZipComplete = source.OnUnZipComplete;
    OnDecrypt = source.OnDecrypt;
}

void TUnZipper::SetZipName(const std::string& name) {
    if (name == zipName_) {
        return;
    }
    std::string chosen = name;
    if (!chosen.empty() && chosen.back() == '?') {
        const std::string folder = ExtractFilePath(chosen.substr(0, chosen.size() - 1));
        const auto picked = callbacks_->ChooseOpenFile(
            msg::OpenZipFileTitle, msg::OpenZipFileFilter, DirExists(folder) ? folder : ".");
        if (!picked) {
            throw EUserCanceled(msg::CanceledZipName);
        }
        chosen = *picked;
    }
    zipName_ = chosen;
    ForgetArchive();
}

void TUnZipper::ForgetArchive() {
    view_ = nullptr;
    sortedView_.reset();
    entries_.reset();
    stamp_.reset();
    endCentral_.Clear();
    CloseArchive();
    usedZfc_ = false;
}

void TUnZipper::SetDestDir(const std::string& folder) {
    std::string chosen = folder;
    if (chosen == "?") {
        const auto picked = callbacks_->ChooseFolder(DirExists(destDir_) ? destDir_ + "/" : ".");
        if (!picked) {
            throw EUserCanceled(msg::CanceledDestDir);
        }
        chosen = *picked;
    }
    if (chosen.size() > 1 && chosen.back() == '/') {
        chosen.pop_back();
    }
    destDir_ = chosen;
}

void TUnZipper::SetRootDir(const std::string& folder) {
    rootDir_ = folder;
    if (!rootDir_.empty() && rootDir_.back() != '/') {
        rootDir_ += '/';
    }
}

void TUnZipper::SetSortMode(TZipSortMode mode) {
    sortMode_ = mode;
    if (entries_) {
        BuildView();
    }
}

void TUnZipper::BuildView() {
    if (sortMode_ == TZipSortMode::ByNone) {
        sortedView_.reset();
        view_ = entries_.get();
        return;
    }
    sortedView_ = std::make_unique<TSortedZip>(TDuplicates::Accept, false);
    sortedView_->SortMode = sortMode_;
    for (TZipHeaderInfo* entry : *entries_) {
        sortedView_->Add(entry);
    }
    view_ = sortedView_.get();
}

void TUnZipper::AdoptEntries(std::unique_ptr<TSortedZip> entries) {
    view_ = nullptr;
    sortedView_.reset();
    entries_ = std::move(entries);
    BuildView();
    RememberArchiveDate();
}

void TUnZipper::RememberArchiveDate() {
    stamp_ = std::make_unique<ArchiveStamp>(ArchiveStamp::Of(zipName_));
}

bool TUnZipper::ArchiveChanged() const {
    return !stamp_ || !(ArchiveStamp::Of(zipName_) == *stamp_);
}

std::unique_ptr<TStream> TUnZipper::OpenArchiveFile(const std::string& fileName) {
    return std::make_unique<TLFNFileStream>(fileName, ArchiveBufferSize, false,
                                            TFileMode::OpenRead);
}

TStream& TUnZipper::Archive() {
    if (!archive_) {
        archive_ = OpenArchiveFile(zipName_);
    }
    return *archive_;
}

void TUnZipper::CloseArchive() {
    archive_.reset();
}

void TUnZipper::CheckCancel() {
    if (DoProcessMessages) {
        callbacks_->ProcessMessages();
        if (cancel_) {
            throw EUserCanceled(msg::UserAborted);
        }
    }
}

void TUnZipper::OpenArchive() {
    cancel_ = false;
    callbacks_->SetBusyCursor(true);
    try {
        Archive();
        if (!entries_ || ArchiveChanged()) {
            ReadDirectory();
        }
        if (!KeepZipOpen) {
            CloseArchive();
        }
    } catch (...) {
        callbacks_->SetBusyCursor(false);
        throw;
    }
    callbacks_->SetBusyCursor(false);
}

TStream& TUnZipper::GetNextDisk(int disk) {
    std::string name = zipName_;
    std::string lastMissing;
    for (;;) {
        if (OnGetNextDisk) {
            OnGetNextDisk(disk, name);
        } else {
            char number[16];
            std::snprintf(number, sizeof number, ".%3.3d", disk);
            name = ChangeFileExt(zipName_, number);
        }
        if (name.empty()) {
            throw EUserCanceled(msg::CanceledNextDisk);
        }
        if (FileExists(name)) {
            break;
        }
        // Asking again for a file that is not there would never end.
        if (name == lastMissing) {
            throw EUserCanceled(msg::CanceledNextDisk);
        }
        lastMissing = name;
    }
    CloseArchive();
    archive_ = OpenArchiveFile(name);
    currentDisk_ = disk - 1;
    zipName_ = name;
    RememberArchiveDate();
    return *archive_;
}

int TUnZipper::Count() const {
    return view_ != nullptr ? view_->Count() : 0;
}

const TZipHeaderInfo& TUnZipper::Entry(int index) const {
    if (index < 0 || index >= Count()) {
        char text[64];
        std::snprintf(text, sizeof text, msg::IndexOutOfRange, index);
        throw EListError(text);
    }
    return *view_->Items(index);
}

std::string TUnZipper::Filename(int index) const {
    return Entry(index).Filename();
}

TDateTime TUnZipper::DateTime(int index) const {
    return DosDateTimeToDateTime(Entry(index).DateTime);
}

// Reads a comment of length bytes at position + skipFixed of the archive, leaving the
// stream where it was.
std::string TUnZipper::ReadCommentAt(std::int64_t position, std::size_t length) {
    const bool wasOpen = ArchiveIsOpen();
    TStream& archive = Archive();
    const std::int64_t here = archive.Position();
    std::string text(length, '\0');
    archive.Seek(position, soFromBeginning);
    const std::int64_t got = archive.Read(text.data(), std::ssize(text));
    text.resize(static_cast<std::size_t>(std::max<std::int64_t>(got, 0)));
    archive.Seek(here, soFromBeginning);
    if (!wasOpen && !KeepZipOpen) {
        CloseArchive();
    }
    return text;
}

std::string TUnZipper::FileComment(int index) {
    const TZipHeaderInfo& entry = Entry(index);
    if (!entry.HasComment()) {
        return {};
    }
    if (!entry.FileComment()) {
        // The comment follows the fixed fields, the name and the extra field of the record.
        std::uint8_t fixed[CentralRecordFixedSize];
        const bool wasOpen = ArchiveIsOpen();
        TStream& archive = Archive();
        const std::int64_t here = archive.Position();
        archive.Seek(entry.CentralOffset, soFromBeginning);
        std::string text;
        if (archive.Read(fixed, sizeof fixed) == sizeof fixed) {
            const std::int64_t skip =
                (fixed[28] | (fixed[29] << 8)) + (fixed[30] | (fixed[31] << 8));
            text.resize(entry.FileCommentLength);
            archive.Seek(skip, soFromCurrent);
            text.resize(static_cast<std::size_t>(
                std::max<std::int64_t>(archive.Read(text.data(), std::ssize(text)), 0)));
        }
        archive.Seek(here, soFromBeginning);
        if (!wasOpen && !KeepZipOpen) {
            CloseArchive();
        }
        view_->Items(index)->SetFileComment(text);
    }
    return *entry.FileComment();
}

void TUnZipper::SetFileComment(int index, const std::string& comment) {
    if (FileComment(index) != comment) {
        view_->Items(index)->SetFileComment(comment);
        endCentral_.Modified = true;
    }
}

std::string TUnZipper::ZipComment() {
    if (!endCentral_.HasZipComment()) {
        return {};
    }
    if (!endCentral_.ZipComment()) {
        endCentral_.SetZipComment(
            ReadCommentAt(endCentral_.CommentPosition, endCentral_.CommentLength));
    }
    return *endCentral_.ZipComment();
}

void TUnZipper::SetZipComment(const std::string& comment) {
    if (ZipComment() != comment) {
        endCentral_.SetZipComment(comment);
        endCentral_.Modified = true;
    }
}

void TUnZipper::ClearZip() {
    ForgetArchive();
    currentDisk_ = 0;
    numberOfDisks_ = 1;
    SetMultiMode(TMultiMode::mmNone);
    zipName_.clear();
}

} // namespace duebell::zip
