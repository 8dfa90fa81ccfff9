// Fuzzes opening and reading a catalogue file as the program does: the input is written to a new
// file, whose table Index the catalogue store reads through its helper program. The Jet library
// crashes on some damaged files; whatever the file holds, the program must get its rows or a
// CatalogueError that names the file, and never crash or hang itself.

#include "catalogue/catalogue_error.h"
#include "catalogue/catalogue_store.h"
#include "catalogue/recordset.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

// Each input gets a file of its own: the store keeps what it read from a file it saw before.
std::string newScratchFile() {
    static const std::filesystem::path folder = [] {
        const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                           ("orvane-catalogue-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    static std::uint64_t count = 0;
    return (folder / ("input-" + std::to_string(++count) + ".mdb")).string();
}

void readAndSearch(const std::string& file) {
    const auto table = catalogue::OpenCatalogueTable(file, "Index");
    catalogue::Recordset records(table);
    const std::string criteria = "Nom like '*e*' or Description like '*e*'";
    records.FindLast(criteria);
    for (int step = 0; step < 3 && !records.NoMatch(); ++step) {
        records.Fields("cd");
        records.FindPrevious(criteria);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    catalogue::SetCatalogueReaderProgram(ORVANE_READER_PROGRAM);
    // The sanitizer maps the helper's heap up front, so its address-space limit cannot bound the
    // heap: the sanitizer's own limit on resident memory does, as the address-space limit does
    // in the program.
    const char* options = std::getenv("ASAN_OPTIONS");
    const std::string helperOptions =
        std::string(options != nullptr ? options : "") + ":hard_rss_limit_mb=512";
    setenv("ASAN_OPTIONS", helperOptions.c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file = newScratchFile();
    {
        std::ofstream out(file, std::ios::binary);
        if (!out) {
            std::abort();
        }
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    try {
        readAndSearch(file);
    } catch (const catalogue::CatalogueError& error) {
        const std::string message = error.what();
        if (message.find(file) == std::string::npos) {
            std::abort(); // every failure names the file
        }
        if (message.find("ne progresse plus") != std::string::npos) {
            std::fprintf(stderr, "stuck reader: %s\n", message.c_str());
        }
    }
    std::filesystem::remove(file);
    return 0;
}
