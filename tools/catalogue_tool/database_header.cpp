#include "catalogue_tool/database_header.h"

#include "jet/database_page.h"

#include <array>
#include <string_view>

namespace jet_writer {

namespace {

// Values of unknown meaning that Access writes in every new Jet 4 file, kept as it writes
// them.
void SetEngineConstants(Page& page) {
    static constexpr std::uint8_t counters[] = {0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00,
                                                0x02, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00,
                                                0x04, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00};
    page.setBytes(jet::header::kMaskedOffset, counters);
    page.setU32(0x6a, 0x11a6);
    page.setU32(0x98, 0x0654);
    page.setBytes(0x9c,
                  std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>("4.0"), 4));
    page.setU32(0xe00, 0x01270108);
    for (std::size_t offset = 0xe04; offset < jet::kJet4PageSize; offset += 2) {
        page.setU16(offset, 0x0100);
    }
}

// An empty password, masked with the integer part of the creation date as Jet 4 does.
void SetEmptyPassword(Page& page) {
    std::array<std::uint8_t, 4> mask{};
    jet::StoreU32(mask.data(), static_cast<std::uint32_t>(jet::kFixedCreationDate));
    for (std::size_t i = 0; i < jet::header::kJet4PasswordSize; ++i) {
        page.setU8(jet::header::kPasswordOffset + i, mask[i % mask.size()]);
    }
}

void SetCreationDate(Page& page) {
    jet::Bytes date;
    jet::AppendF64(date, jet::kFixedCreationDate);
    page.setBytes(jet::header::kCreationDateOffset, date);
}

void ApplyMask(Page& page) {
    const auto stream = jet::HeaderMaskStream();
    for (std::size_t i = 0; i < jet::header::kJet4MaskedSize; ++i) {
        *page.at(jet::header::kMaskedOffset + i) ^= stream[i];
    }
}

} // namespace

Page DatabaseHeaderPage() {
    Page page;
    page.setU8(0, static_cast<std::uint8_t>(jet::PageType::DatabaseHeader));
    page.setU8(1, 0x01);
    const std::string_view engine = jet::header::kJetSignature;
    page.setBytes(jet::header::kSignatureOffset,
                  std::span<const std::uint8_t>(
                      reinterpret_cast<const std::uint8_t*>(engine.data()), engine.size()));
    page.setU32(jet::header::kVersionOffset, static_cast<std::uint32_t>(jet::Version::Jet4));
    SetEngineConstants(page);
    page.setU16(jet::header::kCodePageOffset, jet::kWindowsWesternCodePage);
    page.setU32(jet::header::kDatabaseKeyOffset, 0); // not encrypted
    SetEmptyPassword(page);
    page.setU32(jet::header::kSortOrderOffset, jet::kGeneralSortOrder);
    SetCreationDate(page);
    ApplyMask(page);
    return page;
}

} // namespace jet_writer
