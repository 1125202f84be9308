// Reading an archive's central directory: from the end record, from a ".zfc" copy of the
// directory, or rebuilt from the local headers of a damaged archive.
#include "zip/filehelpers.h"
#include "zip/unzipper.h"
#include "zip/zipexceptions.h"
#include "zip/zipmessages.h"
#include "zip/zipsignatures.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

namespace duebell::zip {

namespace {

bool PlausibleEndRecord(const TEndCentral& end) {
    return end.ThisDisk <= 999 && end.StartDisk <= 999 && end.ThisDisk >= end.StartDisk &&
           static_cast<std::int32_t>(end.DirectoryOffset) >= 0;
}

bool EndsWithExe(const std::string& name) {
    std::string tail = RightStr(name, 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return tail == ".EXE";
}

std::string ReadText(TStream& stream, std::size_t length) {
    std::string text(length, '\0');
    const std::int64_t got = stream.Read(text.data(), std::ssize(text));
    text.resize(static_cast<std::size_t>(std::max<std::int64_t>(got, 0)));
    return text;
}

} // namespace

void TUnZipper::ReadDirectory() {
    RememberArchiveDate();
    view_ = nullptr;
    sortedView_.reset();
    entries_.reset();
    usedZfc_ = false;
    endCentral_.Clear();

    TStream& archive = Archive();
    bool found = endCentral_.FindEndCentral(archive) && PlausibleEndRecord(endCentral_);
    std::unique_ptr<TStream> zfc;
    if (!found) {
        endCentral_.Clear();
        const std::string zfcName = ChangeFileExt(zipName_, ".zfc");
        if (FileExists(zfcName)) {
            zfc = OpenArchiveFile(zfcName);
            found = endCentral_.FindEndCentral(*zfc) && PlausibleEndRecord(endCentral_);
            if (found) {
                usedZfc_ = true;
                endCentral_.DirectoryOffset = 0;
                if (endCentral_.HasZipComment()) {
                    zfc->Seek(endCentral_.CommentPosition, soFromBeginning);
                    endCentral_.SetZipComment(ReadText(*zfc, endCentral_.CommentLength));
                }
            } else {
                endCentral_.Clear();
            }
        }
    }

    bool scanned = false;
    bool multiDisk = false;
    if (found) {
        currentDisk_ = usedZfc_ ? 0 : endCentral_.ThisDisk;
        multiDisk = endCentral_.ThisDisk != 0;
        SetMultiMode(multiDisk ? TMultiMode::mmBlocks : TMultiMode::mmNone);
        numberOfDisks_ = endCentral_.ThisDisk + 1;
        if (!usedZfc_ && endCentral_.TotalEntries > 0 && endCentral_.StartDisk != currentDisk_) {
            GetNextDisk(endCentral_.StartDisk + 1);
        }
    } else {
        TIncompleteZipMode mode = IncompleteZipMode;
        if (OnInCompleteZip) {
            OnInCompleteZip(mode);
        }
        if (mode == TIncompleteZipMode::izAssumeNotAZip) {
            throw ENotAZipFile(msg::NotAZipFile);
        }
        if (mode == TIncompleteZipMode::izAssumeMulti) {
            throw EIncompleteZip(msg::IncompleteZip);
        }
        if (!ScanLocalHeaders()) {
            ClearZip();
            throw EBadZipFile(msg::NotAZipFile);
        }
        scanned = true;
    }
    ReadDirectoryFrom(zfc ? *zfc : Archive(), multiDisk, scanned);
    RefuseOverlappingEntries();

    if (multiDisk && endCentral_.HasZipComment() && !endCentral_.ZipComment()) {
        if (currentDisk_ != endCentral_.ThisDisk) {
            GetNextDisk(endCentral_.ThisDisk + 1);
        }
        Archive().Seek(endCentral_.CommentPosition, soFromBeginning);
        endCentral_.SetZipComment(ReadText(Archive(), endCentral_.CommentLength));
    }
    BuildView();
}

void TUnZipper::ReadDirectoryFrom(TStream& directory, bool multiDisk, bool scanned) {
    TStream* source = &directory;
    const TNextDiskRoutine nextDisk = [this, &source]() -> TStream& {
        source = &GetNextDisk(currentDisk_ + 2);
        return *source;
    };
    if (!entries_) {
        entries_ = std::make_unique<TSortedZip>(TDuplicates::Ignore);
    }
    // Merging central records into entries found by the local-header scan.
    bool merging = false;
    std::unordered_set<const TZipHeaderInfo*> merged;
    const std::uint32_t directoryOffset = endCentral_.DirectoryOffset;
    const int total = endCentral_.TotalEntries;
    const bool commentsAtOnce = multiDisk || usedZfc_;
    source->Seek(directoryOffset, soFromBeginning);
    int previousExtra = 0;
    TZipHeaderInfo* previous = nullptr;
    for (int i = 0; i < total; ++i) {
        auto entry = std::make_unique<TZipHeaderInfo>();
        entry->OEMConvert = OEMConvert;
        bool ok = entry->ReadCentralFromStream(*source, multiDisk ? nextDisk : TNextDiskRoutine{});
        if (!ok && previousExtra != 0) {
            // The previous record's extra length was wrong: step back over it and retry.
            if (previous != nullptr) {
                previous->CentralExtraLength = 0;
            }
            source->Seek(-previousExtra, soFromCurrent);
            ok = entry->ReadCentralFromStream(*source, multiDisk ? nextDisk : TNextDiskRoutine{});
        }
        if (!ok) {
            if (scanned || merging) {
                break;
            }
            const TEndCentral found = endCentral_;
            entries_.reset();
            previous = nullptr;
            if (multiDisk || !ScanLocalHeaders()) {
                ClearZip();
                throw EBadZipFile(msg::NotAZipFile);
            }
            // Start again from the first record, merging each into the entry found at the
            // same place by the scan.
            endCentral_ = found;
            merging = true;
            merged.clear();
            i = -1;
            previousExtra = 0;
            previous = nullptr;
            source = &Archive();
            source->Seek(directoryOffset, soFromBeginning);
            continue;
        }
        source->Seek(entry->CentralExtraLength, soFromCurrent);
        if (commentsAtOnce && entry->HasComment()) {
            entry->SetFileComment(ReadText(*source, entry->FileCommentLength));
        } else {
            source->Seek(entry->FileCommentLength, soFromCurrent);
        }
        previousExtra = entry->CentralExtraLength;
        if (merging) {
            int at = 0;
            previous = nullptr;
            if (entries_->Search(entry.get(), at)) {
                TZipHeaderInfo* scannedEntry = entries_->Items(at - 1);
                if (!merged.insert(scannedEntry).second) {
                    RefuseOverlap(*scannedEntry, *entry);
                }
                const std::uint32_t localOffset = scannedEntry->RelativeOffset;
                scannedEntry->Assign(*entry);
                scannedEntry->RelativeOffset = localOffset;
                previous = scannedEntry;
            }
            continue;
        }
        // The list keeps one entry per offset; a second would silently hide the first.
        int at = 0;
        if (entries_->Search(entry.get(), at)) {
            RefuseOverlap(*entries_->Items(at - 1), *entry);
        }
        TZipHeaderInfo* added = entry.get();
        previous = entries_->Add(entry.release()) >= 0 ? added : nullptr;
    }
}

void TUnZipper::RefuseOverlap(const TZipHeaderInfo& first, const TZipHeaderInfo& second) {
    const std::string message = std::string(msg::OverlappedEntries) + "\"" + first.StoredName() +
                                "\" and \"" + second.StoredName() + "\"";
    ClearZip();
    throw EBadZipFile(message);
}

void TUnZipper::RefuseOverlappingEntries() {
    // In physical order each entry must end before the next on its disk begins. The local
    // extra field and a data descriptor are left out, so only a certain overlap counts.
    for (int i = 1; i < entries_->Count(); ++i) {
        const TZipHeaderInfo& before = *entries_->Items(i - 1);
        const TZipHeaderInfo& after = *entries_->Items(i);
        const std::int64_t end = std::int64_t{before.RelativeOffset} + LocalHeaderFixedSize +
                                 before.FilenameLength() + before.CompressedSize;
        if (before.DiskNumberStart == after.DiskNumberStart && end > after.RelativeOffset) {
            RefuseOverlap(before, after);
        }
    }
}

bool TUnZipper::ScanLocalHeaders() {
    TStream& archive = Archive();
    archive.Seek(EndsWithExe(zipName_) ? 14000 : 0, soFromBeginning);
    const std::array<std::uint8_t, 4> signature = LocalSignatureBytes();
    std::size_t matched = 0;
    std::int64_t bytesRead = 0;
    bool accepted = false;
    while (!accepted) {
        std::uint8_t b = 0;
        if (archive.Read(&b, 1) != 1) {
            return false;
        }
        if (DoProcessMessages && ++bytesRead % 10240 == 0) {
            CheckCancel();
        }
        matched = b == signature[matched] ? matched + 1 : (b == signature[0] ? 1 : 0);
        if (matched < signature.size()) {
            continue;
        }
        matched = 0;
        std::uint8_t version[2];
        if (archive.Read(version, 2) != 2) {
            return false;
        }
        // A version of 10.0 or above is no real header: scan on.
        if (version[1] < 10) {
            archive.Seek(-6, soFromCurrent);
            accepted = true;
        }
    }
    if (!entries_) {
        entries_ = std::make_unique<TSortedZip>(TDuplicates::Ignore);
    }
    for (;;) {
        auto entry = std::make_unique<TZipHeaderInfo>();
        entry->OEMConvert = OEMConvert;
        if (!entry->ReadLocalFromStream(archive)) {
            break;
        }
        std::int64_t skip = std::int64_t{entry->CompressedSize} + entry->LocalExtraLength;
        if (entry->HasDescriptor()) {
            skip += 16;
        }
        entries_->Add(entry.release());
        archive.Seek(skip, soFromCurrent);
    }
    endCentral_.ThisDisk = 0;
    endCentral_.StartDisk = 0;
    endCentral_.DirectoryOffset = static_cast<std::uint32_t>(archive.Position());
    endCentral_.TotalEntries = static_cast<std::uint16_t>(std::min(entries_->Count(), 0xFFFF));
    endCentral_.EntriesThisDisk = endCentral_.TotalEntries;
    numberOfDisks_ = 1;
    currentDisk_ = 0;
    return true;
}

} // namespace duebell::zip
