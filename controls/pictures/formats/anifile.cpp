#include "controls/pictures/formats/anifile.h"

#include "controls/pictures/formats/bytereader.h"
#include "controls/pictures/formats/pictureerrors.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace duebell::pictures {

namespace {

constexpr std::size_t MaxInfoText = 255;

struct Chunk {
    std::string_view id;
    std::string_view data;
};

// The chunks of a RIFF body in turn; each must fit the body, and an odd size is followed by a
// pad byte (which the body's last chunk may leave out).
class ChunkReader {
public:
    explicit ChunkReader(std::string_view body) : body_(body) {}

    std::optional<Chunk> Next() {
        if (body_.empty()) {
            return std::nullopt;
        }
        ByteReader in(body_);
        const std::string_view id = in.Bytes(4);
        const std::uint32_t size = in.DWord();
        if (size > in.Remaining()) {
            throw EReadError();
        }
        const Chunk chunk{id, in.Bytes(size)};
        body_.remove_prefix(
            std::min<std::size_t>(body_.size(), 8 + std::size_t{size} + (size & 1)));
        return chunk;
    }

private:
    std::string_view body_;
};

std::vector<int> ReadNumbers(std::string_view data) {
    ByteReader in(data);
    std::vector<int> numbers;
    while (in.Remaining() >= 4) {
        numbers.push_back(static_cast<int>(std::min<std::uint32_t>(in.DWord(), INT_MAX)));
    }
    return numbers;
}

// A text up to its terminating zero, at most 255 characters.
std::string ReadText(std::string_view data) {
    const std::string_view text = data.substr(0, data.find('\0'));
    return std::string(text.substr(0, MaxInfoText));
}

class AniReader {
public:
    TAniCursorData Read(std::string_view bytes) {
        ByteReader in(bytes);
        if (in.Bytes(4) != "RIFF") {
            throw EReadError();
        }
        const std::uint32_t size = in.DWord();
        if (size < 4 || size > in.Remaining() || in.Bytes(4) != "ACON") {
            throw EReadError();
        }
        ChunkReader chunks(bytes.substr(12, size - 4));
        while (const std::optional<Chunk> chunk = chunks.Next()) {
            ReadChunk(*chunk);
        }
        return Finish();
    }

private:
    void ReadChunk(const Chunk& chunk) {
        if (chunk.id == "anih") {
            ByteReader in(chunk.data);
            in.Skip(28); // size, frame and step counts, width, height, bits, planes
            result_.defaultRate = static_cast<int>(std::min<std::uint32_t>(in.DWord(), INT_MAX));
            haveHeader_ = true;
        } else if (chunk.id == "rate") {
            rates_ = ReadNumbers(chunk.data);
        } else if (chunk.id == "seq ") {
            result_.sequence = ReadNumbers(chunk.data);
            haveSequence_ = true;
        } else if (chunk.id == "LIST" && chunk.data.size() >= 4) {
            ReadList(chunk.data.substr(0, 4), chunk.data.substr(4));
        } else if (chunk.id == "LIST") {
            throw EReadError();
        }
    }

    void ReadList(std::string_view type, std::string_view body) {
        ChunkReader chunks(body);
        while (const std::optional<Chunk> chunk = chunks.Next()) {
            if (type == "fram" && chunk->id == "icon") {
                ReadFrame(chunk->data);
            } else if (type == "INFO" && chunk->id == "INAM") {
                result_.title = ReadText(chunk->data);
            } else if (type == "INFO" && chunk->id == "IART") {
                result_.creator = ReadText(chunk->data);
            }
        }
    }

    void ReadFrame(std::string_view data) {
        try {
            result_.frames.push_back({BestIconImage(ReadIconFile(data)), 0});
        } catch (const EInvalidGraphic&) {
            throw EReadError();
        }
    }

    TAniCursorData Finish() {
        if (!haveHeader_ || result_.frames.empty()) {
            throw EReadError();
        }
        const int frameCount = static_cast<int>(result_.frames.size());
        for (int i = 0; i < frameCount; ++i) {
            result_.frames[i].rate =
                i < static_cast<int>(rates_.size()) ? rates_[i] : result_.defaultRate;
        }
        if (!haveSequence_) {
            for (int i = 0; i < frameCount; ++i) {
                result_.sequence.push_back(i);
            }
        }
        for (const int index : result_.sequence) {
            if (index >= frameCount) {
                throw EReadError();
            }
        }
        return std::move(result_);
    }

    TAniCursorData result_;
    std::vector<int> rates_;
    bool haveHeader_ = false;
    bool haveSequence_ = false;
};

} // namespace

TAniCursorData ReadAniCursor(std::string_view bytes) {
    return AniReader().Read(bytes);
}

} // namespace duebell::pictures
