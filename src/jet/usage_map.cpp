#include "jet/usage_map.h"

#include "jet/data_page.h"

#include <string>

namespace jet {
namespace {

// Adds first + i for each bit i set in the bitmap; damage when one lies beyond the file.
void AddMarkedPages(ByteSpan bitmap, std::uint64_t first, std::uint32_t pageCount,
                    std::vector<std::uint32_t>& pages) {
    for (std::size_t byte = 0; byte < bitmap.size(); ++byte) {
        for (unsigned bit = 0; bit < 8; ++bit) {
            if ((bitmap[byte] >> bit & 1u) == 0) {
                continue;
            }
            const std::uint64_t page = first + 8 * byte + bit;
            if (page >= pageCount) {
                throw FormatError::Damaged("une table de pages désigne la page " +
                                           std::to_string(page) + ", hors du fichier");
            }
            pages.push_back(static_cast<std::uint32_t>(page));
        }
    }
}

void ReadReferenceMap(const PageFile& file, ByteSpan record, std::vector<std::uint32_t>& pages) {
    const std::uint64_t span = (file.pageSize() - usage_map::kBitmapPageHeaderSize) * 8;
    for (std::size_t entry = 0; 1 + 4 * entry + 4 <= record.size(); ++entry) {
        const std::uint32_t mapPage = LoadU32(record, 1 + 4 * entry);
        if (mapPage == 0) {
            continue;
        }
        const ByteSpan bitmapPage =
            file.PageOfType(mapPage, PageType::UsageBitmap, "une table de pages");
        AddMarkedPages(bitmapPage.subspan(usage_map::kBitmapPageHeaderSize), entry * span,
                       file.pageCount(), pages);
    }
}

} // namespace

std::vector<std::uint32_t> ReadUsageMap(const PageFile& file, std::uint32_t mapPointer) {
    const DataPage page(file, PointerPage(mapPointer));
    if (PointerRow(mapPointer) >= page.rowCount()) {
        throw FormatError::Damaged("une table de pages est introuvable");
    }
    const RowSlot slot = page.Row(PointerRow(mapPointer));
    if (slot.state != RowSlot::State::Present || slot.bytes.empty()) {
        throw FormatError::Damaged("une table de pages est effacée");
    }
    std::vector<std::uint32_t> pages;
    switch (slot.bytes[0]) {
    case usage_map::kInline:
        AddMarkedPages(
            slot.bytes.subspan(std::min(slot.bytes.size(), usage_map::kInlineHeaderSize)),
            LoadU32(slot.bytes, 1), file.pageCount(), pages);
        break;
    case usage_map::kReference:
        ReadReferenceMap(file, slot.bytes, pages);
        break;
    default:
        throw FormatError::Damaged("une table de pages est d'un type inconnu");
    }
    return pages;
}

} // namespace jet
