#include "database_header.h"

#include <array>
#include <cstring>
#include <utility>

namespace jet_writer {

namespace {

constexpr std::size_t maskedOffset = 0x18;
constexpr std::size_t maskedSize = 128;
constexpr std::uint32_t maskKey = 0x6b39dac7;

constexpr std::size_t codePageOffset = 0x3c;
constexpr std::size_t databaseKeyOffset = 0x3e;
constexpr std::size_t passwordOffset = 0x42;
constexpr std::size_t passwordSize = 40;
constexpr std::size_t sortOrderOffset = 0x6e;
constexpr std::size_t creationDateOffset = 0x72;
constexpr std::uint16_t windowsWesternCodePage = 1252;

std::array<std::uint8_t, maskedSize> rc4KeyStream(std::uint32_t key) {
    std::array<std::uint8_t, 4> keyBytes{};
    putU32(keyBytes.data(), key);
    std::array<std::uint8_t, 256> state{};
    for (std::size_t i = 0; i < state.size(); ++i)
        state[i] = static_cast<std::uint8_t>(i);
    for (std::size_t i = 0, j = 0; i < state.size(); ++i) {
        j = (j + state[i] + keyBytes[i % keyBytes.size()]) % 256;
        std::swap(state[i], state[j]);
    }
    std::array<std::uint8_t, maskedSize> stream{};
    for (std::size_t n = 0, i = 0, j = 0; n < stream.size(); ++n) {
        i = (i + 1) % 256;
        j = (j + state[i]) % 256;
        std::swap(state[i], state[j]);
        stream[n] = state[(state[i] + state[j]) % 256];
    }
    return stream;
}

// Values of unknown meaning that Access writes in every new Jet 4 file, kept as it writes
// them.
void setEngineConstants(Page& page) {
    static constexpr std::uint8_t counters[] = {0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00,
                                                0x02, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00,
                                                0x04, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00};
    page.setBytes(maskedOffset, counters);
    page.setU32(0x6a, 0x11a6);
    page.setU32(0x98, 0x0654);
    page.setBytes(0x9c,
                  std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>("4.0"), 4));
    page.setU32(0xe00, 0x01270108);
    for (std::size_t offset = 0xe04; offset < pageSize; offset += 2)
        page.setU16(offset, 0x0100);
}

// An empty password, masked with the integer part of the creation date as Jet 4 does.
void setEmptyPassword(Page& page) {
    std::array<std::uint8_t, 4> mask{};
    putU32(mask.data(), static_cast<std::uint32_t>(fixedCreationDate));
    for (std::size_t i = 0; i < passwordSize; ++i)
        page.setU8(passwordOffset + i, mask[i % mask.size()]);
}

void setCreationDate(Page& page) {
    Bytes date;
    appendF64(date, fixedCreationDate);
    page.setBytes(creationDateOffset, date);
}

void applyMask(Page& page) {
    const auto stream = rc4KeyStream(maskKey);
    for (std::size_t i = 0; i < maskedSize; ++i)
        *page.at(maskedOffset + i) ^= stream[i];
}

} // namespace

Page databaseHeaderPage() {
    Page page;
    page.setU8(0, static_cast<std::uint8_t>(PageType::databaseHeader));
    page.setU8(1, 0x01);
    static constexpr char engine[] = "Standard Jet DB";
    page.setBytes(4, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(engine),
                                                   sizeof engine));
    page.setU32(0x14, 1); // Jet 4
    setEngineConstants(page);
    page.setU16(codePageOffset, windowsWesternCodePage);
    page.setU32(databaseKeyOffset, 0); // not encrypted
    setEmptyPassword(page);
    page.setU32(sortOrderOffset, generalSortOrder);
    setCreationDate(page);
    applyMask(page);
    return page;
}

} // namespace jet_writer
