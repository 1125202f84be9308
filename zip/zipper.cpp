#include "zip/zipper.h"

#include "zip/filehelpers.h"
#include "zip/zipexceptions.h"
#include "zip/zipmessages.h"
#include "zip/zipper_build.h"

#include <unistd.h>

namespace duebell::zip {

namespace {

// Restores the reader's view settings however Zip ends.
class ViewSettingsGuard {
public:
    ViewSettingsGuard(TZipper& zipper)
        : zipper_(zipper), sortMode_(zipper.SortMode()), keepZipOpen_(zipper.KeepZipOpen) {}
    ~ViewSettingsGuard() {
        zipper_.KeepZipOpen = keepZipOpen_;
        try {
            zipper_.SetSortMode(sortMode_);
        } catch (...) {
        }
        zipper_.FilesList.clear();
    }

private:
    TZipper& zipper_;
    TZipSortMode sortMode_;
    bool keepZipOpen_;
};

} // namespace

TZipper::TZipper(TZipCallbacks* callbacks) : TUnZipper(callbacks) {}

TZipper::~TZipper() = default;

void TZipper::AssignFrom(const TZipper& source) {
    TUnZipper::AssignFrom(source);
    PackLevel = source.PackLevel;
    Recurse = source.Recurse;
    Dispose = source.Dispose;
    storePaths_ = source.storePaths_;
    relativePaths_ = source.relativePaths_;
    storeVolumes_ = source.storeVolumes_;
    ZipAction = source.ZipAction;
    MultiZipInfo = source.MultiZipInfo;
    Store83Names = source.Store83Names;
    TempPath = source.TempPath;
    SkipIfArchiveBitNotSet = source.SkipIfArchiveBitNotSet;
    ResetArchiveBitOnZip = source.ResetArchiveBitOnZip;
    ExcludeList = source.ExcludeList;
    NoCompressList = source.NoCompressList;
    AddDirEntriesOnRecurse = source.AddDirEntriesOnRecurse;
    OnStartZip = source.OnStartZip;
    OnStartZipInfo = source.OnStartZipInfo;
    OnEndZip = source.OnEndZip;
    OnDisposeFile = source.OnDisposeFile;
    OnNoSuchFile = source.OnNoSuchFile;
    OnZipComplete = source.OnZipComplete;
    OnUpdate = source.OnUpdate;
    OnRecursingFile = source.OnRecursingFile;
    OnEncrypt = source.OnEncrypt;
}

void TZipper::SetStorePaths(bool store) {
    storePaths_ = store;
    if (!store) {
        storeVolumes_ = false;
        relativePaths_ = false;
    }
}

void TZipper::SetRelativePaths(bool relative) {
    relativePaths_ = relative;
    if (relative) {
        storePaths_ = true;
        Recurse = true;
    }
}

void TZipper::SetStoreVolumes(bool store) {
    storeVolumes_ = store;
    if (store) {
        storePaths_ = true;
    }
}

int TZipper::Zip() {
    cancel_ = false;
    if (ZipName().empty()) {
        FilesList.clear();
        return 0;
    }
    if (MultiMode() == TMultiMode::mmSpan) {
        throw Exception("Spanning an archive over removable disks is not supported; "
                        "write a block archive instead.");
    }
    if (PackLevel < 0 || PackLevel > 9) {
        throw Exception("The compression level " + std::to_string(PackLevel) +
                        " is not between 0 and 9.");
    }
    busy_ = true;
    currentDisk_ = 0;
    int added = 0;
    try {
        ViewSettingsGuard guard(*this);
        KeepZipOpen = true;
        SetSortMode(TZipSortMode::ByNone);
        Build build;
        BuildArchive(build);
        added = build.filesAdded;
    } catch (...) {
        CloseArchive();
        busy_ = false;
        throw;
    }
    CloseArchive();
    busy_ = false;
    if (OnZipComplete) {
        OnZipComplete(added);
    }
    return added;
}

void TZipper::BuildArchive(Build& build) {
    build.updating = FileExists(ZipName()) && MultiMode() == TMultiMode::mmNone;
    if (build.updating) {
        OpenArchive();
        if (numberOfDisks_ > 1) {
            SetMultiMode(TMultiMode::mmNone);
            throw Exception("\"" + ZipName() +
                            "\" is one part of an archive of several parts, which cannot be "
                            "updated; write a new archive instead.");
        }
    }
    if (!FilesList.empty()) {
        ExpandFilesList(build);
    }

    build.encoder = std::make_unique<DeflateEncoder>();
    if (MultiMode() == TMultiMode::mmBlocks) {
        build.output = std::make_unique<TZipOutput>(ZipName(), MultiZipInfo.FirstBlockSize,
                                                    MultiZipInfo.BlockSize);
    } else {
        build.output = std::make_unique<TZipOutput>(ZipName());
    }
    build.written = std::make_unique<TSortedZip>(TDuplicates::Error);
    build.byName = std::make_unique<TSortedZip>(TDuplicates::Ignore, false);
    build.byName->SortMode = TZipSortMode::ByName;
    PrepareEndRecord(build, build.updating);
    if (build.updating) {
        ProcessOldEntries(build);
    }

    if (!FilesList.empty()) {
        bool stopNow = false;
        if (OnStartZipInfo) {
            OnStartZipInfo(static_cast<int>(FilesList.size()), build.totalBytes, build.endCentral,
                           stopNow);
        }
        if (stopNow) {
            throw EUserCanceled(msg::CanceledZip);
        }
        if (build.output->MultiVolume()) {
            build.totalBytes *= 2; // every byte is copied once more into the parts
        }
    }
    for (const std::string& fileName : FilesList) {
        AddFile(build, fileName);
    }
    WriteCentralDirectory(build);
    WriteEndRecord(build);
    build.encoder.reset();
    Finish(build);
}

// A new end record, or for an update a copy of the old one with its comment.
void TZipper::PrepareEndRecord(Build& build, bool updating) {
    if (updating || endCentral_.Modified) {
        if (updating) {
            ZipComment(); // read on demand
        }
        build.endCentral.Assign(endCentral_);
        build.endCentral.EntriesThisDisk = 0;
        build.endCentral.TotalEntries = 0;
        build.endCentral.Modified = false;
    } else {
        build.endCentral.Clear();
    }
}

void TZipper::AddEntry(Build& build, std::unique_ptr<TZipHeaderInfo> entry) {
    if (build.written->Count() == 0xFFFF) {
        throw Exception("An archive cannot hold more than 65535 entries.");
    }
    TZipHeaderInfo* added = entry.release();
    build.written->Add(added);
    build.byName->Add(added);
    ++build.endCentral.TotalEntries;
}

void TZipper::Finish(Build& build) {
    CloseArchive();
    const std::string originalName = ZipName();
    const std::string finalName = build.output->Commit();
    const int lastDisk = build.output->CurrentDisk();
    if (build.output->MultiVolume() && MultiZipInfo.SaveZipInfoOnFirstDisk && lastDisk > 0) {
        WriteZfcFile(build, originalName);
    }
    if (finalName != originalName) {
        TUnZipper::SetZipName(finalName);
    }
    endCentral_.Assign(build.endCentral);
    currentDisk_ = lastDisk;
    numberOfDisks_ = lastDisk + 1;
    AdoptEntries(std::move(build.written));
    for (const std::string& fileName : build.toDispose) {
        bool skip = false;
        if (OnDisposeFile) {
            OnDisposeFile(fileName, skip);
        }
        if (!skip && !fileName.empty() && fileName.back() != '/') {
            ::unlink(fileName.c_str());
        }
    }
    if (OnTotalPercentDone) {
        OnTotalPercentDone(100);
    }
}

} // namespace duebell::zip
