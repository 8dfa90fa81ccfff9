#include "reader/libmdb/jet_table.h"

#include "catalogue/jet_error.h"
#include "reader/libmdb/jet_handle.h"
#include "reader/libmdb/jet_names.h"
#include "reader/libmdb/libmdb.h"
#include "reader/libmdb/row_reader.h"

#include <algorithm>

namespace reader {
namespace {

JetType typeOf(int code) {
    switch (code) {
    case MDB_BOOL:
        return JetType::Boolean;
    case MDB_BYTE:
        return JetType::Byte;
    case MDB_INT:
        return JetType::Integer;
    case MDB_LONGINT:
        return JetType::LongInteger;
    case MDB_MONEY:
        return JetType::Currency;
    case MDB_FLOAT:
        return JetType::Single;
    case MDB_DOUBLE:
        return JetType::Double;
    case MDB_DATETIME:
        return JetType::DateTime;
    case MDB_BINARY:
        return JetType::Binary;
    case MDB_TEXT:
        return JetType::Text;
    case MDB_OLE:
        return JetType::Ole;
    case MDB_MEMO:
        return JetType::Memo;
    case MDB_REPID:
        return JetType::ReplicationId;
    case MDB_NUMERIC:
        return JetType::Numeric;
    case MDB_COMPLEX:
        return JetType::Complex;
    default:
        return JetType::Unknown;
    }
}

bool readableAsText(JetType type) {
    return type != JetType::Binary && type != JetType::Ole && type != JetType::Complex &&
           type != JetType::Unknown;
}

MdbColumn* columnAt(MdbTableDef& table, std::size_t index) {
    return static_cast<MdbColumn*>(g_ptr_array_index(table.columns, index));
}

} // namespace

JetTable::JetTable(std::shared_ptr<JetHandle> handle, S_MdbTableDef* definition)
    : handle_(std::move(handle)), definition_(definition), name_(definition_->name) {
    for (std::size_t i = 0; i < definition_->num_cols; ++i) {
        const MdbColumn& column = *columnAt(*definition_, i);
        const bool sized = column.is_fixed || column.col_type == MDB_TEXT;
        columns_.push_back({column.name, typeOf(column.col_type), sized ? column.col_size : 0});
    }
}

void JetTable::DefinitionFreer::operator()(S_MdbTableDef* definition) const {
    mdb_free_tabledef(definition);
}

JetTable::JetTable(JetTable&&) noexcept = default;
JetTable& JetTable::operator=(JetTable&&) noexcept = default;
JetTable::~JetTable() = default;

std::size_t JetTable::declaredRowCount() const {
    return definition_->num_rows;
}

std::vector<std::size_t> JetTable::planFields(const std::vector<std::string>& fields) const {
    std::vector<std::size_t> plan;
    for (const std::string& field : fields) {
        std::size_t index = 0;
        while (index < columns_.size() && columns_[index].name != field) {
            ++index;
        }
        if (index == columns_.size()) {
            index = 0;
            while (index < columns_.size() && !SameJetName(columns_[index].name, field)) {
                ++index;
            }
        }
        if (index == columns_.size()) {
            throw catalogue::JetError::fieldMissing(handle_->file, name_, field);
        }
        if (!readableAsText(columns_[index].type)) {
            throw catalogue::JetError::fieldNotText(handle_->file, name_, columns_[index].name);
        }
        plan.push_back(index);
    }
    return plan;
}

void JetTable::readRows(const std::vector<std::string>& fields,
                        const std::function<void(RowValues)>& onRow) {
    JetRowReader reader(*handle_, *definition_, planFields(fields));
    while (reader.next()) {
        onRow(reader.values());
    }
}

JetRows JetTable::readAll(const std::vector<std::string>& fields) {
    std::vector<std::string> names;
    for (const std::size_t index : planFields(fields)) {
        names.push_back(columns_[index].name);
    }
    JetRows rows(std::move(names));
    // Text in UTF-8 takes about as many bytes as in the file, rarely more. A row takes at least
    // four bytes of the file, whatever a damaged definition declares.
    const auto fileSize = std::size_t(handle_->size);
    rows.reserve(std::min(declaredRowCount(), fileSize / 4), fileSize);
    readRows(fields, [&rows](RowValues values) { rows.appendRow(values); });
    return rows;
}

} // namespace reader
