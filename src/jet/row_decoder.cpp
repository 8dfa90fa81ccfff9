#include "jet/row_decoder.h"

#include "jet/value_text.h"

namespace jet {
namespace {

bool IsReadable(ColumnType type) {
    return type == ColumnType::Text || type == ColumnType::Memo || IsFormattedType(type);
}

} // namespace

RowDecoder::RowDecoder(const PageFile& file, const TableDefinition& table,
                       std::vector<std::size_t> columns)
    : file_(file), table_(table), layout_(file, table), text_(file.info()),
      columns_(std::move(columns)), buffers_(columns_.size()), fields_(columns_.size()) {
    for (const std::size_t index : columns_) {
        const Column& column = table.columns.at(index);
        if (!IsReadable(column.type)) {
            throw FormatError::Unsupported("le champ " + Quoted(column.name) +
                                           " est d'un type que ce lecteur ne lit pas (" +
                                           std::to_string(static_cast<int>(column.type)) + ")");
        }
    }
}

void RowDecoder::DecodeField(const RowLayout::Row& row, std::size_t k) {
    const Column& column = table_.columns[columns_[k]];
    const FieldBytes field = row.Field(columns_[k]);
    std::string& out = buffers_[k];
    out.clear();
    if (field.null) {
        fields_[k] = {true, {}};
        return;
    }
    switch (column.type) {
    case ColumnType::Boolean:
        out.push_back(field.bit ? '1' : '0');
        break;
    case ColumnType::Text:
        text_.Append(field.bytes, out);
        break;
    case ColumnType::Memo:
        text_.Append(ReadLongValue(file_, field.bytes, scratch_), out);
        break;
    default:
        AppendValueText(column.type, field.bytes, out);
        break;
    }
    fields_[k] = {false, out};
}

std::span<const Field> RowDecoder::Decode(ByteSpan bytes) {
    const RowLayout::Row row(layout_, bytes);
    for (std::size_t k = 0; k < columns_.size(); ++k) {
        DecodeField(row, k);
    }
    return fields_;
}

} // namespace jet
