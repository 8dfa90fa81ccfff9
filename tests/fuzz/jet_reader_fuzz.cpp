// Fuzzes the Jet reader itself, in process: whatever the bytes, opening them as a database and
// reading every table gives rows or a jet::FormatError, never a crash, a hang or memory beyond
// a small multiple of the input.

#include "jet/database.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

class CountingSink : public jet::RowSink {
public:
    void Row(std::span<const jet::Field> fields) override {
        for (const jet::Field& field : fields) {
            bytes_ += field.null ? 0 : field.text.size();
        }
    }

private:
    std::size_t bytes_ = 0;
};

void ReadTable(const jet::Database& database, const std::string& name) {
    try {
        const jet::TableDefinition table = database.Table(name);
        CountingSink sink;
        database.ReadRows(table, sink);
    } catch (const jet::FormatError&) {
        // One table refused says nothing of the others.
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const jet::Database database(std::span<const std::uint8_t>(data, size));
        ReadTable(database, "Index");
        for (const std::string& name : database.TableNames()) {
            ReadTable(database, name);
        }
    } catch (const jet::FormatError&) {
        // Refused with a message: what damaged input must get.
    }
    return 0;
}
