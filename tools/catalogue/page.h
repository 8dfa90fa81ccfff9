#pragma once
// One page of the file, filled in place.

#include "bytes.h"
#include "jet_format.h"

#include <array>
#include <cstdint>
#include <span>

namespace jet_writer {

class Page {
public:
    std::uint8_t* at(std::size_t offset) { return bytes_.data() + offset; }
    std::span<const std::uint8_t, pageSize> bytes() const { return bytes_; }

    void setU8(std::size_t offset, std::uint8_t value) { bytes_[offset] = value; }
    void setU16(std::size_t offset, std::uint16_t value) { putU16(at(offset), value); }
    void setU32(std::size_t offset, std::uint32_t value) { putU32(at(offset), value); }
    void setBytes(std::size_t offset, std::span<const std::uint8_t> bytes);

private:
    std::array<std::uint8_t, pageSize> bytes_{};
};

} // namespace jet_writer
