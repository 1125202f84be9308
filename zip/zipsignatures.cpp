#include "zip/zipsignatures.h"

namespace duebell::zip {

namespace {

struct Signatures {
    std::uint32_t central = DefaultCentralSignature;
    std::uint32_t local = DefaultLocalSignature;
    std::uint32_t end = DefaultEndSignature;
};

Signatures& Current() {
    static Signatures signatures;
    return signatures;
}

} // namespace

void SetZipSignatures(std::uint32_t central, std::uint32_t local, std::uint32_t end) {
    Current().central = central != 0 ? central : DefaultCentralSignature;
    Current().local = local != 0 ? local : DefaultLocalSignature;
    Current().end = end != 0 ? end : DefaultEndSignature;
}

std::uint32_t CentralSignature() {
    return Current().central;
}
std::uint32_t LocalSignature() {
    return Current().local;
}
std::uint32_t EndSignature() {
    return Current().end;
}

std::array<std::uint8_t, 4> LocalSignatureBytes() {
    const std::uint32_t s = Current().local;
    return {static_cast<std::uint8_t>(s), static_cast<std::uint8_t>(s >> 8),
            static_cast<std::uint8_t>(s >> 16), static_cast<std::uint8_t>(s >> 24)};
}

std::uint8_t EndSignatureLowByte() {
    return static_cast<std::uint8_t>(Current().end);
}

} // namespace duebell::zip
