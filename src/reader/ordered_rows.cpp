#include "reader/ordered_rows.h"

#include "catalogue/filter/filter.h"
#include "catalogue/filter/fold_case.h"
#include "catalogue/filter/text_search.h"
#include "jet/row_decoder.h"
#include "jet/table_rows.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

namespace reader {
namespace {

// A run of 32 pages holds a few hundred rows: enough to keep the threads' hand-over rare, few
// enough that the program gets rows at once.
constexpr std::size_t kPagesPerRun = 32;
// Pages are copied a few at a time, each piece decoded while it is still in the processor's
// cache: the system copies larger pieces around the cache, and reading them again costs more.
constexpr std::size_t kPagesPerCopy = 8;
// How many runs each thread may have done and not yet taken.
constexpr std::size_t kRunsAheadPerThread = 4;
// A filter's pass says it goes on every so many runs: every 8 MB of the table.
constexpr std::size_t kRunsBetweenWorking = 64;
// An answer shows the first matches' rows up to this many bytes, the first one whatever its size:
// enough for the first pages of a search, little to send before the rows go on.
constexpr std::size_t kShownBytes = std::size_t(128) << 10;

using Values = std::vector<std::optional<catalogue::CellText>>;

// The table's data pages cut into runs, and the reading of a run's rows.
class TableRuns {
public:
    TableRuns(const jet::Database& database, const jet::TableDefinition& table,
              std::span<const std::size_t> columns, const CopyOut& copyOut)
        : database_(database), table_(table), columns_(columns.begin(), columns.end()),
          copyOut_(copyOut), rows_(database.pages(), table),
          count_((rows_.pages().size() + kPagesPerRun - 1) / kPagesPerRun) {}

    std::size_t count() const { return count_; }
    // As many threads as asked, but no more than there are runs.
    std::size_t threadsFor(std::size_t threads) const {
        return std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(count_, 1));
    }
    void checkCount(std::uint64_t rows) const { rows_.CheckCount(rows); }

    // What a thread reads runs with: its decoder and its buffers.
    struct Reader {
        jet::RowDecoder decoder;
        std::vector<std::byte> pages;
        Values values;
    };
    // Throws when the decoder refuses a column.
    Reader reader() const {
        return {jet::RowDecoder(database_.pages(), table_, columns_, jet::TextForm::StoredUtf16),
                std::vector<std::byte>(kPagesPerCopy * database_.pages().pageSize()),
                Values(columns_.size())};
    }

    // Calls visit(values, index) for each row of the run, in order, index counting the run's rows
    // from 0; answers how many there are.
    template <typename Visit>
    std::uint64_t read(std::size_t run, Reader& reader, Visit&& visit) const {
        const std::size_t first = run * kPagesPerRun;
        const std::size_t last = std::min(rows_.pages().size(), first + kPagesPerRun);
        std::uint64_t rows = 0;
        for (std::size_t piece = first; piece < last; piece += kPagesPerCopy) {
            const std::size_t end = std::min(last, piece + kPagesPerCopy);
            copyPages(piece, end, reader.pages);
            for (std::size_t page = piece; page < end; ++page) {
                rows += readPage(page, page - piece, reader, rows, visit);
            }
        }
        return rows;
    }

private:
    // The pages [first, last) of the table into copies, a stretch of consecutive pages at a time.
    void copyPages(std::size_t first, std::size_t last, std::vector<std::byte>& copies) const {
        const jet::PageFile& file = database_.pages();
        const std::vector<std::uint32_t>& pages = rows_.pages();
        for (std::size_t page = first; page < last;) {
            std::size_t end = page + 1;
            while (end < last && pages[end] == pages[end - 1] + 1) {
                ++end;
            }
            file.Page(pages[page]); // a page outside the file is damage, found before reading
            file.Page(pages[end - 1]);
            copyOut_(std::uint64_t(pages[page]) * file.pageSize(),
                     std::span(copies).subspan((page - first) * file.pageSize(),
                                               (end - page) * file.pageSize()));
            page = end;
        }
    }

    // Reads the table's page from its copy, the copied pages' copyIndex-th.
    template <typename Visit>
    std::uint64_t readPage(std::size_t page, std::size_t copyIndex, Reader& reader,
                           std::uint64_t index, Visit& visit) const {
        const std::size_t pageSize = database_.pages().pageSize();
        const jet::ByteSpan copy(reinterpret_cast<const std::uint8_t*>(reader.pages.data()) +
                                     copyIndex * pageSize,
                                 pageSize);
        return rows_.ReadPageCopy(rows_.pages()[page], copy, [&](jet::ByteSpan row) {
            const std::span<const jet::Field> fields = reader.decoder.Decode(row);
            for (std::size_t k = 0; k < fields.size(); ++k) {
                reader.values[k] =
                    fields[k].null
                        ? std::nullopt
                        : std::optional(catalogue::CellText{fields[k].text, fields[k].utf16});
            }
            visit(reader.values, index++);
        });
    }

    const jet::Database& database_;
    const jet::TableDefinition& table_;
    const std::vector<std::size_t> columns_;
    const CopyOut& copyOut_;
    const jet::TableRows rows_;
    const std::size_t count_;
};

// One pass over the table on several threads: each thread reads the next run nobody has taken,
// giving each row to a step of its own, which fills the run's output; the calling thread takes
// the runs' outputs in the table's order. A thread runs at most a few runs ahead of the taking,
// so that memory stays small and reused. A Step has an Output, with clear(), and
// row(values, index in the run, output).
template <typename Step> class OrderedPass {
public:
    using Output = typename Step::Output;

    // One step for each thread. The threads' readers are made here, so that a column the decoder
    // refuses is refused before any thread starts.
    OrderedPass(const TableRuns& runs, std::vector<Step>& steps)
        : runs_(runs), steps_(steps), slots_(steps.size() * kRunsAheadPerThread) {
        for (std::size_t k = 0; k < steps.size(); ++k) {
            readers_.push_back(runs.reader());
        }
    }

    // Reads every run and calls take(output, rows before the run) for each, in order; then checks
    // the row count the table declares, and answers it. The first failure in the table's order,
    // or of take, is thrown once every thread has stopped; the runs before it are taken.
    template <typename Take> std::uint64_t run(Take&& take) {
        std::vector<std::thread> threads;
        try {
            for (std::size_t k = 0; k < steps_.size(); ++k) {
                threads.emplace_back([this, k] { work(readers_[k], steps_[k]); });
            }
        } catch (...) {
            // The system refused a thread: those started end before the refusal is thrown.
            stopAndJoin(threads);
            throw;
        }
        std::exception_ptr failure;
        std::uint64_t count = 0;
        for (std::size_t run = 0; run < runs_.count() && !failure; ++run) {
            Slot& slot = awaitRun(run);
            failure = slot.failure;
            try {
                if (!failure) {
                    take(slot.output, count);
                    count += slot.rows;
                }
            } catch (...) {
                failure = std::current_exception();
            }
            release(run);
        }
        stopAndJoin(threads);
        if (failure) {
            std::rethrow_exception(failure);
        }
        runs_.checkCount(count);
        return count;
    }

private:
    struct Slot {
        Output output;
        std::uint64_t rows = 0;
        std::exception_ptr failure;
        bool done = false;
    };

    void work(TableRuns::Reader& reader, Step& step) {
        for (;;) {
            const std::optional<std::size_t> run = takeRun();
            if (!run) {
                return;
            }
            Slot& slot = slots_[*run % slots_.size()];
            try {
                slot.rows =
                    runs_.read(*run, reader, [&](const Values& values, std::uint64_t index) {
                        step.row(values, index, slot.output);
                    });
            } catch (...) {
                slot.failure = std::current_exception();
            }
            {
                const std::lock_guard lock(mutex_);
                slot.done = true;
            }
            changed_.notify_all();
        }
    }

    // The next run nobody has taken, once its slot is free; nullopt when there is none left.
    std::optional<std::size_t> takeRun() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] {
            return stopped_ || next_ >= runs_.count() || next_ < taken_ + slots_.size();
        });
        if (stopped_ || next_ >= runs_.count()) {
            return std::nullopt;
        }
        return next_++;
    }

    Slot& awaitRun(std::size_t run) {
        Slot& slot = slots_[run % slots_.size()];
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&slot] { return slot.done; });
        return slot;
    }

    // The run's slot is free for the run that many runs later.
    void release(std::size_t run) {
        Slot& slot = slots_[run % slots_.size()];
        slot.output.clear();
        slot.rows = 0;
        slot.failure = nullptr;
        {
            const std::lock_guard lock(mutex_);
            slot.done = false;
            taken_ = run + 1;
        }
        changed_.notify_all();
    }

    void stopAndJoin(std::vector<std::thread>& threads) {
        {
            const std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        changed_.notify_all();
        for (std::thread& thread : threads) {
            thread.join();
        }
    }

    const TableRuns& runs_;
    std::vector<Step>& steps_;
    std::vector<TableRuns::Reader> readers_;
    std::vector<Slot> slots_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t next_ = 0;  // the next run to take
    std::size_t taken_ = 0; // runs taken so far
    bool stopped_ = false;
};

// Streaming: every row, folded and encoded into frames.
struct StreamStep {
    struct Output {
        catalogue::RowFrames frames;
        void clear() { frames.clear(); }
    };
    void row(const Values& values, std::uint64_t, Output& output) { output.frames.row(values); }
};

// A filter's pass: each row folded as the stream folds it and tested; the matches kept, with
// their rows encoded as long as the answer may still show them. A filter whose matches must hold
// some text, as a search's does, has only the columns that must hold it folded, and searched for
// it; the whole row is folded and tested only when that text alone does not decide.
class FilterStep {
public:
    struct Output {
        std::vector<std::uint32_t> matches; // numbered within the run
        std::string rows;                   // their rows, encoded back to back
        std::vector<std::size_t> ends; // where each of them ends in rows; where it starts for a
                                       // match whose row was not encoded
        void clear() {
            matches.clear();
            rows.clear();
            ends.clear();
        }
    };

    FilterStep(const catalogue::filter::BoundFilter& filter, std::size_t columns,
               const std::atomic<bool>& shownFull)
        : filter_(&filter), shownFull_(&shownFull), needs_(filter.Needs()), needed_(columns, false),
          asciiNeeds_(asciiText(needs_)), searchable_(columns), folded_(columns) {
        if (needs_) {
            for (const auto& need : needs_->anyOf) {
                for (std::size_t column : need.columns) {
                    needed_.at(column) = true;
                }
            }
        }
    }

    void row(const Values& values, std::uint64_t index, Output& output) {
        if (needs_ && !holdsANeed(values)) {
            return;
        }
        if (!needs_ || !needs_->exact) {
            encoder_.fold(values, folded_);
            if (!filter_->Matches(folded_)) {
                return;
            }
        }
        output.matches.push_back(std::uint32_t(index));
        // Folded once more, which costs less than encoding every row.
        if (!shownFull_->load(std::memory_order_relaxed)) {
            encoder_.append(values, output.rows);
        }
        output.ends.push_back(output.rows.size());
    }

private:
    // Whether a column the needs name holds their text. Text of ASCII characters, what a search
    // mostly looks for, is searched for in a plainer fold of the values than the one the program
    // keeps, which finds it in the same values.
    bool holdsANeed(const Values& values) {
        if (asciiNeeds_) {
            for (std::size_t column = 0; column < values.size(); ++column) {
                folded_[column] =
                    needed_[column] ? searchable(values[column], column) : std::nullopt;
            }
        } else {
            encoder_.fold(values, folded_, needed_);
        }
        for (const auto& need : needs_->anyOf) {
            for (std::size_t column : need.columns) {
                const std::optional<std::string_view>& cell = folded_[column];
                if (cell && catalogue::filter::FindText(cell->data(), cell->data() + cell->size(),
                                                        need.text) != nullptr) {
                    return true;
                }
            }
        }
        return false;
    }

    std::optional<std::string_view> searchable(const std::optional<catalogue::CellText>& value,
                                               std::size_t column) {
        if (!value) {
            return std::nullopt;
        }
        std::string& room = searchable_[column];
        const std::size_t needed = value->utf16
                                       ? value->bytes.size() / 2
                                       : catalogue::filter::FoldedRoom(value->bytes.size());
        if (room.size() < needed) {
            room.resize(needed);
        }
        char* const end =
            value->utf16 ? catalogue::filter::FoldUtf16ForAsciiSearch(value->bytes, room.data())
                         : catalogue::filter::FoldInto(value->bytes, room.data(), changed_).end;
        changed_.clear();
        return std::string_view(room.data(), std::size_t(end - room.data()));
    }

    static bool asciiText(const std::optional<catalogue::filter::RowNeeds>& needs) {
        return needs && std::all_of(needs->anyOf.begin(), needs->anyOf.end(), [](const auto& need) {
                   return std::all_of(need.text.begin(), need.text.end(), [](char c) {
                       return c > 0 && static_cast<unsigned char>(c) < 0x80;
                   });
               });
    }

    const catalogue::filter::BoundFilter* filter_;
    const std::atomic<bool>* shownFull_;
    std::optional<catalogue::filter::RowNeeds> needs_;
    std::vector<bool> needed_;            // the columns the needs name
    bool asciiNeeds_;                     // whether their texts are all ASCII (without 0)
    std::vector<std::string> searchable_; // for each column, its value as searched, at its largest
    std::vector<std::size_t> changed_;    // what folding UTF-8 notes, not used here
    catalogue::RowEncoder encoder_;
    std::vector<std::optional<std::string_view>> folded_;
};

// Adds a run's matches to the answer, and their rows while they fit in what it shows; says when
// they no longer do, so that the rows after are not encoded.
class AnswerBuilder {
public:
    AnswerBuilder(std::uint32_t request, std::atomic<bool>& shownFull)
        : answer_{request, 0, {}, 0, {}}, shownFull_(shownFull) {}

    void add(const FilterStep::Output& run, std::uint64_t firstRow) {
        std::size_t start = 0;
        for (std::size_t k = 0; k < run.matches.size(); ++k) {
            answer_.matches.push_back(std::uint32_t(firstRow + run.matches[k]));
            // A row left unencoded comes only once the answer is full.
            const std::size_t bytes = run.ends[k] - start;
            if (!full_ && answer_.shownCount > 0 &&
                answer_.shownRows.size() + bytes > kShownBytes) {
                full_ = true;
                shownFull_.store(true, std::memory_order_relaxed);
            }
            if (!full_) {
                answer_.shownRows.append(run.rows, start, bytes);
                ++answer_.shownCount;
            }
            start = run.ends[k];
        }
    }

    catalogue::EncodedFilterAnswer& finish(std::uint64_t tableRows) {
        answer_.tableRows = tableRows;
        return answer_;
    }

private:
    catalogue::EncodedFilterAnswer answer_;
    std::atomic<bool>& shownFull_;
    bool full_ = false; // once a row did not fit, none after it is shown
};

// Answers a request with a pass over the whole table on that many threads; nothing for criteria
// that do not parse or name a field the table lacks, which the program checks before asking.
void answerRequest(const TableRuns& runs, std::size_t threads,
                   const catalogue::AskedFilter& request, const std::vector<std::string>& fields,
                   catalogue::RowStreamWriter& out) {
    std::optional<catalogue::filter::BoundFilter> filter;
    try {
        filter = catalogue::filter::Filter::Parse(request.criteria).Bind(fields);
    } catch (const catalogue::filter::FilterError&) {
        return;
    }
    std::atomic<bool> shownFull = false;
    std::vector<FilterStep> steps(threads, FilterStep(*filter, fields.size(), shownFull));
    AnswerBuilder answer(request.request, shownFull);
    std::size_t runsRead = 0;
    const std::uint64_t rows =
        OrderedPass(runs, steps).run([&](const FilterStep::Output& run, std::uint64_t firstRow) {
            answer.add(run, firstRow);
            // The program takes a reader that computes long without sending for one that
            // loops: a large table's pass says now and then that it goes on.
            if (++runsRead % kRunsBetweenWorking == 0) {
                out.working();
            }
        });
    out.answer(answer.finish(rows));
}

} // namespace

std::uint64_t SendRowsInOrder(const jet::Database& database, const jet::TableDefinition& table,
                              std::span<const std::size_t> columns, std::size_t threads,
                              const CopyOut& copyOut, catalogue::RowStreamWriter& out,
                              const AskedFilters& asked) {
    const TableRuns runs(database, table, columns, copyOut);
    const std::size_t threadCount = runs.threadsFor(threads);
    std::vector<StreamStep> steps(threadCount);
    OrderedPass stream(runs, steps);
    out.opened();
    // The threads stop by themselves while a request is answered, once they are as far ahead
    // as they may go.
    return stream.run([&](StreamStep::Output& run, std::uint64_t) {
        if (asked.requests != nullptr) {
            if (const auto request = asked.requests->take()) {
                answerRequest(runs, threadCount, *request, asked.fields, out);
            }
        }
        out.send(run.frames);
    });
}

} // namespace reader
