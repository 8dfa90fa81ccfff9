#include "catalogue_tool/usage_map.h"

#include <algorithm>
#include <stdexcept>

namespace jet_writer {

namespace {

constexpr std::size_t inlineBitmapSize = usageMapRecordSize - 5;
constexpr std::uint32_t inlinePageSpan = inlineBitmapSize * 8;
constexpr std::size_t bitmapPageHeaderSize = 4;
constexpr std::uint32_t bitmapPageSpan = (jet::kJet4PageSize - bitmapPageHeaderSize) * 8;
constexpr std::size_t maxBitmapPages = (usageMapRecordSize - 1) / 4;

void setBit(std::uint8_t* bitmap, std::uint32_t index) {
    bitmap[index / 8] |= static_cast<std::uint8_t>(1u << (index % 8));
}

jet::Bytes inlineRecord(const std::vector<std::uint32_t>& pages, std::uint32_t first) {
    jet::Bytes record(usageMapRecordSize, 0);
    record[0] = 0x00;
    jet::StoreU32(&record[1], first);
    for (const std::uint32_t page : pages) {
        setBit(&record[5], page - first);
    }
    return record;
}

// Writes a bitmap page with the bits of these pages, which all lie in the segment it covers.
std::uint32_t writeBitmapPage(PageFile& file, const std::vector<std::uint32_t>& pages) {
    Page page;
    page.setU8(0, static_cast<std::uint8_t>(jet::PageType::UsageBitmap));
    page.setU8(1, 0x01);
    for (const std::uint32_t index : pages) {
        setBit(page.at(bitmapPageHeaderSize), index % bitmapPageSpan);
    }
    const std::uint32_t number = file.allocate();
    file.write(number, page);
    return number;
}

jet::Bytes referenceRecord(const std::vector<std::uint32_t>& pointers) {
    if (pointers.size() > maxBitmapPages) {
        throw std::logic_error("usage map wider than the format allows");
    }
    jet::Bytes record(usageMapRecordSize, 0);
    record[0] = 0x01;
    for (std::size_t i = 0; i < pointers.size(); ++i) {
        jet::StoreU32(&record[1 + 4 * i], pointers[i]);
    }
    return record;
}

jet::Bytes referenceRecord(const std::vector<std::uint32_t>& pages, PageFile& file) {
    std::vector<std::uint32_t> pointers(pages.back() / bitmapPageSpan + 1, 0);
    for (auto begin = pages.begin(); begin != pages.end();) {
        const std::uint32_t segment = *begin / bitmapPageSpan;
        const auto end = std::find_if(begin, pages.end(), [&](std::uint32_t page) {
            return page / bitmapPageSpan != segment;
        });
        pointers[segment] = writeBitmapPage(file, std::vector<std::uint32_t>(begin, end));
        begin = end;
    }
    return referenceRecord(pointers);
}

} // namespace

jet::Bytes usageMapRecord(const std::vector<std::uint32_t>& pages, PageFile& file) {
    if (pages.empty() || pages.back() < inlinePageSpan) {
        return inlineRecord(pages, 0);
    }
    if (pages.back() - pages.front() < inlinePageSpan) {
        return inlineRecord(pages, pages.front());
    }
    return referenceRecord(pages, file);
}

jet::Bytes globalUsageMapRecord(PageFile& file) {
    const std::uint32_t used = file.pageCount();
    if (used <= inlinePageSpan) {
        std::vector<std::uint32_t> free;
        for (std::uint32_t page = used; page < inlinePageSpan; ++page) {
            free.push_back(page);
        }
        return inlineRecord(free, 0);
    }
    std::uint32_t segments = 1;
    while (used + segments > segments * bitmapPageSpan) {
        ++segments;
    }
    const std::uint32_t end = used + segments;
    std::vector<std::uint32_t> pointers;
    for (std::uint32_t segment = 0; segment < segments; ++segment) {
        std::vector<std::uint32_t> free;
        for (std::uint32_t page = std::max(end, segment * bitmapPageSpan);
             page < (segment + 1) * bitmapPageSpan; ++page) {
            free.push_back(page);
        }
        pointers.push_back(writeBitmapPage(file, free));
    }
    return referenceRecord(pointers);
}

} // namespace jet_writer
