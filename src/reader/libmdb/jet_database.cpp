#include "reader/libmdb/jet_database.h"

#include "catalogue/jet_error.h"
#include "catalogue/jet_header.h"
#include "catalogue/quoted.h"
#include "reader/libmdb/jet_handle.h"
#include "reader/libmdb/jet_names.h"

namespace reader {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// libmdb decodes table and column names with converters that it chose from the environment
// (MDBICONV, MDB_JET3_CHARSET) and that read Jet 4 text as UCS-2. Put in their place
// converters between the file's own encoding and UTF-8.
void setNameConverters(MdbHandle& mdb, const std::string& fileCharset) {
    const iconv_t in = iconv_open("UTF-8", fileCharset.c_str());
    const iconv_t out = iconv_open(fileCharset.c_str(), "UTF-8");
    if (in == kNoConverter || out == kNoConverter) {
        const int error = errno;
        if (in != kNoConverter) {
            iconv_close(in);
        }
        if (out != kNoConverter) {
            iconv_close(out);
        }
        throw std::system_error(error, std::generic_category(),
                                "conversion de texte " + fileCharset + " indisponible");
    }
    if (mdb.iconv_in != kNoConverter) {
        iconv_close(mdb.iconv_in);
    }
    if (mdb.iconv_out != kNoConverter) {
        iconv_close(mdb.iconv_out);
    }
    mdb.iconv_in = in;
    mdb.iconv_out = out;
}

std::shared_ptr<JetHandle> openHandle(const std::filesystem::path& file) {
    const catalogue::JetFileFacts facts = catalogue::CheckJetFile(file);
    sys::MappedFile mapped(file);
    MdbHandle* mdb =
        mdb_open_buffer(const_cast<std::byte*>(mapped.data()), mapped.size(), MDB_NOFLAGS);
    if (mdb == nullptr) {
        throw catalogue::JetError::damaged(file, "son en-tête est illisible");
    }
    JetTextDecoder decoder = [&] {
        try {
            return facts.version == MDB_VER_JET3 ? JetTextDecoder::codePage(mdb->f->code_page)
                                                 : JetTextDecoder::unicode();
        } catch (...) {
            mdb_close(mdb);
            throw;
        }
    }();
    auto handle =
        std::make_shared<JetHandle>(file, facts.size, std::move(mapped), mdb, std::move(decoder));
    setNameConverters(*mdb, handle->decoder.fileCharset());
    mdb_set_date_fmt(mdb, "%Y-%m-%d %H:%M:%S");
    mdb_set_shortdate_fmt(mdb, "%Y-%m-%d");
    if (mdb_read_catalog(mdb, MDB_TABLE) == nullptr) {
        throw catalogue::JetError::damaged(file, "la liste de ses tables est illisible");
    }
    return handle;
}

std::vector<MdbCatalogEntry*> tableEntries(const MdbHandle& mdb) {
    std::vector<MdbCatalogEntry*> entries;
    for (unsigned i = 0; i < mdb.num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb.catalog, i));
        if (entry->object_type == MDB_TABLE) {
            entries.push_back(entry);
        }
    }
    return entries;
}

} // namespace

JetDatabase::JetDatabase(const std::filesystem::path& file) : handle_(openHandle(file)) {}

const std::filesystem::path& JetDatabase::file() const {
    return handle_->file;
}

JetFormat JetDatabase::format() const {
    switch (handle_->mdb->f->jet_version) {
    case MDB_VER_JET3:
        return JetFormat::Jet3;
    case MDB_VER_JET4:
        return JetFormat::Jet4;
    default:
        return JetFormat::Ace;
    }
}

std::vector<std::string> JetDatabase::tableNames() const {
    std::vector<std::string> names;
    for (MdbCatalogEntry* entry : tableEntries(*handle_->mdb)) {
        if (mdb_is_user_table(entry)) {
            names.emplace_back(entry->object_name);
        }
    }
    return names;
}

JetTable JetDatabase::openTable(const std::string& name) const {
    const auto entries = tableEntries(*handle_->mdb);
    auto found = std::find_if(entries.begin(), entries.end(),
                              [&](MdbCatalogEntry* entry) { return entry->object_name == name; });
    if (found == entries.end()) {
        found = std::find_if(entries.begin(), entries.end(), [&](MdbCatalogEntry* entry) {
            return SameJetName(entry->object_name, name);
        });
    }
    if (found == entries.end()) {
        throw catalogue::JetError::tableMissing(handle_->file, name);
    }
    libmdb::TableDefPtr definition(mdb_read_table(*found));
    if (!definition || mdb_read_columns(definition.get()) == nullptr) {
        throw catalogue::JetError::damaged(
            handle_->file, "la définition de la table " + catalogue::Quoted((*found)->object_name) +
                               " est illisible");
    }
    return JetTable(handle_, definition.release());
}

} // namespace reader
