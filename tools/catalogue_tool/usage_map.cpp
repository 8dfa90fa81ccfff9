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

void SetBit(std::uint8_t* bitmap, std::uint32_t index) {
    bitmap[index / 8] |= static_cast<std::uint8_t>(1u << (index % 8));
}

jet::Bytes InlineRecord(const std::vector<std::uint32_t>& pages, std::uint32_t first) {
    jet::Bytes record(usageMapRecordSize, 0);
    record[0] = 0x00;
    jet::StoreU32(&record[1], first);
    for (const std::uint32_t page : pages) {
        SetBit(&record[5], page - first);
    }
    return record;
}

// Writes a bitmap page with the bits of these pages, which all lie in the segment it covers.
std::uint32_t WriteBitmapPage(PageFile& file, const std::vector<std::uint32_t>& pages) {
    Page page;
    page.setU8(0, static_cast<std::uint8_t>(jet::PageType::UsageBitmap));
    page.setU8(1, 0x01);
    for (const std::uint32_t index : pages) {
        SetBit(page.at(bitmapPageHeaderSize), index % bitmapPageSpan);
    }
    const std::uint32_t number = file.allocate();
    file.write(number, page);
    return number;
}

jet::Bytes ReferenceRecord(const std::vector<std::uint32_t>& pointers) {
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

jet::Bytes ReferenceRecord(const std::vector<std::uint32_t>& pages, PageFile& file) {
    std::vector<std::uint32_t> pointers(pages.back() / bitmapPageSpan + 1, 0);
    for (auto begin = pages.begin(); begin != pages.end();) {
        const std::uint32_t segment = *begin / bitmapPageSpan;
        const auto end = std::find_if(begin, pages.end(), [&](std::uint32_t page) {
            return page / bitmapPageSpan != segment;
        });
        pointers[segment] = WriteBitmapPage(file, std::vector<std::uint32_t>(begin, end));
        begin = end;
    }
    return ReferenceRecord(pointers);
}

} // namespace

jet::Bytes UsageMapRecord(const std::vector<std::uint32_t>& pages, PageFile& file) {
    if (pages.empty() || pages.back() < inlinePageSpan) {
        return InlineRecord(pages, 0);
    }
    if (pages.back() - pages.front() < inlinePageSpan) {
        return InlineRecord(pages, pages.front());
    }
    return ReferenceRecord(pages, file);
}

jet::Bytes GlobalUsageMapRecord(PageFile& file) {
    const std::uint32_t used = file.pageCount();
    if (used <= inlinePageSpan) {
        std::vector<std::uint32_t> free;
        for (std::uint32_t page = used; page < inlinePageSpan; ++page) {
            free.push_back(page);
        }
        return InlineRecord(free, 0);
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
        pointers.push_back(WriteBitmapPage(file, free));
    }
    return ReferenceRecord(pointers);
}

} // namespace jet_writer
