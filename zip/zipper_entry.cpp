// One file into the archive: its entry, its local header, its data stored or deflated and,
// with a password, encrypted.
#include "zip/crc32.h"
#include "zip/dosdatetime.h"
#include "zip/filehelpers.h"
#include "zip/oemcodepage.h"
#include "zip/wildcard.h"
#include "zip/zipexceptions.h"
#include "zip/zipmessages.h"
#include "zip/zipper.h"
#include "zip/zipper_build.h"

#include <ctime>
#include <filesystem>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace duebell::zip {

namespace {

constexpr int InputBufferSize = 8192;
constexpr std::int64_t StoredPieceSize = 32768;
constexpr std::int64_t CopyProgressStep = 16384;
constexpr std::int64_t MaxSize = std::numeric_limits<std::uint32_t>::max();

constexpr std::uint32_t AttributeReadOnly = 0x01;
constexpr std::uint32_t AttributeDirectory = 0x10;
constexpr std::uint32_t AttributeArchive = 0x20;

constexpr std::uint16_t InternalText = 1;
constexpr std::uint16_t InternalUndecided = 2;
constexpr std::uint16_t LevelFlagBits = 0x0006;

// The attributes an MS-DOS archive stores for the file: read-only when nobody may write it.
std::uint32_t DosAttributes(const std::string& fileName) {
    struct stat info {};
    if (::stat(fileName.c_str(), &info) != 0) {
        return AttributeArchive;
    }
    if (S_ISDIR(info.st_mode)) {
        return AttributeDirectory;
    }
    const bool writable = (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    return AttributeArchive | (writable ? 0 : AttributeReadOnly);
}

std::uint32_t DosDateTimeNow() {
    return DosDateTimeFromUnix(std::time(nullptr));
}

void CheckSize(std::int64_t size, const std::string& what) {
    if (size > MaxSize) {
        throw Exception(what + " is larger than 4 GB, more than a zip archive can hold.");
    }
}

std::uint32_t FileCrc(TStream& input) {
    std::vector<std::uint8_t> buffer(InputBufferSize);
    std::uint32_t crc = Crc32Start;
    for (;;) {
        const std::int64_t got = input.Read(buffer.data(), std::ssize(buffer));
        if (got <= 0) {
            return ~crc;
        }
        crc = UpdateCRC(crc, buffer.data(), static_cast<std::size_t>(got));
    }
}

std::string TemporaryFolder(const std::string& tempPath) {
    if (!tempPath.empty() && DirExists(tempPath)) {
        return tempPath;
    }
    std::error_code error;
    const auto system = std::filesystem::temp_directory_path(error);
    return error ? std::string(".") : system.string();
}

} // namespace

bool TZipper::AddFile(Build& build, const std::string& fileName) {
    auto entry = std::make_unique<TZipHeaderInfo>();
    entry->OEMConvert = OEMConvert;
    if (!CompressFile(build, fileName, *entry)) {
        return false;
    }
    AddEntry(build, std::move(entry));
    ++build.filesAdded;
    if (Dispose) {
        build.toDispose.push_back(fileName);
    }
    return true;
}

bool TZipper::CompressFile(Build& build, const std::string& fileName, TZipHeaderInfo& entry) {
    const bool folder = !fileName.empty() && fileName.back() == '/';
    std::unique_ptr<TLFNFileStream> input;
    std::int64_t size = 0;
    if (folder) {
        entry.DateTime = FileDateTime(fileName).value_or(DosDateTimeNow());
        entry.CompressionMethod = 0;
        entry.InternalAttributes = 0;
        entry.CRC32 = 0;
        entry.ExternalAttributes = AttributeDirectory;
    } else {
        if (!FileExists(fileName)) {
            return false;
        }
        entry.ExternalAttributes = DosAttributes(fileName);
        try {
            input = std::make_unique<TLFNFileStream>(fileName, InputBufferSize, false,
                                                     TFileMode::OpenRead);
        } catch (const EStreamError&) {
            bool retry = false;
            if (OnSkippingFile) {
                OnSkippingFile(TSkipReason::srFileOpenError, fileName, -1, retry);
            }
            return false;
        }
        entry.DateTime = FileDateTime(fileName).value_or(DosDateTimeNow());
        size = input->Size();
        CheckSize(size, "\"" + fileName + "\"");
        entry.UncompressedSize = static_cast<std::uint32_t>(size);
        entry.InternalAttributes = InternalUndecided;
    }

    std::string name = folder ? std::string() : ExtractFileName(fileName);
    std::string path = StoredPath(fileName);
    if (OEMConvert) {
        name = OemRoundTrip(name);
        path = OemRoundTrip(path);
    }
    if (folder && path.empty()) {
        return false; // a folder without its path would be an entry without a name
    }
    entry.SetFilename(name);
    entry.SetDirectory(path);
    TZipOutput& output = *build.output;
    entry.DiskNumberStart = static_cast<std::uint16_t>(output.CurrentDisk());

    if (int at = 0; build.byName->Search(&entry, at)) {
        bool retry = false;
        if (OnSkippingFile) {
            OnSkippingFile(TSkipReason::srNoOverwrite, fileName, -1, retry);
        }
        build.totalBytes -= size;
        return false;
    }
    bool skip = false;
    if (OnStartZip) {
        OnStartZip(fileName, entry, skip);
    }
    if (skip) {
        return false;
    }

    if (output.MultiVolume()) {
        if (output.RoomLeft() <= entry.LocalSize()) {
            output.StartNextPart();
            if (output.RoomLeft() <= entry.LocalSize()) {
                throw ENotEnoughRoom(msg::NotEnoughRoom);
            }
        }
        entry.DiskNumberStart = static_cast<std::uint16_t>(output.CurrentDisk());
        // The data go to a temporary file first, since they may run over several parts.
        const std::string tempName = TempFileName(TemporaryFolder(TempPath));
        struct Remove {
            std::string name;
            ~Remove() { ::unlink(name.c_str()); }
        } removeTemp{tempName};
        TLFNFileStream temp(tempName, InputBufferSize, false, TFileMode::Create);
        if (input) {
            WriteEntryData(build, fileName, *input, size, temp, entry);
        }
        if (!temp.FlushBuffer()) {
            throw ENotEnoughRoom(msg::NotEnoughRoom);
        }
        CheckSize(output.Position(), "The archive");
        entry.SaveLocalToStream(output.Stream());
        temp.Seek(0, soFromBeginning);
        std::vector<std::uint8_t> piece(StoredPieceSize);
        std::int64_t left = entry.CompressedSize, copied = 0, reported = 0;
        while (left > 0) {
            if (output.RoomLeft() <= 0) {
                output.StartNextPart();
            }
            const std::int64_t count = std::min({left, output.RoomLeft(), std::ssize(piece)});
            temp.ReadBuffer(piece.data(), count);
            output.Stream().WriteBuffer(piece.data(), count);
            left -= count;
            copied += count;
            build.doneBytes += count * size / std::max<std::int64_t>(entry.CompressedSize, 1);
            if (copied - reported >= CopyProgressStep || left == 0) {
                reported = copied;
                if (OnFilePercentDone) {
                    OnFilePercentDone(
                        50 + static_cast<int>(Percentage(copied, entry.CompressedSize) / 2));
                }
                if (OnTotalPercentDone) {
                    OnTotalPercentDone(
                        static_cast<int>(Percentage(build.doneBytes, build.totalBytes)));
                }
                CheckCancel();
            }
        }
    } else {
        CheckSize(output.Position(), "The archive");
        entry.SaveLocalToStream(output.Stream());
        if (input) {
            WriteEntryData(build, fileName, *input, size, output.Stream(), entry);
            // The header now gets the sizes and CRC that were not known before.
            const std::int64_t end = output.Position();
            CheckSize(end, "The archive");
            output.Stream().Seek(entry.RelativeOffset, soFromBeginning);
            entry.SaveLocalToStream(output.Stream());
            output.Stream().Seek(end, soFromBeginning);
        }
    }

    input.reset();
    if (OnEndZip) {
        OnEndZip(fileName, entry.UncompressedSize, entry.CompressedSize, output.BytesWritten());
    }
    return true;
}

// Stores or deflates the input into sink through one output routine, which encrypts when a
// password is set; fills the entry's method, flags, sizes, CRC and text attribute.
void TZipper::WriteEntryData(Build& build, const std::string& fileName, TStream& input,
                             std::int64_t size, TStream& sink, TZipHeaderInfo& entry) {
    const bool multiVolume = build.output->MultiVolume();
    const bool encrypt = !Password.empty();
    std::uint32_t expectedCrc = 0;
    std::int64_t written = 0;
    if (encrypt) {
        expectedCrc = FileCrc(input);
        input.Seek(0, soFromBeginning);
        build.crypt.WriteHeader(Password, expectedCrc, sink);
    }

    std::vector<std::uint8_t> scratch;
    auto output = [&](const std::uint8_t* data, std::size_t length) {
        const std::uint8_t* piece = data;
        if (encrypt) {
            scratch.assign(data, data + length);
            if (OnEncrypt) {
                OnEncrypt(scratch.data(), static_cast<int>(length), Password);
            } else {
                build.crypt.EncryptBuffer(scratch.data(), length);
            }
            piece = scratch.data();
        }
        if (sink.Write(piece, static_cast<std::int64_t>(length)) !=
            static_cast<std::int64_t>(length)) {
            throw ENotEnoughRoom(msg::NotEnoughRoom);
        }
        written += static_cast<std::int64_t>(length);
        CheckCancel();
    };

    std::uint32_t crc = Crc32Start;
    std::int64_t read = 0;
    auto inputRoutine = [&](std::uint8_t* buffer, std::size_t capacity) {
        const std::int64_t want =
            std::min<std::int64_t>(static_cast<std::int64_t>(capacity), StoredPieceSize);
        const std::int64_t got = std::max<std::int64_t>(input.Read(buffer, want), 0);
        crc = UpdateCRC(crc, buffer, static_cast<std::size_t>(got));
        read += got;
        build.doneBytes += got;
        if (got > 0) {
            if (OnFilePercentDone) {
                const int percent = static_cast<int>(Percentage(read, size));
                OnFilePercentDone(multiVolume ? percent / 2 : percent);
            }
            if (OnTotalPercentDone) {
                OnTotalPercentDone(static_cast<int>(Percentage(build.doneBytes, build.totalBytes)));
            }
        }
        return static_cast<std::size_t>(got);
    };

    entry.Flags &= static_cast<std::uint16_t>(~(FlagEncrypted | LevelFlagBits));
    const bool store = PackLevel == 0 || [&] {
        for (const std::string& mask : NoCompressList) {
            const bool fullPath = mask.find('/') != std::string::npos;
            if (IsMatch(mask, fullPath ? fileName : ExtractFileName(fileName))) {
                return true;
            }
        }
        return false;
    }();
    if (store) {
        entry.CompressionMethod = 0;
        entry.InternalAttributes = 0;
        std::vector<std::uint8_t> piece(StoredPieceSize);
        while (const std::size_t got = inputRoutine(piece.data(), piece.size())) {
            output(piece.data(), got);
        }
    } else {
        entry.CompressionMethod = 8;
        entry.Flags |= deflate::levelFlags(PackLevel);
        const DeflateResult result = build.encoder->Deflate(PackLevel, inputRoutine, output);
        if (entry.InternalAttributes == InternalUndecided) {
            entry.InternalAttributes = result.isText ? InternalText : 0;
        }
    }

    crc = ~crc;
    if (encrypt) {
        if (crc != expectedCrc) {
            throw Exception("\"" + fileName + "\" changed while it was being zipped.");
        }
        entry.Flags |= FlagEncrypted;
        written += EncryptionHeaderSize;
    }
    CheckSize(read, "\"" + fileName + "\"");
    CheckSize(written, "The compressed \"" + fileName + "\"");
    entry.CRC32 = crc;
    entry.UncompressedSize = static_cast<std::uint32_t>(read);
    entry.CompressedSize = static_cast<std::uint32_t>(written);
}

} // namespace duebell::zip
