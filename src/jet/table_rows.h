#pragma once
// A table's rows in the table's own order: the pages its usage map marks, in ascending order,
// and on each page the rows in the order of its row table. Deleted rows are skipped; a row
// moved to another page (an overflow row) is read where its pointer leads.

#include "jet/data_page.h"
#include "jet/table_definition.h"

#include <cstdint>
#include <vector>

namespace jet {

class TableRows {
public:
    // Reads the table's usage map; throws FormatError on damage.
    TableRows(const PageFile& file, const TableDefinition& table);

    // The table's data pages, in the order they are read.
    const std::vector<std::uint32_t>& pages() const { return pages_; }

    // Calls visit(ByteSpan row) for each row of this page, in order; returns how many. Pages
    // of the map that hold no rows of this table are passed over.
    template <typename Visit> std::size_t ReadPage(std::uint32_t number, Visit&& visit) const {
        return ReadPageCopy(number, file_.Page(number), visit);
    }
    // The same from a copy of the page that the caller read itself.
    template <typename Visit>
    std::size_t ReadPageCopy(std::uint32_t number, ByteSpan copy, Visit&& visit) const {
        if (copy.empty() || copy[0] != static_cast<std::uint8_t>(PageType::Data)) {
            return 0;
        }
        const DataPage page(file_, number, copy);
        if (page.owner() != table_.page) {
            return 0;
        }
        std::size_t count = 0;
        for (std::size_t i = 0; i < page.rowCount(); ++i) {
            const RowSlot slot = page.Row(i);
            if (slot.state == RowSlot::State::Deleted) {
                continue;
            }
            visit(slot.state == RowSlot::State::Overflow ? MovedRow(slot.bytes) : slot.bytes);
            ++count;
        }
        return count;
    }

    // Calls visit for every row, then checks the count against the definition's.
    template <typename Visit> void ReadAll(Visit&& visit) const {
        std::uint64_t count = 0;
        for (const std::uint32_t page : pages_) {
            count += ReadPage(page, visit);
        }
        CheckCount(count);
    }

    // Damage when fewer rows were read than the definition declares, or more with a page of the
    // table repeated.
    void CheckCount(std::uint64_t rowsRead) const;

private:
    bool HasRepeatedPage() const;
    ByteSpan MovedRow(ByteSpan pointerBytes) const;

    const PageFile& file_;
    const TableDefinition& table_;
    std::vector<std::uint32_t> pages_;
};

} // namespace jet
