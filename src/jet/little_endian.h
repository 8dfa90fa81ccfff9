#pragma once
// Little-endian integers, as every Jet structure stores them. Reads take a span and an offset
// and check that the whole value lies inside the span; writes are for buffers the caller sized.

#include "jet/jet_error.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace jet {

using ByteSpan = std::span<const std::uint8_t>;
using Bytes = std::vector<std::uint8_t>;

// True when [offset, offset + size) lies inside a span of spanSize bytes, without overflow.
inline bool Fits(std::size_t spanSize, std::size_t offset, std::size_t size) {
    return offset <= spanSize && size <= spanSize - offset;
}

// Throws the damage of a structure that overflows its page. Kept out of line, so that the checked
// reads below stay small enough to be inlined where rows are decoded.
[[noreturn]] void ThrowOverflowingStructure();

// The part [offset, offset + size) of bytes; damage when it is not all there.
inline ByteSpan Slice(ByteSpan bytes, std::size_t offset, std::size_t size) {
    if (!Fits(bytes.size(), offset, size)) [[unlikely]] {
        ThrowOverflowingStructure();
    }
    return bytes.subspan(offset, size);
}

template <typename Unsigned> Unsigned LoadLittleEndian(ByteSpan bytes, std::size_t offset) {
    const ByteSpan at = Slice(bytes, offset, sizeof(Unsigned));
    Unsigned value = 0;
    for (std::size_t i = sizeof(Unsigned); i-- > 0;) {
        value = static_cast<Unsigned>((value << 8) | at[i]);
    }
    return value;
}

inline std::uint8_t LoadU8(ByteSpan bytes, std::size_t offset) {
    return LoadLittleEndian<std::uint8_t>(bytes, offset);
}
inline std::uint16_t LoadU16(ByteSpan bytes, std::size_t offset) {
    return LoadLittleEndian<std::uint16_t>(bytes, offset);
}
inline std::uint32_t LoadU24(ByteSpan bytes, std::size_t offset) {
    const ByteSpan at = Slice(bytes, offset, 3);
    return std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 | std::uint32_t(at[2]) << 16;
}
inline std::uint32_t LoadU32(ByteSpan bytes, std::size_t offset) {
    return LoadLittleEndian<std::uint32_t>(bytes, offset);
}
inline std::uint64_t LoadU64(ByteSpan bytes, std::size_t offset) {
    return LoadLittleEndian<std::uint64_t>(bytes, offset);
}
inline double LoadF64(ByteSpan bytes, std::size_t offset) {
    const std::uint64_t bits = LoadU64(bytes, offset);
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
inline float LoadF32(ByteSpan bytes, std::size_t offset) {
    const std::uint32_t bits = LoadU32(bytes, offset);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline void StoreU16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}
inline void StoreU32(std::uint8_t* at, std::uint32_t value) {
    StoreU16(at, static_cast<std::uint16_t>(value));
    StoreU16(at + 2, static_cast<std::uint16_t>(value >> 16));
}

inline void AppendU8(Bytes& out, std::uint8_t value) {
    out.push_back(value);
}
inline void AppendU16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}
inline void AppendU32(Bytes& out, std::uint32_t value) {
    AppendU16(out, static_cast<std::uint16_t>(value));
    AppendU16(out, static_cast<std::uint16_t>(value >> 16));
}
inline void AppendF64(Bytes& out, double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    AppendU32(out, static_cast<std::uint32_t>(bits));
    AppendU32(out, static_cast<std::uint32_t>(bits >> 32));
}
inline void AppendBytes(Bytes& out, ByteSpan bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

} // namespace jet
