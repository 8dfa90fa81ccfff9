#include "jet/long_value.h"

#include "jet/data_page.h"

#include <algorithm>
#include <unordered_set>

namespace jet {
namespace {

constexpr std::size_t kNextPointerSize = 4;

// The row of a long-value page this pointer names.
ByteSpan LongValueRow(const PageFile& file, std::uint32_t pointer) {
    const DataPage page(file, PointerPage(pointer));
    if (page.owner() != data_page::kLongValueOwner) {
        throw FormatError::Damaged("un mémo renvoie à une page qui n'en contient pas");
    }
    if (PointerRow(pointer) >= page.rowCount()) {
        throw FormatError::Damaged("un mémo renvoie à une ligne absente");
    }
    const RowSlot slot = page.Row(PointerRow(pointer));
    if (slot.state != RowSlot::State::Present) {
        throw FormatError::Damaged("un mémo renvoie à une ligne effacée");
    }
    return slot.bytes;
}

ByteSpan ReadChain(const PageFile& file, std::uint32_t pointer, std::size_t length,
                   Bytes& scratch) {
    scratch.clear();
    scratch.reserve(length);
    std::unordered_set<std::uint32_t> visited;
    while (scratch.size() < length) {
        if (pointer == 0) {
            throw FormatError::Damaged("la suite d'un mémo est perdue");
        }
        if (!visited.insert(pointer).second) {
            throw FormatError::Damaged("la suite d'un mémo boucle sur elle-même");
        }
        const ByteSpan row = LongValueRow(file, pointer);
        if (row.size() <= kNextPointerSize ||
            row.size() - kNextPointerSize > length - scratch.size()) {
            throw FormatError::Damaged("un morceau de mémo a une taille impossible");
        }
        pointer = LoadU32(row, 0);
        AppendBytes(scratch, row.subspan(kNextPointerSize));
    }
    return scratch;
}

} // namespace

ByteSpan ReadLongValue(const PageFile& file, ByteSpan field, Bytes& scratch) {
    if (field.size() < long_value::kFieldSize) {
        throw FormatError::Damaged("l'en-tête d'un mémo est incomplet");
    }
    const std::uint32_t header = LoadU32(field, 0);
    const std::uint32_t pointer = LoadU32(field, 4);
    const std::size_t length = header & long_value::kLengthMask;
    const std::uint32_t kind = header & ~long_value::kLengthMask;
    if (kind == long_value::kInline) {
        if (field.size() - long_value::kFieldSize != length) {
            throw FormatError::Damaged("un mémo n'a pas la longueur qu'il annonce");
        }
        return field.subspan(long_value::kFieldSize);
    }
    if (kind == long_value::kSingleRow) {
        const ByteSpan row = LongValueRow(file, pointer);
        if (row.size() < length) {
            throw FormatError::Damaged("un mémo est plus court qu'il ne l'annonce");
        }
        return row.first(length);
    }
    if (kind == 0) {
        if (length > std::uint64_t(file.pageCount()) * file.pageSize()) {
            throw FormatError::Damaged("un mémo annonce une taille plus grande que le fichier");
        }
        return ReadChain(file, pointer, length, scratch);
    }
    throw FormatError::Damaged("un mémo est d'un type inconnu");
}

} // namespace jet
