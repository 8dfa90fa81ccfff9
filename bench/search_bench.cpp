// Times searches over one catalogue the way the window runs them: point the data control at the
// file, Refresh, FindFirst, then FindNext until NoMatch to count, then FindFirst again; and the
// navigation steps that follow (a find and the three fields read). Used by bench/search_bench.sh.
// The first search of each kind is the window's own (recherche over a runtime without a window),
// and the longest its thread goes without running the event pump is printed as max_stall_ms:
// from the search's start to the first pump, between two pumps, and from the last to its end;
// max_stall_queued_ms is how much of that stall the thread spent waiting for a processor.
//
// search_bench READER CATALOGUE WORD cold           first search in a fresh process, a repeated
//                                                   search, searches for new words, navigation
//                                                   steps, memory and the copy floor
// search_bench READER CATALOGUE WORD preloaded MS   the background read started, the search
//                                                   typed MS milliseconds later
// Prints "name value" lines.

#include "app/module3.h"
#include "app/recherche.h"
#include "app/shaped_form.h"
#include "catalogue/catalogue_store.h"
#include "catalogue/data_control.h"
#include "fake_runtime.h"
#include "system/page_block.h"
#include "temp_folder.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A line of /proc/self/status, in kilobytes.
long statusKilobytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == key + ":") {
            long value = 0;
            status >> value;
            return value;
        }
    }
    return 0;
}

// Processor time of this process and of the helpers it waited for.
double processorMilliseconds() {
    double total = 0;
    for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage usage{};
        getrusage(who, &usage);
        total += double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                 double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    }
    return total;
}

// How long the calling thread has been runnable but waiting for a processor, from the kernel's
// scheduler statistics (0 where it keeps none): the part of a stall that a busy machine, not the
// program, is to blame for.
double queuedMilliseconds() {
    std::ifstream statistics("/proc/thread-self/schedstat");
    double running = 0;
    double waiting = 0;
    statistics >> running >> waiting;
    return waiting / 1e6;
}

// The window's search of a word in the catalogue base.MDB of the window's folder, with the
// longest stretch its thread went without pumping events.
class WatchedWindow {
public:
    explicit WatchedWindow(const std::filesystem::path& catalogue) {
        std::filesystem::create_symlink(std::filesystem::absolute(catalogue), path());
        window_.appPath = folder_.path().string();
        window_.onDoEvents = [this] { pumped(); };
    }

    std::string path() const { return folder_.file("base.MDB").string(); }

    // Answers the number of matches; throws CatalogueError with the message the window showed.
    long search(const std::string& word) {
        window_.text1 = word;
        lastPump_ = Clock::now();
        queuedAtLastPump_ = queuedMilliseconds();
        Module1::recherche();
        pumped();
        if (!window_.boxes.empty()) {
            throw catalogue::CatalogueError(window_.boxes.front());
        }
        return long(Module3::result.total);
    }

    // The longest stall, and how much of it the thread spent waiting for a processor.
    double longestStallMilliseconds() const { return longestStall_; }
    double longestStallQueuedMilliseconds() const { return longestStallQueued_; }

private:
    void pumped() {
        const auto now = Clock::now();
        const double queued = queuedMilliseconds();
        const double stall = std::chrono::duration<double, std::milli>(now - lastPump_).count();
        if (stall > longestStall_) {
            longestStall_ = stall;
            longestStallQueued_ = queued - queuedAtLastPump_;
        }
        lastPump_ = now;
        queuedAtLastPump_ = queued;
    }

    TempFolder folder_;
    FakeRuntime window_;
    ShapedForm form_{window_};
    Clock::time_point lastPump_;
    double queuedAtLastPump_ = 0;
    double longestStall_ = 0;
    double longestStallQueued_ = 0;
};

// Prints the longest stall of the window's search.
void printStall(const WatchedWindow& window) {
    std::printf("max_stall_ms %.3f\nmax_stall_queued_ms %.3f\n", window.longestStallMilliseconds(),
                window.longestStallQueuedMilliseconds());
}

// One search as the window runs it; answers the number of matches.
long search(catalogue::DataControl& control, const std::string& path, const std::string& criteria) {
    control.DatabaseName = path;
    control.Refresh();
    control.RecordSource = "Index";
    control.Refresh();
    control.Recordset().FindFirst(criteria);
    long count = 0;
    if (!control.Recordset().NoMatch()) {
        do {
            control.Recordset().FindNext(criteria);
            ++count;
        } while (!control.Recordset().NoMatch());
    }
    control.Recordset().FindFirst(criteria);
    return count;
}

volatile std::size_t shownBytes = 0; // keeps the field reads from being optimised away

void showRecord(catalogue::Recordset& records) {
    for (const char* name : {"Nom", "CD", "Description"}) {
        shownBytes = shownBytes + records.Fields(name).Value().value_or("").size();
    }
}

// Microseconds per navigation step of one kind, over up to `steps` steps.
template <typename Step>
double stepMicroseconds(catalogue::Recordset& records, long steps, Step step) {
    const auto start = Clock::now();
    for (long i = 0; i < steps; ++i) {
        step();
        if (!records.NoMatch()) {
            showRecord(records);
        }
    }
    return millisecondsSince(start) * 1000.0 / double(steps);
}

std::string criteriaFor(const std::string& word) {
    return "Nom like '*" + word + "*' or Description like '*" + word + "*'";
}

// Words searched for the first time once the catalogue is read: one found in a few rows of the
// synthetic catalogue, one in most of them, and one found nowhere.
const char* const kNewWords[] = {"jazz", "le", "xylophone"};
// Each timing below is the median of this many, so that a moment of a busy machine counts less.
constexpr unsigned kRepeats = 3;

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The word with the letters of mask in capitals: a filter text not searched before, with the
// same matches.
std::string capitalised(const std::string& word, unsigned mask) {
    std::string variant = word;
    for (std::size_t i = 0; i < variant.size(); ++i) {
        if (mask >> (i % 8) & 1) {
            variant[i] = char(std::toupper(static_cast<unsigned char>(variant[i])));
        }
    }
    return variant;
}

// A search for a word never searched before in this process, timed kRepeats times, each time
// with other letters in capitals (a word of two letters or more has that many variants).
double newWordMilliseconds(catalogue::DataControl& control, const std::string& path,
                           const std::string& word, long& found) {
    std::vector<double> times;
    for (unsigned mask = 0; mask < kRepeats; ++mask) {
        const auto start = Clock::now();
        found = search(control, path, criteriaFor(capitalised(word, mask)));
        times.push_back(millisecondsSince(start));
    }
    return median(times);
}

// The time to copy the catalogue's text once with memcpy, into memory already touched, so that
// only the copy is timed.
double copyFloorMilliseconds(const catalogue::CatalogueRows& rows) {
    std::string text;
    text.reserve(rows.textBytes());
    for (std::size_t row = 0; row < rows.rowCount(); ++row) {
        for (std::size_t column = 0; column < rows.columnCount(); ++column) {
            text += rows.value(row, column).value_or("");
        }
    }
    const auto copy = std::make_unique_for_overwrite<char[]>(text.size() + 1);
    std::memset(copy.get(), 1, text.size() + 1);
    std::vector<double> times;
    for (unsigned i = 0; i < kRepeats; ++i) {
        const auto start = Clock::now();
        std::memcpy(copy.get(), text.data(), text.size());
        times.push_back(millisecondsSince(start));
    }
    shownBytes = shownBytes + std::size_t(copy[text.size() / 2]);
    return median(times);
}

// The time to fill fresh memory as large as the store, taken as the store takes it, one byte per
// 4 KiB page: on a virtual machine whose host hands out memory lazily, this is a large part of a
// first search, and it varies from run to run with what the host has at hand.
double freshMemoryMilliseconds(std::size_t bytes) {
    const std::size_t large = (bytes + sys::kLargePage - 1) / sys::kLargePage * sys::kLargePage;
    const auto start = Clock::now();
    const sys::PageBlock block(large);
    for (std::size_t at = 0; at < large; at += 4096) {
        block.data()[at] = 1;
    }
    const double milliseconds = millisecondsSince(start);
    shownBytes = shownBytes + std::size_t(block.data()[large / 2]);
    return milliseconds;
}

void cold(const std::filesystem::path& catalogue, const std::string& word) {
    const long rssBefore = statusKilobytes("VmRSS");
    WatchedWindow window(catalogue);
    const std::string path = window.path();
    const std::string criteria = criteriaFor(word);
    catalogue::DataControl control;
    const double processorBefore = processorMilliseconds();
    auto start = Clock::now();
    const long matches = window.search(word);
    std::printf("matches %ld\ncold_ms %.3f\n", matches, millisecondsSince(start));
    printStall(window);
    start = Clock::now();
    search(control, path, criteria);
    std::printf("repeated_ms %.3f\n", millisecondsSince(start));
    // The first search is answered before the whole table has come; the processor time of the
    // whole read, its helper's included, and new words are taken once it has.
    catalogue::OpenCatalogueTable(path, "Index");
    std::printf("cold_processor_ms %.3f\n", processorMilliseconds() - processorBefore);
    for (const char* newWord : kNewWords) {
        long found = 0;
        const double milliseconds = newWordMilliseconds(control, path, newWord, found);
        std::printf("new_word_ms %s %.3f %ld\n", newWord, milliseconds, found);
    }

    catalogue::Recordset& records = control.Recordset();
    const long steps = std::max(1L, std::min(matches - 1, 1000L));
    records.FindFirst(criteria);
    std::printf("next_us %.3f\n",
                stepMicroseconds(records, steps, [&] { records.FindNext(criteria); }));
    std::printf("previous_us %.3f\n",
                stepMicroseconds(records, steps, [&] { records.FindPrevious(criteria); }));
    long jumps = 0;
    std::printf("jump_us %.3f\n", stepMicroseconds(records, 1000, [&] {
                    ++jumps % 2 ? records.FindLast(criteria) : records.FindFirst(criteria);
                }));

    const auto table = catalogue::OpenCatalogueTable(path, "Index");
    std::printf("rows %zu\ntext_bytes %zu\nheld_bytes %zu\npeak_growth_bytes %ld\n",
                table->rows().rowCount(), table->rows().textBytes(), table->rows().memoryBytes(),
                (statusKilobytes("VmHWM") - rssBefore) * 1024);
    std::printf("floor_ms %.3f\n", copyFloorMilliseconds(table->rows()));
    std::printf("fresh_memory_ms %.3f\n", freshMemoryMilliseconds(table->rows().memoryBytes()));
}

void preloaded(const std::filesystem::path& catalogue, const std::string& word,
               int waitMilliseconds) {
    WatchedWindow window(catalogue);
    catalogue::PreloadCatalogue(window.path());
    std::this_thread::sleep_for(std::chrono::milliseconds(waitMilliseconds));
    const auto start = Clock::now();
    window.search(word);
    std::printf("preloaded_ms %.3f\n", millisecondsSince(start));
    printStall(window);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 5) {
        std::fputs("usage: search_bench READER CATALOGUE WORD cold|preloaded [MS]\n", stderr);
        return 2;
    }
    catalogue::SetCatalogueReaderProgram(argv[1]);
    try {
        if (std::string(argv[4]) == "cold") {
            cold(argv[2], argv[3]);
        } else {
            preloaded(argv[2], argv[3], argc > 5 ? std::stoi(argv[5]) : 3000);
        }
    } catch (const catalogue::CatalogueError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
