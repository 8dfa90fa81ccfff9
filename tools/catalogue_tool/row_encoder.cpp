#include "catalogue_tool/row_encoder.h"

#include <algorithm>
#include <stdexcept>

namespace jet_writer {

namespace {

void AppendFixedArea(jet::Bytes& row, const TableSchema& schema, const RowValues& values,
                     const std::vector<ColumnPlace>& places) {
    const std::size_t start = row.size();
    row.resize(start + FixedAreaSize(schema), 0);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!places[i].fixed || !values[i]) {
            continue;
        }
        if (values[i]->size() != schema.columns[i].size) {
            throw std::logic_error("fixed-length value of the wrong size");
        }
        std::copy(values[i]->begin(), values[i]->end(),
                  row.begin() + static_cast<std::ptrdiff_t>(start + places[i].position));
    }
}

void AppendVariableArea(jet::Bytes& row, const RowValues& values,
                        const std::vector<ColumnPlace>& places) {
    std::vector<std::uint16_t> offsets;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (places[i].fixed) {
            continue;
        }
        offsets.push_back(static_cast<std::uint16_t>(row.size()));
        if (values[i]) {
            jet::AppendBytes(row, *values[i]);
        }
    }
    jet::AppendU16(row, static_cast<std::uint16_t>(row.size())); // end of the values
    for (auto offset = offsets.rbegin(); offset != offsets.rend(); ++offset) {
        jet::AppendU16(row, *offset);
    }
    jet::AppendU16(row, static_cast<std::uint16_t>(offsets.size()));
}

void AppendNullMask(jet::Bytes& row, const RowValues& values) {
    jet::Bytes mask((values.size() + 7) / 8, 0);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i]) {
            mask[i / 8] |= static_cast<std::uint8_t>(1u << (i % 8));
        }
    }
    jet::AppendBytes(row, mask);
}

} // namespace

jet::Bytes EncodeRow(const TableSchema& schema, const RowValues& values) {
    if (values.size() != schema.columns.size()) {
        throw std::logic_error("row with the wrong number of values");
    }
    const std::vector<ColumnPlace> places = ColumnPlaces(schema);
    jet::Bytes row;
    jet::AppendU16(row, static_cast<std::uint16_t>(values.size()));
    AppendFixedArea(row, schema, values, places);
    AppendVariableArea(row, values, places);
    AppendNullMask(row, values);
    return row;
}

} // namespace jet_writer
