#include "reader/ordered_rows.h"

#include "jet/row_decoder.h"
#include "jet/table_rows.h"

#include <algorithm>
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
// How many runs each thread may have done and not yet sent.
constexpr std::size_t kRunsAheadPerThread = 4;

// One run's rows, encoded, waiting to be sent.
struct Run {
    catalogue::RowFrames frames;
    std::uint64_t rows = 0;
    std::exception_ptr failure;
    bool done = false;
};

class OrderedRows {
public:
    OrderedRows(const jet::Database& database, const jet::TableDefinition& table,
                std::span<const std::size_t> columns, std::size_t threads, const CopyOut& copyOut)
        : database_(database), table_(table), columns_(columns.begin(), columns.end()),
          copyOut_(copyOut), rows_(database.pages(), table),
          runCount_((rows_.pages().size() + kPagesPerRun - 1) / kPagesPerRun),
          threadCount_(std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(runCount_, 1))),
          slots_(threadCount_ * kRunsAheadPerThread) {}

    std::uint64_t send(catalogue::RowStreamWriter& out) {
        // Made here, so that a column the decoder refuses is refused before any thread starts.
        std::vector<jet::RowDecoder> decoders;
        for (std::size_t k = 0; k < threadCount_; ++k) {
            decoders.emplace_back(database_.pages(), table_, columns_, jet::TextForm::StoredUtf16);
        }
        out.opened();
        std::vector<std::thread> threads;
        for (jet::RowDecoder& decoder : decoders) {
            threads.emplace_back([this, &decoder] { work(decoder); });
        }
        std::exception_ptr failure;
        std::uint64_t count = 0;
        for (std::size_t run = 0; run < runCount_ && !failure; ++run) {
            Run& slot = awaitRun(run);
            failure = slot.failure;
            if (!failure) {
                out.send(slot.frames);
                count += slot.rows;
            }
            release(run);
        }
        stop();
        for (std::thread& thread : threads) {
            thread.join();
        }
        if (failure) {
            std::rethrow_exception(failure);
        }
        rows_.CheckCount(count);
        return count;
    }

private:
    void work(jet::RowDecoder& decoder) {
        std::vector<std::optional<catalogue::CellText>> values(columns_.size());
        std::vector<std::byte> pages(kPagesPerCopy * database_.pages().pageSize());
        for (;;) {
            const std::optional<std::size_t> run = takeRun();
            if (!run) {
                return;
            }
            Run& slot = slots_[*run % slots_.size()];
            try {
                readRun(*run, pages, decoder, values, slot);
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

    void readRun(std::size_t run, std::vector<std::byte>& copies, jet::RowDecoder& decoder,
                 std::vector<std::optional<catalogue::CellText>>& values, Run& slot) const {
        const std::size_t first = run * kPagesPerRun;
        const std::size_t last = std::min(rows_.pages().size(), first + kPagesPerRun);
        for (std::size_t piece = first; piece < last; piece += kPagesPerCopy) {
            const std::size_t end = std::min(last, piece + kPagesPerCopy);
            copyPages(piece, end, copies);
            readPages(piece, end, copies, decoder, values, slot);
        }
    }

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

    void readPages(std::size_t first, std::size_t last, const std::vector<std::byte>& copies,
                   jet::RowDecoder& decoder,
                   std::vector<std::optional<catalogue::CellText>>& values, Run& slot) const {
        const std::vector<std::uint32_t>& pages = rows_.pages();
        const std::size_t pageSize = database_.pages().pageSize();
        for (std::size_t page = first; page < last; ++page) {
            const jet::ByteSpan copy(reinterpret_cast<const std::uint8_t*>(copies.data()) +
                                         (page - first) * pageSize,
                                     pageSize);
            slot.rows += rows_.ReadPageCopy(pages[page], copy, [&](jet::ByteSpan row) {
                const std::span<const jet::Field> fields = decoder.Decode(row);
                for (std::size_t k = 0; k < fields.size(); ++k) {
                    values[k] =
                        fields[k].null
                            ? std::nullopt
                            : std::optional(catalogue::CellText{fields[k].text, fields[k].utf16});
                }
                slot.frames.row(values);
            });
        }
    }

    // The next run nobody has taken, once its slot is free; nullopt when there is none left.
    std::optional<std::size_t> takeRun() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] {
            return stopped_ || next_ >= runCount_ || next_ < sent_ + slots_.size();
        });
        if (stopped_ || next_ >= runCount_) {
            return std::nullopt;
        }
        return next_++;
    }

    Run& awaitRun(std::size_t run) {
        Run& slot = slots_[run % slots_.size()];
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&slot] { return slot.done; });
        return slot;
    }

    // The run's slot is free for the run that many runs later.
    void release(std::size_t run) {
        Run& slot = slots_[run % slots_.size()];
        slot.frames.clear();
        slot.rows = 0;
        slot.failure = nullptr;
        {
            const std::lock_guard lock(mutex_);
            slot.done = false;
            sent_ = run + 1;
        }
        changed_.notify_all();
    }

    void stop() {
        {
            const std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        changed_.notify_all();
    }

    const jet::Database& database_;
    const jet::TableDefinition& table_;
    const std::vector<std::size_t> columns_;
    const CopyOut& copyOut_;
    const jet::TableRows rows_;
    const std::size_t runCount_;
    const std::size_t threadCount_;
    std::vector<Run> slots_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t next_ = 0; // the next run to take
    std::size_t sent_ = 0; // runs sent so far
    bool stopped_ = false;
};

} // namespace

std::uint64_t SendRowsInOrder(const jet::Database& database, const jet::TableDefinition& table,
                              std::span<const std::size_t> columns, std::size_t threads,
                              const CopyOut& copyOut, catalogue::RowStreamWriter& out) {
    return OrderedRows(database, table, columns, threads, copyOut).send(out);
}

} // namespace reader
