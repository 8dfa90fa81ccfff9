#include "jet_files.h"

#include "catalogue_tool/catalogue_build.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace jet_test {
namespace {

class RowCollector : public jet::RowSink {
public:
    void Row(std::span<const jet::Field> fields) override {
        TextRow row;
        for (const jet::Field& field : fields) {
            row.push_back(field.null ? std::nullopt : std::optional<std::string>(field.text));
        }
        rows.push_back(std::move(row));
    }
    std::vector<TextRow> rows;
};

// A folder of its own under the system's temporary folder, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder() {
        static std::atomic<unsigned> count{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() /
                ("orvane-jet-test-" + std::to_string(stamp) + "-" + std::to_string(++count));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace

std::filesystem::path FixturesFolder() {
    // A checkout elsewhere than beside the shared folder names it in the environment.
    if (const char* folder = std::getenv("ORVANE_FIXTURES_DIR")) {
        return folder;
    }
    return ORVANE_FIXTURES_DIR;
}

bool HaveFixtures() {
    return std::filesystem::is_directory(FixturesFolder() / "access-written");
}

FileBytes ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + file.string());
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

FileBytes BuildCatalogue(const std::string& csv) {
    const ScratchFolder folder;
    {
        std::ofstream out(folder.path() / "catalogue.csv", std::ios::binary);
        out << csv;
    }
    jet_writer::BuildCatalogue(folder.path() / "catalogue.csv", folder.path() / "base.MDB");
    return ReadBytes(folder.path() / "base.MDB");
}

std::vector<TextRow> ReadTable(const FileBytes& file, const std::string& table,
                               const std::vector<std::string>& columns) {
    const jet::Database database(file);
    const jet::TableDefinition definition = database.Table(table);
    std::vector<std::size_t> indices;
    for (const std::string& name : columns) {
        const std::ptrdiff_t index = jet::FindColumn(definition, name);
        if (index < 0) {
            throw std::runtime_error("no column " + name);
        }
        indices.push_back(static_cast<std::size_t>(index));
    }
    if (columns.empty()) {
        for (std::size_t i = 0; i < definition.columns.size(); ++i) {
            indices.push_back(i);
        }
    }
    RowCollector collector;
    database.ReadRows(definition, indices, collector);
    return collector.rows;
}

std::string RefusalOf(const FileBytes& file, const std::string& table) {
    try {
        ReadTable(file, table);
    } catch (const jet::FormatError& error) {
        return error.Message("base.MDB");
    }
    return {};
}

} // namespace jet_test
