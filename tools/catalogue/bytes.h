#pragma once
// Byte buffers and the little-endian integers that every Jet structure uses.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace jet_writer {

using Bytes = std::vector<std::uint8_t>;

inline void putU16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void putU32(std::uint8_t* at, std::uint32_t value) {
    putU16(at, static_cast<std::uint16_t>(value));
    putU16(at + 2, static_cast<std::uint16_t>(value >> 16));
}

inline void appendU8(Bytes& out, std::uint8_t value) {
    out.push_back(value);
}

inline void appendU16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void appendU32(Bytes& out, std::uint32_t value) {
    appendU16(out, static_cast<std::uint16_t>(value));
    appendU16(out, static_cast<std::uint16_t>(value >> 16));
}

inline void appendF64(Bytes& out, double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    appendU32(out, static_cast<std::uint32_t>(bits));
    appendU32(out, static_cast<std::uint32_t>(bits >> 32));
}

inline void appendBytes(Bytes& out, std::span<const std::uint8_t> bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

} // namespace jet_writer
