#pragma once
// Files for the catalogue tool's tests: a private temporary folder, whole-file reads and
// writes, a table read back with our Jet reader.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace test_files {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    // Names of the files in the folder, sorted.
    std::vector<std::string> fileNames() const;

private:
    std::filesystem::path path_;
};

void writeFile(const std::filesystem::path& file, std::string_view bytes);
std::string readFile(const std::filesystem::path& file);

using TableText = std::vector<std::vector<std::optional<std::string>>>;
// The rows of a table of a catalogue file, these columns in that order; nullopt for a null.
TableText ReadTable(const std::filesystem::path& file, const std::string& table,
                    const std::vector<std::string>& columns);

} // namespace test_files
