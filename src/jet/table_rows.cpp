#include "jet/table_rows.h"

#include "jet/usage_map.h"

#include <string>
#include <string_view>
#include <unordered_set>

namespace jet {
namespace {

// Rows move once when an update no longer fits their page; more hops than this is damage.
constexpr int kMaxMoves = 16;

} // namespace

TableRows::TableRows(const PageFile& file, const TableDefinition& table)
    : file_(file), table_(table), pages_(ReadUsageMap(file, table.usageMap)) {}

ByteSpan TableRows::MovedRow(ByteSpan pointerBytes) const {
    std::uint32_t pointer = LoadU32(pointerBytes, 0);
    for (int move = 0; move < kMaxMoves; ++move) {
        const DataPage page(file_, PointerPage(pointer));
        if (page.owner() != table_.page || PointerRow(pointer) >= page.rowCount()) {
            throw FormatError::Damaged("une ligne déplacée renvoie hors de sa table");
        }
        const RowSlot slot = page.Row(PointerRow(pointer));
        if (slot.state != RowSlot::State::Overflow) {
            return page.MovedRowBytes(PointerRow(pointer));
        }
        pointer = LoadU32(slot.bytes, 0);
    }
    throw FormatError::Damaged("une ligne déplacée renvoie sans fin d'une page à l'autre");
}

void TableRows::CheckCount(std::uint64_t rowsRead) const {
    // Fewer rows than declared are rows lost. Access itself leaves the declared count behind the
    // rows at times, so more are read, unless a page of the table repeats another byte for byte:
    // a stale copy, whose rows would be shown twice.
    if (rowsRead < table_.rowCount) {
        throw FormatError::Damaged("la table annonce " + std::to_string(table_.rowCount) +
                                   " lignes mais n'en contient que " + std::to_string(rowsRead));
    }
    if (rowsRead > table_.rowCount && HasRepeatedPage()) {
        throw FormatError::Damaged("la table annonce " + std::to_string(table_.rowCount) +
                                   " lignes mais en contient " + std::to_string(rowsRead) +
                                   ", une de ses pages en répétant une autre");
    }
}

bool TableRows::HasRepeatedPage() const {
    std::unordered_set<std::string_view> seen;
    for (const std::uint32_t number : pages_) {
        const ByteSpan page = file_.Page(number);
        if (page[0] == static_cast<std::uint8_t>(PageType::Data) &&
            DataPage(file_, number).owner() == table_.page &&
            !seen.insert({reinterpret_cast<const char*>(page.data()), page.size()}).second) {
            return true;
        }
    }
    return false;
}

} // namespace jet
