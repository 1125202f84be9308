#include "zip/inflate.h"

#include "zip/huffmantable.h"

#include <array>
#include <memory>
#include <new>

namespace duebell::zip {

namespace {

constexpr int LiteralRootBits = 9;
constexpr int DistanceRootBits = 6;
constexpr int MaxLength = 258;

constexpr std::array<std::uint16_t, 29> LengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                      15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                      67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> LengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> DistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> DistanceExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                        4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                        9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which code-length code lengths are stored.
constexpr std::array<std::uint8_t, 19> CodeLengthOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                          11, 4,  12, 3, 13, 2, 14, 1, 15};

THuffmanEntry LiteralMeaning(int symbol) {
    if (symbol < 256) {
        return {static_cast<std::uint16_t>(symbol), huffman_op::Literal, 0};
    }
    if (symbol == 256) {
        return {0, huffman_op::EndOfBlock, 0};
    }
    if (symbol <= 285) {
        const int i = symbol - 257;
        return {LengthBase[i], static_cast<std::uint8_t>(huffman_op::Base + LengthExtra[i]), 0};
    }
    return {0, huffman_op::Invalid, 0};
}

THuffmanEntry DistanceMeaning(int symbol) {
    if (symbol < 30) {
        return {DistanceBase[symbol],
                static_cast<std::uint8_t>(huffman_op::Base + DistanceExtra[symbol]), 0};
    }
    return {0, huffman_op::Invalid, 0};
}

THuffmanEntry CodeLengthMeaning(int symbol) {
    return {static_cast<std::uint16_t>(symbol), huffman_op::Literal, 0};
}

struct Tables {
    THuffmanTable literals;
    THuffmanTable distances;
    THuffmanTable codeLengths;
};

// Decodes one code with the reader's own state (the slow path).
THuffmanEntry DecodeSlow(TBitReader& in, const THuffmanTable& table) {
    in.Need(15);
    THuffmanEntry e = table.Entries()[in.Peek(table.RootBits())];
    if (e.op >= huffman_op::Subtable && e.op < huffman_op::Invalid) {
        const int subBits = e.op - huffman_op::Subtable;
        const std::uint32_t index = (in.Peek(table.RootBits() + subBits) >> table.RootBits());
        e = table.Entries()[e.value + index];
    }
    in.Drop(e.bits);
    return e;
}

bool BuildFixedTables(Tables& t) {
    std::array<std::uint8_t, 288> lengths{};
    for (int s = 0; s < 288; ++s) {
        lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    }
    std::array<std::uint8_t, 32> distances{};
    distances.fill(5);
    return t.literals.Build(lengths.data(), 288, LiteralRootBits, LiteralMeaning, false) &&
           t.distances.Build(distances.data(), 32, DistanceRootBits, DistanceMeaning, false);
}

bool ReadDynamicTables(TBitReader& in, Tables& t) {
    const int literalCount = static_cast<int>(in.Bits(5)) + 257;
    const int distanceCount = static_cast<int>(in.Bits(5)) + 1;
    const int codeLengthCount = static_cast<int>(in.Bits(4)) + 4;
    if (literalCount > 286 || distanceCount > 30) {
        return false;
    }
    std::array<std::uint8_t, 19> codeLengthLengths{};
    for (int i = 0; i < codeLengthCount; ++i) {
        codeLengthLengths[CodeLengthOrder[i]] = static_cast<std::uint8_t>(in.Bits(3));
    }
    if (!t.codeLengths.Build(codeLengthLengths.data(), 19, 7, CodeLengthMeaning, false)) {
        return false;
    }
    std::array<std::uint8_t, 286 + 30> lengths{};
    const int total = literalCount + distanceCount;
    int i = 0;
    while (i < total) {
        const THuffmanEntry e = DecodeSlow(in, t.codeLengths);
        if (e.op != huffman_op::Literal || in.Overrun()) {
            return false;
        }
        if (e.value < 16) {
            lengths[static_cast<std::size_t>(i++)] = static_cast<std::uint8_t>(e.value);
            continue;
        }
        std::uint8_t repeated = 0;
        int times = 0;
        if (e.value == 16) {
            if (i == 0) {
                return false;
            }
            repeated = lengths[static_cast<std::size_t>(i - 1)];
            times = 3 + static_cast<int>(in.Bits(2));
        } else if (e.value == 17) {
            times = 3 + static_cast<int>(in.Bits(3));
        } else {
            times = 11 + static_cast<int>(in.Bits(7));
        }
        if (i + times > total) {
            return false;
        }
        while (times-- > 0) {
            lengths[static_cast<std::size_t>(i++)] = repeated;
        }
    }
    if (lengths[256] == 0) {
        return false; // no end-of-block code
    }
    return t.literals.Build(lengths.data(), literalCount, LiteralRootBits, LiteralMeaning, false) &&
           t.distances.Build(lengths.data() + literalCount, distanceCount, DistanceRootBits,
                             DistanceMeaning, true);
}

bool StoredBlock(TBitReader& in, TOutputWindow& out) {
    in.AlignToByte();
    std::uint8_t header[4];
    if (in.TakeBytes(header, 4) != 4) {
        return false;
    }
    const unsigned length = header[0] | (header[1] << 8);
    const unsigned complement = header[2] | (header[3] << 8);
    if ((length ^ 0xFFFF) != complement) {
        return false;
    }
    std::uint8_t piece[4096];
    unsigned left = length;
    while (left > 0) {
        const std::size_t n = std::min<std::size_t>(left, sizeof piece);
        if (in.TakeBytes(piece, n) != n || in.Overrun()) {
            return false;
        }
        out.PutBlock(piece, n);
        left -= static_cast<unsigned>(n);
    }
    return !in.Overrun();
}

// One literal/length/distance symbol through the reader and window interfaces; used near
// the end of the input and of the window. False at a data error; ended at end of block.
bool DecodeSymbolSlow(TBitReader& in, TOutputWindow& out, const Tables& t, bool& ended) {
    const THuffmanEntry e = DecodeSlow(in, t.literals);
    if (in.Overrun()) {
        return false;
    }
    if (e.op == huffman_op::Literal) {
        out.Put(static_cast<std::uint8_t>(e.value));
        return true;
    }
    if (e.op == huffman_op::EndOfBlock) {
        ended = true;
        return true;
    }
    if (e.op < huffman_op::Base || e.op >= huffman_op::EndOfBlock) {
        return false;
    }
    const unsigned length = e.value + in.Bits(e.op - huffman_op::Base);
    const THuffmanEntry d = DecodeSlow(in, t.distances);
    if (d.op < huffman_op::Base || d.op >= huffman_op::EndOfBlock) {
        return false;
    }
    const unsigned distance = d.value + in.Bits(d.op - huffman_op::Base);
    if (in.Overrun() || distance > out.Total()) {
        return false;
    }
    out.Copy(distance, length);
    return true;
}

// The Huffman-coded data of one block. The fast loop runs while at least 8 input bytes and
// room for a longest match are at hand; it keeps the bit buffer and positions in locals.
bool HuffmanBlock(TBitReader& in, TOutputWindow& out, const Tables& t) {
    const THuffmanEntry* lit = t.literals.Entries();
    const THuffmanEntry* dist = t.distances.Entries();
    constexpr std::uint32_t litMask = (1u << LiteralRootBits) - 1;
    constexpr std::uint32_t distMask = (1u << DistanceRootBits) - 1;
    for (;;) {
        TBitReader::State s = in.Save();
        std::uint8_t* const window = out.Data();
        std::size_t pos = out.Cursor();
        const std::size_t limit = out.Limit() - MaxLength;
        // Bytes written before window[pos] over the whole entry, for the distance check.
        const std::uint64_t before = out.Total() - pos;
        while (s.end - s.in >= 8 && pos <= limit) {
            std::uint64_t word;
            std::memcpy(&word, s.in, 8);
            s.bits |= word << s.count;
            s.in += (63 - s.count) >> 3;
            s.count |= 56;

            THuffmanEntry e = lit[s.bits & litMask];
            if (e.op >= huffman_op::Subtable) {
                if (e.op == huffman_op::Invalid) {
                    return false;
                }
                const std::uint32_t sub = (1u << (e.op - huffman_op::Subtable)) - 1;
                e = lit[e.value + ((s.bits >> LiteralRootBits) & sub)];
            }
            s.bits >>= e.bits;
            s.count -= e.bits;
            if (e.op == huffman_op::Literal) {
                window[pos++] = static_cast<std::uint8_t>(e.value);
                continue;
            }
            if (e.op == huffman_op::EndOfBlock) {
                in.Restore(s);
                out.Cursor() = pos;
                return !in.Overrun();
            }
            if (e.op >= huffman_op::EndOfBlock) {
                return false;
            }
            const int lengthExtra = e.op - huffman_op::Base;
            const std::size_t length = e.value + (s.bits & ((1u << lengthExtra) - 1));
            s.bits >>= lengthExtra;
            s.count -= lengthExtra;

            THuffmanEntry d = dist[s.bits & distMask];
            if (d.op >= huffman_op::Subtable) {
                if (d.op == huffman_op::Invalid) {
                    return false;
                }
                const std::uint32_t sub = (1u << (d.op - huffman_op::Subtable)) - 1;
                d = dist[d.value + ((s.bits >> DistanceRootBits) & sub)];
            }
            if (d.op < huffman_op::Base || d.op >= huffman_op::EndOfBlock) {
                return false;
            }
            const int distanceExtra = d.op - huffman_op::Base;
            s.bits >>= d.bits;
            s.count -= d.bits;
            const std::size_t distance = d.value + (s.bits & ((1u << distanceExtra) - 1));
            s.bits >>= distanceExtra;
            s.count -= distanceExtra;
            if (distance > before + pos) {
                return false;
            }
            std::uint8_t* to = window + pos;
            const std::uint8_t* from = to - distance;
            if (distance >= 8) {
                for (std::size_t i = 0; i < length; i += 8) {
                    std::memcpy(to + i, from + i, 8);
                }
            } else if (distance == 1) {
                std::memset(to, *from, length);
            } else {
                for (std::size_t i = 0; i < length; ++i) {
                    to[i] = from[i];
                }
            }
            pos += length;
        }
        in.Restore(s);
        out.Cursor() = pos;
        // Near the end of the input or of the window: one symbol the careful way.
        bool ended = false;
        if (!DecodeSymbolSlow(in, out, t, ended)) {
            return false;
        }
        if (ended) {
            return !in.Overrun();
        }
    }
}

} // namespace

TDecodeResult Inflate(TBitReader& in, TOutputWindow& out) {
    std::unique_ptr<Tables> tables;
    try {
        tables = std::make_unique<Tables>();
    } catch (const std::bad_alloc&) {
        return TDecodeResult::OutOfMemory;
    }
    bool last = false;
    while (!last) {
        last = in.Bits(1) == 1;
        const std::uint32_t type = in.Bits(2);
        bool ok = false;
        if (type == 0) {
            ok = StoredBlock(in, out);
        } else if (type == 1) {
            ok = BuildFixedTables(*tables) && HuffmanBlock(in, out, *tables);
        } else if (type == 2) {
            ok = ReadDynamicTables(in, *tables) && HuffmanBlock(in, out, *tables);
        }
        if (!ok || in.Overrun()) {
            out.Flush();
            return TDecodeResult::DataError;
        }
    }
    out.Flush();
    return TDecodeResult::Ok;
}

} // namespace duebell::zip
