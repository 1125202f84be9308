// Extracting the chosen entries: selection by masks, the overwrite policy, passwords, the
// decoders, and the output that is checked against the entry's size and CRC before the
// file is put in place.
#include "zip/crc32.h"
#include "zip/dosdatetime.h"
#include "zip/entrydecoder.h"
#include "zip/filehelpers.h"
#include "zip/safename.h"
#include "zip/unzipper.h"
#include "zip/wildcard.h"
#include "zip/zipcrypt.h"
#include "zip/zipexceptions.h"
#include "zip/zipmessages.h"

#include <sys/stat.h>

namespace duebell::zip {

// The input and output of one entry's decoding.
class TUnZipper::EntryExtraction final : public TDecoderInput, public TDecoderOutput {
public:
    EntryExtraction(TUnZipper& owner, const TZipHeaderInfo& entry, TExtractTarget& target,
                    TZipCrypt* crypt, std::int64_t compressedLeft, std::int64_t& totalDone,
                    std::int64_t totalBytes)
        : owner_(owner), entry_(entry), target_(target), crypt_(crypt),
          compressedLeft_(compressedLeft), totalDone_(totalDone), totalBytes_(totalBytes) {}

    std::size_t Fetch(std::uint8_t* buffer, std::size_t capacity) override {
        if (compressedLeft_ <= 0) {
            return 0;
        }
        const auto wanted = static_cast<std::int64_t>(
            std::min<std::int64_t>({static_cast<std::int64_t>(capacity), 32768, compressedLeft_}));
        owner_.CheckCancel();
        std::int64_t got = owner_.Archive().Read(buffer, wanted);
        while (got < wanted) {
            if (owner_.numberOfDisks_ <= 1) {
                throw EFatalUnzipError(msg::PrematureEnd);
            }
            if (owner_.currentDisk_ + 1 >= owner_.numberOfDisks_) {
                throw EUserCanceled(msg::UserAborted);
            }
            TStream& next = owner_.GetNextDisk(owner_.currentDisk_ + 2);
            next.Seek(0, soFromBeginning);
            got += next.Read(buffer + got, wanted - got);
        }
        if (crypt_ != nullptr) {
            if (owner_.OnDecrypt) {
                owner_.OnDecrypt(buffer, static_cast<int>(got), owner_.Password);
            } else {
                crypt_->DecryptBuffer(buffer, static_cast<std::size_t>(got));
            }
        }
        compressedLeft_ -= got;
        return static_cast<std::size_t>(got);
    }

    void Deliver(const std::uint8_t* data, std::size_t count) override {
        if (written_ + count > entry_.UncompressedSize) {
            throw EBiggerThanUncompressed(msg::BiggerThanUncompressed);
        }
        if (!target_.Write(data, count)) {
            throw ECantWriteUCF(msg::CantWriteUCF);
        }
        crc_ = UpdateCRC(crc_, data, count);
        written_ += count;
        totalDone_ += static_cast<std::int64_t>(count);
        if (owner_.OnFilePercentDone) {
            owner_.OnFilePercentDone(static_cast<int>(
                Percentage(static_cast<std::int64_t>(written_), entry_.UncompressedSize)));
        }
        if (owner_.OnTotalPercentDone) {
            owner_.OnTotalPercentDone(static_cast<int>(Percentage(totalDone_, totalBytes_)));
        }
    }

    std::uint32_t Crc() const { return ~crc_; }
    std::uint64_t Written() const { return written_; }

private:
    TUnZipper& owner_;
    const TZipHeaderInfo& entry_;
    TExtractTarget& target_;
    TZipCrypt* crypt_;
    std::int64_t compressedLeft_;
    std::int64_t& totalDone_;
    std::int64_t totalBytes_;
    std::uint32_t crc_ = Crc32Start;
    std::uint64_t written_ = 0;
};

namespace {

// A file nobody may write to (judged by its mode bits, so that it holds for root as well).
bool IsReadOnlyFile(const std::string& name) {
    struct stat info {};
    return ::stat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & 0222) == 0;
}

} // namespace

std::unique_ptr<TExtractTarget> TUnZipper::CreateExtractTarget(const std::string& fileName,
                                                               bool flushToDisk) {
    return std::make_unique<TFileExtractTarget>(fileName, flushToDisk);
}

int TUnZipper::UnZip() {
    busy_ = true;
    cancel_ = false;
    int written = 0;
    try {
        OpenArchive();
        Archive();
        written = ExtractEntries();
        if (!KeepZipOpen) {
            CloseArchive();
        }
    } catch (...) {
        if (!KeepZipOpen) {
            CloseArchive();
        }
        busy_ = false;
        cancel_ = false;
        throw;
    }
    busy_ = false;
    cancel_ = false;
    return written;
}

void TUnZipper::SelectEntries(int& count, std::int64_t& total) {
    count = 0;
    total = 0;
    for (TZipHeaderInfo* entry : *view_) {
        entry->Selected = DoAll;
        if (entry->Filename().empty()) {
            entry->Selected = entry->Selected && RecreateDirs;
        } else {
            const std::string name = entry->Directory() + entry->Filename();
            for (const std::string& mask : FilesList) {
                if (IsMatch(mask, name)) {
                    entry->Selected = true;
                    break;
                }
            }
        }
        if (entry->Selected) {
            ++count;
            total += entry->UncompressedSize;
        }
    }
}

int TUnZipper::ExtractEntries() {
    const bool keepOpen = KeepZipOpen;
    KeepZipOpen = true;
    const bool physicalOrder = numberOfDisks_ > 1 && sortMode_ != TZipSortMode::ByNone;
    int written = 0;
    auto finish = [&] {
        FilesList.clear();
        if (physicalOrder) {
            BuildView();
        }
        KeepZipOpen = keepOpen;
    };
    try {
        if (!destDir_.empty() && !DirExists(destDir_)) {
            ForceDirs(destDir_);
        }
        if (physicalOrder) {
            view_ = entries_.get();
        }
        int count = 0;
        std::int64_t total = 0;
        SelectEntries(count, total);
        bool stop = false;
        if (OnStartUnZipInfo) {
            OnStartUnZipInfo(count, total, stop);
        }
        std::int64_t done = 0;
        for (int i = 0; !stop && i < view_->Count(); ++i) {
            if (!view_->Items(i)->Selected && !DoAll) {
                continue;
            }
            bool retry = false;
            do {
                retry = false;
                if (ExtractEntry(i, retry, done, total)) {
                    ++written;
                }
            } while (retry);
        }
    } catch (...) {
        finish();
        if (OnUnZipComplete) {
            OnUnZipComplete(written);
        }
        throw;
    }
    finish();
    if (OnUnZipComplete) {
        OnUnZipComplete(written);
    }
    return written;
}

std::string TUnZipper::OutputName(const TZipHeaderInfo& entry) const {
    std::string folder;
    if (RecreateDirs) {
        folder = entry.Directory();
        if (!rootDir_.empty() && folder.size() >= rootDir_.size()) {
            const bool rooted =
                std::equal(rootDir_.begin(), rootDir_.end(), folder.begin(), [](char a, char b) {
                    return std::toupper(static_cast<unsigned char>(a)) ==
                           std::toupper(static_cast<unsigned char>(b));
                });
            if (rooted) {
                folder.erase(0, rootDir_.size());
            }
        }
    }
    return (destDir_.empty() ? std::string() : destDir_ + "/") + folder + entry.Filename();
}

bool TUnZipper::ExtractEntry(int index, bool& retry, std::int64_t& totalDone,
                             std::int64_t totalBytes) {
    TZipHeaderInfo work;
    work.Assign(*view_->Items(index));
    work.OEMConvert = OEMConvert;
    const std::string stored = work.Directory() + work.Filename();
    if (!IsSafeEntryName(stored)) {
        if (OnSkippingFile) {
            OnSkippingFile(TSkipReason::srUnsafeName, stored, index, retry);
        }
        return false;
    }
    std::string name = OutputName(work);
    if (work.Filename().empty()) {
        if (RecreateDirs && !DirExists(name)) {
            ForceDirs(name);
        }
        return true;
    }

    if (numberOfDisks_ > 1 && work.DiskNumberStart != currentDisk_) {
        GetNextDisk(work.DiskNumberStart + 1);
    }
    TStream& archive = Archive();
    archive.Seek(work.RelativeOffset, soFromBeginning);
    TZipHeaderInfo local;
    local.OEMConvert = OEMConvert;
    if (!local.ReadLocalFromStream(archive)) {
        throw EBadZipFile(msg::NotAZipFile);
    }
    archive.Seek(local.LocalExtraLength, soFromCurrent);

    bool skip = false;
    if (OnStartUnZip) {
        OnStartUnZip(index, name, skip);
    }
    if (skip) {
        return false;
    }
    const std::string folder = ExtractFilePath(name);
    if (!folder.empty() && !DirExists(folder)) {
        ForceDirs(folder);
    }

    std::int64_t compressedLeft = work.CompressedSize;
    TZipCrypt crypt;
    if (work.Encrypted()) {
        TEncryptionHeader header{};
        if (archive.Read(header.data(), EncryptionHeaderSize) != EncryptionHeaderSize) {
            throw EFatalUnzipError(msg::PrematureEnd);
        }
        compressedLeft -= EncryptionHeaderSize;
        const std::uint8_t expected = work.HasDescriptor()
                                          ? static_cast<std::uint8_t>(work.DateTime >> 8)
                                          : static_cast<std::uint8_t>(work.CRC32 >> 24);
        while (crypt.CheckHeader(Password, header) != expected) {
            std::string newPassword;
            if (OnBadPassword) {
                OnBadPassword(index, newPassword);
            }
            if (newPassword.empty() || newPassword == Password) {
                if (OnSkippingFile) {
                    OnSkippingFile(TSkipReason::srBadPassword, name, index, retry);
                }
                return false;
            }
            Password = newPassword;
        }
    }

    if (OverwriteMode != TUZOverwriteMode::Always && FileExists(name)) {
        bool overwrite = false;
        const std::uint32_t existing = FileDateTime(name).value_or(0);
        switch (OverwriteMode) {
        case TUZOverwriteMode::Prompt:
            if (OnPromptForOverwrite) {
                OnPromptForOverwrite(overwrite, index, name);
            } else {
                overwrite = Callbacks().AskYesNo(msg::FileExistsAlert,
                                                 msg::ReplaceExistingFile + work.Filename() + "?");
            }
            break;
        case TUZOverwriteMode::ifNewer:
            overwrite = work.DateTime > existing;
            break;
        case TUZOverwriteMode::ifOlder:
            overwrite = work.DateTime < existing;
            break;
        default:
            break;
        }
        if (!overwrite) {
            if (OnSkippingFile) {
                OnSkippingFile(TSkipReason::srNoOverwrite, name, index, retry);
            }
            return false;
        }
    }

    // A read-only file is replaced only when the owner allows it; a folder never is.
    const bool blocked = DirExists(name) || (!ReplaceReadOnly && IsReadOnlyFile(name));
    std::unique_ptr<TExtractTarget> target;
    if (!blocked) {
        try {
            target = CreateExtractTarget(name, FlushFilesOnClose);
        } catch (const EStreamError&) {
            target.reset();
        }
    }
    if (!target) {
        if (OnSkippingFile) {
            OnSkippingFile(TSkipReason::srCreateError, name, index, retry);
        }
        return false;
    }

    if (!IsKnownMethod(work.CompressionMethod)) {
        Callbacks().ShowMessage(msg::ZipError, msg::UnknownMethod);
        return false;
    }
    EntryExtraction extraction(*this, work, *target, work.Encrypted() ? &crypt : nullptr,
                               compressedLeft, totalDone, totalBytes);
    const TDecodeResult result = DecodeEntryData(work.CompressionMethod, work.Flags,
                                                 work.UncompressedSize, extraction, extraction);
    if (result == TDecodeResult::OutOfMemory) {
        Callbacks().ShowMessage(msg::Error, msg::InflateOutOfMemory);
    }
    const bool shortOfSize =
        result == TDecodeResult::Ok && extraction.Written() < work.UncompressedSize;
    if (shortOfSize && !work.Encrypted()) {
        // The data ended cleanly before the declared size: no bad CRC, whatever the CRCs say.
        throw ESmallerThanUncompressed(msg::SmallerThanUncompressed);
    }
    const bool complete =
        result == TDecodeResult::Ok && !shortOfSize && extraction.Crc() == work.CRC32;
    if (!complete) {
        if (work.Encrypted()) {
            std::string newPassword;
            if (OnBadPassword) {
                OnBadPassword(index, newPassword);
            }
            if (!newPassword.empty() && newPassword != Password) {
                Password = newPassword;
                retry = true;
            } else if (OnSkippingFile) {
                OnSkippingFile(TSkipReason::srBadPassword, name, index, retry);
            }
        } else if (OnBadCRC) {
            OnBadCRC(extraction.Crc(), work.CRC32, index);
        }
        return false;
    }
    target->Commit(work.DateTime, RetainAttributes, (work.ExternalAttributes & 0x01) != 0);
    if (OnEndUnZip) {
        OnEndUnZip(index, name);
    }
    return true;
}

} // namespace duebell::zip
