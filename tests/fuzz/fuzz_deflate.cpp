// Fuzzes the deflate encoder by round trip: the first byte chooses the level and the size of
// the input pieces, the rest is deflated and inflated by our own decoder, which must give it
// back byte for byte from a stream that ends exactly where the encoder stopped.
#include "zip/decoderio.h"
#include "zip/deflate.h"
#include "zip/inflate.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using namespace duebell::zip;

class MemoryInput final : public TDecoderInput {
public:
    explicit MemoryInput(const std::vector<std::uint8_t>& data) : data_(data) {}
    std::size_t Fetch(std::uint8_t* buffer, std::size_t capacity) override {
        const std::size_t n = std::min(capacity, data_.size() - offset_);
        std::copy_n(data_.begin() + static_cast<std::ptrdiff_t>(offset_), n, buffer);
        offset_ += n;
        return n;
    }

private:
    const std::vector<std::uint8_t>& data_;
    std::size_t offset_ = 0;
};

class MemoryOutput final : public TDecoderOutput {
public:
    void Deliver(const std::uint8_t* data, std::size_t count) override {
        bytes.insert(bytes.end(), data, data + count);
    }
    std::vector<std::uint8_t> bytes;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int level = 1 + data[0] % 9;
    const std::size_t piece = 1 + data[0] / 9 * 97;
    const std::uint8_t* input = data + 1;
    const std::size_t length = size - 1;

    static DeflateEncoder encoder; // reused, as the zip component reuses it for every file
    std::vector<std::uint8_t> packed;
    std::size_t offset = 0;
    encoder.Deflate(
        level,
        [&](std::uint8_t* buffer, std::size_t capacity) {
            const std::size_t n = std::min({capacity, piece, length - offset});
            std::copy_n(input + offset, n, buffer);
            offset += n;
            return n;
        },
        [&](const std::uint8_t* bytes, std::size_t count) {
            if (count == 0 || count > 1024) {
                std::abort();
            }
            packed.insert(packed.end(), bytes, bytes + count);
        });

    MemoryInput source(packed);
    TBitReader bits(source);
    MemoryOutput sink;
    TOutputWindow window(sink);
    const TDecodeResult result = Inflate(bits, window);
    window.Flush();
    if (result != TDecodeResult::Ok || bits.Overrun() ||
        !std::equal(sink.bytes.begin(), sink.bytes.end(), input, input + length)) {
        std::abort();
    }
    return 0;
}
