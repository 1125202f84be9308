// Fuzzes the zip reader: the input is an archive file; it is opened (rebuilt from its local
// headers when its directory is missing), listed, and every entry is extracted into memory,
// which decodes it and checks it against its size and CRC. Exceptions of the program's own
// tree are the expected answers to bad input; anything else is a fault.
#include "zip/extracttarget.h"
#include "zip/stream.h"
#include "zip/unzipper.h"
#include "zip/zipexceptions.h"

#include <cstddef>
#include <cstdint>

namespace {

using namespace duebell::zip;

class DiscardingTarget final : public TExtractTarget {
public:
    bool Write(const std::uint8_t*, std::size_t) override { return true; }
    void Commit(std::uint32_t, bool, bool) override {}
};

class MemoryUnZipper final : public TUnZipper {
public:
    MemoryUnZipper(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

protected:
    std::unique_ptr<TStream> OpenArchiveFile(const std::string& fileName) override {
        if (fileName != "fuzz.zip") {
            throw EFOpenError("Cannot open file \"" + fileName + "\"");
        }
        return std::make_unique<TMemoryStream>(data_, size_);
    }
    std::unique_ptr<TExtractTarget> CreateExtractTarget(const std::string&, bool) override {
        return std::make_unique<DiscardingTarget>();
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryUnZipper unzipper(data, size);
    unzipper.SetZipName("fuzz.zip");
    unzipper.IncompleteZipMode = TIncompleteZipMode::izAssumeBad;
    unzipper.DoAll = true;
    unzipper.OverwriteMode = TUZOverwriteMode::Always;
    unzipper.Password = "password";
    try {
        unzipper.OpenArchive();
        unzipper.SetSortMode(TZipSortMode::ByName);
        for (int i = 0; i < unzipper.Count(); ++i) {
            unzipper.FileComment(i);
        }
        unzipper.ZipComment();
        unzipper.UnZip();
    } catch (const duebell::Exception&) {
    }
    return 0;
}
