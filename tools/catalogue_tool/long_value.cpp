#include "catalogue_tool/long_value.h"

#include <stdexcept>

namespace jet_writer {

namespace {

constexpr std::uint32_t storedInline = 0x80000000;
constexpr std::uint32_t storedAsOneRecord = 0x40000000;
constexpr std::uint32_t storedAsChain = 0;
constexpr std::uint32_t maxValueSize = 0xffffff;

jet::Bytes MemoField(std::size_t length, std::uint32_t kind, std::uint32_t pointer) {
    jet::Bytes field;
    jet::AppendU32(field, static_cast<std::uint32_t>(length) | kind);
    jet::AppendU32(field, pointer);
    jet::AppendU32(field, 0);
    return field;
}

jet::Bytes ChainRecord(std::uint32_t next, const std::uint8_t* data, std::size_t size) {
    jet::Bytes record;
    record.reserve(4 + size);
    jet::AppendU32(record, next);
    record.insert(record.end(), data, data + size);
    return record;
}

} // namespace

jet::Bytes LongValueWriter::store(const jet::Bytes& value) {
    if (value.size() > maxValueSize) {
        throw std::logic_error("memo value too long for its length field");
    }
    if (value.size() <= inlineMemoLimit) {
        jet::Bytes field = MemoField(value.size(), storedInline, 0);
        jet::AppendBytes(field, value);
        return field;
    }
    if (value.size() <= singleRecordLimit) {
        return MemoField(value.size(), storedAsOneRecord, records_.add(value));
    }
    return MemoField(value.size(), storedAsChain, storeChain(value));
}

// The last part goes to the page being filled; every other part fills a page of its own.
std::uint32_t LongValueWriter::storeChain(const jet::Bytes& value) {
    const std::size_t fullParts = (value.size() - 1) / chainChunkSize;
    const std::size_t tailOffset = fullParts * chainChunkSize;
    const std::uint32_t tail =
        records_.add(ChainRecord(0, value.data() + tailOffset, value.size() - tailOffset));
    std::vector<std::uint32_t> numbers(fullParts);
    for (std::uint32_t& number : numbers) {
        number = file_.allocate();
    }
    for (std::size_t part = 0; part < fullParts; ++part) {
        const std::uint32_t next =
            part + 1 < fullParts ? jet::RowPointer(numbers[part + 1], 0) : tail;
        records_.addAlone(numbers[part],
                          ChainRecord(next, value.data() + part * chainChunkSize, chainChunkSize));
    }
    return jet::RowPointer(numbers.front(), 0);
}

} // namespace jet_writer
