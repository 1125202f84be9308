// Where the bytes of an extracted entry go. A file is written under a temporary name beside
// its final name and renamed into place only when Commit is called, after its CRC matched;
// a target dropped without Commit leaves nothing behind and an existing file untouched.
#pragma once

#include "zip/bufferstream.h"

#include <cstdint>
#include <memory>
#include <string>

namespace duebell::zip {

class TExtractTarget {
public:
    virtual ~TExtractTarget() = default;
    // False when fewer bytes could be written.
    virtual bool Write(const std::uint8_t* data, std::size_t count) = 0;
    // Puts the file in place with the entry's date-time and, when asked, read-only;
    // raises ECantWriteUCF when that fails.
    virtual void Commit(std::uint32_t dosDateTime, bool setAttributes, bool readOnly) = 0;
};

class TFileExtractTarget : public TExtractTarget {
public:
    // Raises EFCreateError when the temporary file cannot be created.
    TFileExtractTarget(const std::string& fileName, bool flushToDisk);
    ~TFileExtractTarget() override;

    bool Write(const std::uint8_t* data, std::size_t count) override;
    void Commit(std::uint32_t dosDateTime, bool setAttributes, bool readOnly) override;

private:
    std::string fileName_;
    std::string tempName_;
    bool flushToDisk_;
    std::unique_ptr<TFileStream> file_;
    std::unique_ptr<TS_BufferStream> stream_;
    bool committed_ = false;
};

} // namespace duebell::zip
