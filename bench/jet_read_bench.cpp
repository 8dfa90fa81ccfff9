// Reads table Index of a catalogue with our Jet reader, straight from the mapped file, and
// counts the rows holding a word in any field, letter case aside (as `grep -ci` counts lines).
// Prints: rows, matches, and the milliseconds the read and the count took together (median of
// the runs asked for).
//
// Usage: jet_read_bench CATALOGUE.MDB [word] [runs]

#include "jet/database.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Finds a lower-case ASCII word in text, letter case aside.
bool Contains(std::string_view text, std::string_view word) {
    if (word.empty() || text.size() < word.size()) {
        return word.empty();
    }
    const char first = word[0];
    const char upper = static_cast<char>(first - 'a' + 'A');
    for (std::size_t at = 0; at + word.size() <= text.size(); ++at) {
        if (text[at] != first && text[at] != upper) {
            continue;
        }
        std::size_t k = 1;
        while (k < word.size() && Lower(text[at + k]) == word[k]) {
            ++k;
        }
        if (k == word.size()) {
            return true;
        }
    }
    return false;
}

class CountingSink : public jet::RowSink {
public:
    explicit CountingSink(std::string_view word) : word_(word) {}
    void Row(std::span<const jet::Field> fields) override {
        ++rows;
        for (const jet::Field& field : fields) {
            if (!field.null && Contains(field.text, word_)) {
                ++matches;
                return;
            }
        }
    }
    std::size_t rows = 0;
    std::size_t matches = 0;

private:
    std::string_view word_;
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: jet_read_bench CATALOGUE.MDB [word] [runs]\n");
        return 2;
    }
    const std::string word = argc > 2 ? argv[2] : "jeu";
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    const int fd = open(argv[1], O_RDONLY);
    struct stat status {};
    if (fd < 0 || fstat(fd, &status) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    const auto size = static_cast<std::size_t>(status.st_size);
    void* mapped = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (mapped == MAP_FAILED) {
        std::perror("mmap");
        return 1;
    }
    const std::span<const std::uint8_t> file(static_cast<const std::uint8_t*>(mapped), size);
    std::vector<double> times;
    CountingSink last(word);
    try {
        for (int run = 0; run < runs; ++run) {
            const auto start = std::chrono::steady_clock::now();
            const jet::Database database(file);
            const jet::TableDefinition table = database.Table("Index");
            CountingSink sink(word);
            database.ReadRows(table, sink);
            times.push_back(std::chrono::duration<double, std::milli>(
                                std::chrono::steady_clock::now() - start)
                                .count());
            last = sink;
        }
    } catch (const jet::FormatError& error) {
        std::fprintf(stderr, "%s\n", error.Message(argv[1]).c_str());
        return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("rows %zu\nmatches %zu\nread_ms %.1f\n", last.rows, last.matches,
                times[times.size() / 2]);
    munmap(mapped, size);
    close(fd);
    return 0;
}
