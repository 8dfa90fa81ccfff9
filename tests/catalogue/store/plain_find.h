#pragma once
// One find of a recordset in the direction `way` picks (0 first, 1 last, 2 next, 3 previous),
// and the row a plain walk through the matching rows says it lands on, for the tests that hold
// random finds to that walk.

#include "catalogue/recordset.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// matching: the rows the filter matches, ascending; current: the row the recordset stands on.
template <typename Row>
std::optional<std::size_t> FindAndExpect(catalogue::Recordset& records, const std::string& criteria,
                                         const std::vector<Row>& matching, std::size_t current,
                                         unsigned way) {
    std::optional<std::size_t> expected;
    switch (way) {
    case 0:
        records.FindFirst(criteria);
        if (!matching.empty()) {
            expected = matching.front();
        }
        break;
    case 1:
        records.FindLast(criteria);
        if (!matching.empty()) {
            expected = matching.back();
        }
        break;
    case 2:
        records.FindNext(criteria);
        for (const Row row : matching) {
            if (row > current) {
                expected = row;
                break;
            }
        }
        break;
    default:
        records.FindPrevious(criteria);
        for (const Row row : matching) {
            if (row < current) {
                expected = row;
            }
        }
    }
    return expected;
}
