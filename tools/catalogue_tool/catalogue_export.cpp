#include "catalogue_tool/catalogue_export.h"

#include "jet/database.h"

#include <numeric>
#include <vector>

namespace jet_writer {
namespace {

bool NeedsQuotes(std::string_view text) {
    return text.empty() || text.find_first_of(",\"\r\n") != std::string_view::npos;
}

// Gathers the whole table as CSV text: nothing is written unless every row could be read.
class CsvSink : public jet::RowSink {
public:
    explicit CsvSink(std::string& csv) : csv_(csv) {}

    void Row(std::span<const jet::Field> fields) override {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i != 0) {
                csv_.push_back(',');
            }
            AppendCsvField(fields[i].text, fields[i].null, csv_);
        }
        csv_.push_back('\n');
    }

private:
    std::string& csv_;
};

} // namespace

void AppendCsvField(std::string_view text, bool null, std::string& line) {
    if (null) {
        return;
    }
    if (!NeedsQuotes(text)) {
        line.append(text);
        return;
    }
    line.push_back('"');
    for (const char c : text) {
        if (c == '"') {
            line.push_back('"');
        }
        line.push_back(c);
    }
    line.push_back('"');
}

void ExportTable(jet::ByteSpan file, std::string_view table, std::ostream& out) {
    const jet::Database database(file);
    const jet::TableDefinition definition = database.Table(table);
    std::string csv;
    for (std::size_t i = 0; i < definition.columns.size(); ++i) {
        if (i != 0) {
            csv.push_back(',');
        }
        AppendCsvField(definition.columns[i].name, false, csv);
    }
    csv.push_back('\n');
    std::vector<std::size_t> columns(definition.columns.size());
    std::iota(columns.begin(), columns.end(), std::size_t{0});
    CsvSink sink(csv);
    database.ReadRows(definition, columns, sink);
    out.write(csv.data(), static_cast<std::streamsize>(csv.size()));
}

} // namespace jet_writer
