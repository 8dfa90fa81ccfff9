#include "reader/libmdb/row_reader.h"

#include "catalogue/jet_error.h"
#include "catalogue/quoted.h"
#include "reader/libmdb/jet_handle.h"
#include "reader/libmdb/long_value.h"

#include <memory>

namespace reader {
namespace {

constexpr int kOffsetMask = 0x1FFF;

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

JetRowReader::JetRowReader(JetHandle& handle, MdbTableDef& table, std::vector<std::size_t> fields)
    : handle_(handle), table_(table), fields_(std::move(fields)), cracked_(table.num_cols),
      texts_(fields_.size()), values_(fields_.size()) {
    for (const std::size_t index : fields_) {
        columns_.push_back(static_cast<const MdbColumn*>(g_ptr_array_index(table_.columns, index)));
    }
    mdb_rewind_table(&table_);
}

bool JetRowReader::next() {
    if (!mdb_fetch_row(&table_)) {
        if (rowsRead_ < table_.num_rows) {
            damaged("il manque des lignes à la table %s");
        }
        return false;
    }
    // A damaged usage map can hand the same pages over twice.
    if (rowsRead_ >= table_.num_rows) {
        damaged("la table %s a plus de lignes qu'elle n'en déclare");
    }
    ++rowsRead_;
    crackCurrentRow();
    for (std::size_t k = 0; k < fields_.size(); ++k) {
        values_[k] = value(k);
    }
    return true;
}

void JetRowReader::crackCurrentRow() {
    // libmdb leaves the fetched row's page in pg_buf, and the row's number one behind cur_row.
    MdbHandle& mdb = *handle_.mdb;
    int start = 0;
    std::size_t size = 0;
    if (mdb_find_row(&mdb, int(table_.cur_row) - 1, &start, &size) != 0 ||
        mdb_crack_row(&table_, start & kOffsetMask, size, cracked_.data()) < 0) {
        damaged("une ligne de la table %s est illisible");
    }
}

std::optional<std::string_view> JetRowReader::value(std::size_t k) {
    MdbHandle& mdb = *handle_.mdb;
    const MdbColumn& column = *columns_[k];
    const MdbField& field = cracked_[fields_[k]];
    std::string& text = texts_[k];
    text.clear();
    if (column.col_type == MDB_BOOL) {
        // A boolean is held in the null flag itself.
        text.push_back(field.is_null ? '0' : '1');
        return text;
    }
    if (field.is_null) {
        return std::nullopt;
    }
    if (field.start < 0 || field.siz < 0 || field.start + field.siz > mdb.fmt->pg_size) {
        damaged("une valeur de la table %s déborde de sa page");
    }
    const unsigned char* bytes = mdb.pg_buf + field.start;
    const auto size = std::size_t(field.siz);
    if (column.col_type == MDB_TEXT) {
        handle_.decoder.append(bytes, size, text);
    } else if (column.col_type == MDB_MEMO && size > 0) {
        ReadLongValue(mdb, bytes, size, handle_.file, longValue_);
        handle_.decoder.append(reinterpret_cast<const unsigned char*>(longValue_.data()),
                               longValue_.size(), text);
    } else if (column.col_type != MDB_MEMO) {
        appendFormatted(mdb, column, field, text);
    }
    return text;
}

void JetRowReader::damaged(std::string what) const {
    // what holds %s where the table's quoted name goes.
    what.replace(what.find("%s"), 2, catalogue::Quoted(table_.name));
    throw catalogue::JetError::damaged(handle_.file, what);
}

} // namespace reader
