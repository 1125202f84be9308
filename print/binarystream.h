// A little-endian, packed byte stream for the stored forms of documents: the typed
// primitives the document's items write and read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace duebell {

class TPqStream {
public:
    TPqStream() = default;
    explicit TPqStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::int64_t Size() const { return static_cast<std::int64_t>(bytes_.size()); }
    std::int64_t Position() const { return position_; }
    // Moves anywhere from 0 to the end; beyond the end the stream grows on the next write.
    void Seek(std::int64_t position);
    bool AtEnd() const { return position_ >= Size(); }
    std::int64_t Remaining() const { return position_ < Size() ? Size() - position_ : 0; }

    void WriteBytes(const void* data, std::size_t count);
    void WriteByte(std::uint8_t v) { WriteBytes(&v, 1); }
    void WriteBool(bool v) { WriteByte(v ? 1 : 0); }
    void WriteInt32(std::int32_t v);
    void WriteUInt32(std::uint32_t v);
    void WriteDouble(double v);
    // An x87 80-bit extended float.
    void WriteExtended(double v);
    // Int32 length, then the bytes.
    void WriteString(const std::string& text);

    // The largest extended value a document holds: lengths are inches, angles degrees.
    static constexpr double MaxStoredMagnitude = 1e6;

    // Each read raises Exception("Stream read error") when the stream ends early; an
    // extended value that is no number or beyond MaxStoredMagnitude raises it too.
    void ReadBytes(void* data, std::size_t count);
    std::uint8_t ReadByte();
    bool ReadBool() { return ReadByte() != 0; }
    std::int32_t ReadInt32();
    std::uint32_t ReadUInt32();
    double ReadDouble();
    double ReadExtended();
    std::string ReadString();

    // Guarded reads of the fields of objects, pages and bands: at the end of the stream the
    // target keeps its value.
    template <class T> void ReadGuarded(T& target) {
        if (!AtEnd())
            target = ReadAs(static_cast<T*>(nullptr));
    }

private:
    std::uint8_t ReadAs(std::uint8_t*) { return ReadByte(); }
    bool ReadAs(bool*) { return ReadBool(); }
    std::int32_t ReadAs(std::int32_t*) { return ReadInt32(); }
    double ReadAs(double*) { return ReadExtended(); }
    std::string ReadAs(std::string*) { return ReadString(); }

    std::vector<std::uint8_t> bytes_;
    std::int64_t position_ = 0;
};

// The 10 bytes of an x87 extended float holding 'value', and back.
void EncodeExtended(double value, std::uint8_t out[10]);
double DecodeExtended(const std::uint8_t in[10]);

} // namespace duebell
