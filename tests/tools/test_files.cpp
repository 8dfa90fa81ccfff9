#include "test_files.h"

#include "jet/database.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace test_files {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvane-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TempFolder::fileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void writeFile(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

namespace {

class TextSink : public jet::RowSink {
public:
    TableText rows;
    void Row(std::span<const jet::Field> fields) override {
        auto& row = rows.emplace_back();
        for (const jet::Field& field : fields)
            row.push_back(field.null ? std::nullopt : std::optional(std::string(field.text)));
    }
};

} // namespace

TableText ReadTable(const std::filesystem::path& file, const std::string& table,
                    const std::vector<std::string>& columns) {
    const std::string bytes = readFile(file);
    const jet::Database database(
        jet::ByteSpan(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    const jet::TableDefinition definition = database.Table(table);
    std::vector<std::size_t> indices;
    for (const std::string& column : columns) {
        const std::ptrdiff_t index = jet::FindColumn(definition, column);
        if (index < 0)
            throw std::runtime_error("no column " + column);
        indices.push_back(std::size_t(index));
    }
    TextSink sink;
    database.ReadRows(definition, indices, sink);
    return std::move(sink.rows);
}

} // namespace test_files
