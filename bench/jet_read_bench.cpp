// Reads table Index of a catalogue with our Jet reader, straight from the mapped file, and
// counts the rows holding a word in any field, letter case aside (as `grep -ci` counts lines).
// Prints: rows, matches, and the milliseconds the read and the count took together (median of
// the runs asked for).
//
// Usage: jet_read_bench CATALOGUE.MDB [word] [runs] [threads]
// With threads > 1 the table's pages are split between that many threads.

#include "jet/database.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Finds a lower-case ASCII word in text, letter case aside: the library's memchr finds each
// place where its first letter stands, in either case.
bool Contains(std::string_view text, std::string_view word) {
    if (word.empty()) {
        return true;
    }
    const char lower = word[0];
    const char upper = static_cast<char>(lower - 'a' + 'A');
    for (std::size_t at = 0; at + word.size() <= text.size();) {
        const std::size_t span = text.size() - word.size() + 1 - at;
        const void* small = std::memchr(text.data() + at, lower, span);
        const void* capital = std::memchr(text.data() + at, upper, span);
        if (small == nullptr && capital == nullptr) {
            return false;
        }
        const char* found =
            static_cast<const char*>(small == nullptr     ? capital
                                     : capital == nullptr ? small
                                                          : std::min(small, capital));
        std::size_t k = 1;
        while (k < word.size() && Lower(found[k]) == word[k]) {
            ++k;
        }
        if (k == word.size()) {
            return true;
        }
        at = static_cast<std::size_t>(found - text.data()) + 1;
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
    const std::size_t threads =
        argc > 4 ? static_cast<std::size_t>(std::max(1, std::atoi(argv[4]))) : 1;
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
            std::vector<CountingSink> sinks(threads, CountingSink(word));
            std::vector<jet::RowSink*> parts;
            for (CountingSink& sink : sinks) {
                parts.push_back(&sink);
            }
            std::vector<std::size_t> columns(table.columns.size());
            for (std::size_t i = 0; i < columns.size(); ++i) {
                columns[i] = i;
            }
            database.ReadRowsInParts(table, columns, parts);
            times.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
            last = CountingSink(word);
            for (const CountingSink& sink : sinks) {
                last.rows += sink.rows;
                last.matches += sink.matches;
            }
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
