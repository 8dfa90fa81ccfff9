#include "platform/jet/jet_table.h"

#include "platform/jet/jet_error.h"
#include "platform/jet/jet_handle.h"
#include "platform/jet/jet_names.h"
#include "platform/jet/long_value.h"

namespace platform {
namespace {

constexpr int kOffsetMask = 0x1FFF;

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

struct GFreer {
    void operator()(char* text) const { g_free(text); }
};

// Numbers, dates and the like, written by libmdb.
void appendFormatted(MdbHandle& mdb, const MdbColumn& column, const MdbField& field,
                     std::string& out) {
    std::unique_ptr<char, GFreer> text(
        column.col_type == MDB_NUMERIC
            ? mdb_numeric_to_string(&mdb, field.start, column.col_scale, column.col_prec)
            : mdb_col_to_string(&mdb, mdb.pg_buf, field.start, column.col_type, field.siz));
    if (text) {
        out.append(text.get());
    }
}

} // namespace

struct JetTable::Wanted {
    std::size_t index;
    MdbColumn* column;
};

JetTable::JetTable(std::shared_ptr<JetHandle> handle, libmdb::TableDefPtr definition)
    : handle_(std::move(handle)), definition_(std::move(definition)), name_(definition_->name) {
    for (std::size_t i = 0; i < definition_->num_cols; ++i) {
        const MdbColumn& column = *columnAt(*definition_, i);
        const bool sized = column.is_fixed || column.col_type == MDB_TEXT;
        columns_.push_back({column.name, typeOf(column.col_type), sized ? column.col_size : 0});
    }
}

JetTable::JetTable(JetTable&&) noexcept = default;
JetTable& JetTable::operator=(JetTable&&) noexcept = default;
JetTable::~JetTable() = default;

std::size_t JetTable::declaredRowCount() const {
    return definition_->num_rows;
}

std::vector<JetTable::Wanted> JetTable::planFields(const std::vector<std::string>& fields) const {
    std::vector<Wanted> plan;
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
            throw JetError::fieldMissing(handle_->file, name_, field);
        }
        if (!readableAsText(columns_[index].type)) {
            throw JetError::fieldNotText(handle_->file, name_, columns_[index].name);
        }
        plan.push_back({index, columnAt(*definition_, index)});
    }
    return plan;
}

void JetTable::readRows(const std::vector<std::string>& fields,
                        const std::function<void(RowValues)>& onRow) {
    const std::vector<Wanted> plan = planFields(fields);
    MdbTableDef& table = *definition_;
    MdbHandle& mdb = *handle_->mdb;
    const auto damaged = [this](const std::string& what) {
        return JetError::damaged(handle_->file,
                                 what + " de la table \u00ab\u00a0" + name_ + "\u00a0\u00bb");
    };

    std::vector<MdbField> cracked(table.num_cols);
    std::vector<std::string> texts(plan.size());
    std::vector<std::optional<std::string_view>> values(plan.size());
    std::string longValue;
    std::size_t rowsRead = 0;

    mdb_rewind_table(&table);
    while (mdb_fetch_row(&table)) {
        // libmdb leaves the row's page in pg_buf; its null flags tell null from empty text.
        int start = 0;
        std::size_t size = 0;
        if (mdb_find_row(&mdb, int(table.cur_row) - 1, &start, &size) != 0 ||
            mdb_crack_row(&table, start & kOffsetMask, size, cracked.data()) < 0) {
            throw damaged("une ligne est illisible");
        }
        for (std::size_t k = 0; k < plan.size(); ++k) {
            const MdbColumn& column = *plan[k].column;
            const MdbField& field = cracked[plan[k].index];
            std::string& text = texts[k];
            text.clear();
            if (column.col_type == MDB_BOOL) {
                // A boolean is held in the null flag itself.
                text.push_back(field.is_null ? '0' : '1');
                values[k] = text;
                continue;
            }
            if (field.is_null) {
                values[k] = std::nullopt;
                continue;
            }
            if (field.start < 0 || field.siz < 0 || field.start + field.siz > mdb.fmt->pg_size) {
                throw damaged("une valeur déborde de sa page");
            }
            const unsigned char* bytes = mdb.pg_buf + field.start;
            const auto valueSize = std::size_t(field.siz);
            if (column.col_type == MDB_TEXT) {
                handle_->decoder.append(bytes, valueSize, text);
            } else if (column.col_type == MDB_MEMO) {
                if (valueSize > 0) {
                    ReadLongValue(mdb, bytes, valueSize, handle_->file, longValue);
                    handle_->decoder.append(
                        reinterpret_cast<const unsigned char*>(longValue.data()), longValue.size(),
                        text);
                }
            } else {
                appendFormatted(mdb, column, field, text);
            }
            values[k] = text;
        }
        ++rowsRead;
        onRow(values);
    }
    if (rowsRead < table.num_rows) {
        throw damaged("des lignes manquent");
    }
}

JetRows JetTable::readAll(const std::vector<std::string>& fields) {
    std::vector<std::string> names;
    for (const Wanted& wanted : planFields(fields)) {
        names.push_back(columns_[wanted.index].name);
    }
    JetRows rows(std::move(names));
    readRows(fields, [&rows](RowValues values) { rows.appendRow(values); });
    return rows;
}

} // namespace platform
