#pragma once
// One page of the file, filled in place.

#include "jet/format.h"
#include "jet/little_endian.h"

#include <array>
#include <cstdint>
#include <span>

namespace jet_writer {

class Page {
public:
    std::uint8_t* at(std::size_t offset) { return bytes_.data() + offset; }
    std::span<const std::uint8_t, jet::kJet4PageSize> bytes() const { return bytes_; }

    void setU8(std::size_t offset, std::uint8_t value) { bytes_[offset] = value; }
    void setU16(std::size_t offset, std::uint16_t value) { jet::StoreU16(at(offset), value); }
    void setU32(std::size_t offset, std::uint32_t value) { jet::StoreU32(at(offset), value); }
    void setBytes(std::size_t offset, std::span<const std::uint8_t> bytes);

private:
    std::array<std::uint8_t, jet::kJet4PageSize> bytes_{};
};

} // namespace jet_writer
