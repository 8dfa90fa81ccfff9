#include "jet/row_decoder.h"

#include "jet/value_text.h"

namespace jet {
namespace {

bool IsText(ColumnType type) {
    return type == ColumnType::Text || type == ColumnType::Memo;
}

bool IsReadable(const Column& column) {
    return IsText(column.type) || (IsFormattedType(column.type) && !column.calculated);
}

// A calculated text column with no length keeps its result as a long value, as a memo does.
bool IsLongText(const Column& column) {
    return column.calculated && column.length == 0;
}

std::string TypeName(const Column& column) {
    if (column.calculated) {
        return "un champ calculé de ce type";
    }
    switch (column.type) {
    case ColumnType::Ole:
        return "un objet OLE";
    case ColumnType::Binary:
        return "des octets bruts";
    case ColumnType::Complex:
        return "une pièce jointe ou des valeurs multiples";
    default:
        return "un type inconnu (" + std::to_string(static_cast<int>(column.type)) + ")";
    }
}

// The result a calculated column holds, after its header.
ByteSpan CalculatedResult(ByteSpan stored) {
    const std::uint32_t length = LoadU32(stored, kCalculatedHeaderSize - 4);
    if (length > stored.size() - kCalculatedHeaderSize) {
        throw FormatError::Damaged("un champ calculé déborde de sa valeur");
    }
    return stored.subspan(kCalculatedHeaderSize, length);
}

} // namespace

RowDecoder::RowDecoder(const PageFile& file, const TableDefinition& table,
                       std::vector<std::size_t> columns, TextForm form)
    : file_(file), table_(table), layout_(file, table), text_(file.info()), form_(form),
      columns_(std::move(columns)), buffers_(columns_.size()), fields_(columns_.size()),
      scratch_(columns_.size()) {
    for (const std::size_t index : columns_) {
        const Column& column = table.columns.at(index);
        if (!IsReadable(column)) {
            throw FormatError::Unsupported("le champ " + Quoted(column.name) + " contient " +
                                           TypeName(column) + ", que ce lecteur ne lit pas");
        }
    }
}

Field RowDecoder::TextField(ByteSpan stored, std::string& out) const {
    if (form_ == TextForm::StoredUtf16) {
        if (const std::optional<ByteSpan> units = text_.PlainUtf16(stored)) {
            return {false,
                    std::string_view(reinterpret_cast<const char*>(units->data()), units->size()),
                    true};
        }
    }
    // Written first: writing may move the buffer.
    const std::size_t length = text_.Write(stored, out);
    return {false, std::string_view(out.data(), length)};
}

void RowDecoder::DecodeField(const RowLayout::Row& row, std::size_t k) {
    const Column& column = table_.columns[columns_[k]];
    const FieldBytes field = row.Field(columns_[k]);
    std::string& out = buffers_[k];
    if (field.null) {
        fields_[k] = {true, {}};
        return;
    }
    switch (column.type) {
    case ColumnType::Boolean:
        out.assign(1, field.bit ? '1' : '0');
        break;
    case ColumnType::Text:
        if (!IsLongText(column)) {
            fields_[k] =
                TextField(column.calculated ? CalculatedResult(field.bytes) : field.bytes, out);
            return;
        }
        [[fallthrough]];
    case ColumnType::Memo: {
        const ByteSpan value = ReadLongValue(file_, field.bytes, scratch_[k]);
        fields_[k] = TextField(column.calculated ? CalculatedResult(value) : value, out);
        return;
    }
    default:
        out.clear();
        AppendValueText(column.type, field.bytes, column.scale, out);
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
