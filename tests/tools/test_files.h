#pragma once
// Files for the catalogue tool's tests: a private temporary folder, whole-file reads and
// writes.

#include <filesystem>
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

} // namespace test_files
