#pragma once
// A table whose rows the reading helper is still sending, as the threads that wait for it see it:
// whether the helper has opened the table, and the rows a filter matches, which the helper
// answers from the file before it has sent every row. Building the program's copy of a large
// table takes longer than reading it: a search asked while it is built is answered sooner this
// way. Shared by the read's own thread, which feeds it, and the window's, which asks.

#include "catalogue/row_stream.h"

#include <cstdint>
#include <functional>
#include <future>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace catalogue {

using AnswerResult = std::shared_future<std::shared_ptr<const FilterAnswer>>;

class TableReading {
public:
    // A filter longer than this, or asked after that many others of the same read, waits for the
    // whole table instead: what a read sends its helper stays far below what the helper's input
    // holds, so that sending never waits on a helper that does not read.
    static constexpr std::size_t kLongestAsked = std::size_t(2) << 10;
    static constexpr std::uint32_t kMostAsked = 16;

    TableReading();
    TableReading(const TableReading&) = delete;
    TableReading& operator=(const TableReading&) = delete;

    // The read's thread: send writes to the helper's input and answers false once it cannot;
    // filters asked before are sent now. Until Disconnect, send may be called from any thread.
    void Connect(std::function<bool(std::string_view)> send);
    // The helper has ended or is about to: filters not answered yet get no answer.
    void Disconnect();
    void Opened();
    void Answered(FilterAnswer answer);
    // The read is over and its result given: nobody need wait for the table to open.
    void Ended();

    // Set once the helper has opened the table, or once the read has ended: whoever waits for it
    // then looks whether the read has ended.
    const std::shared_future<void>& openedOrEnded() const { return opened_; }

    // The rows the filter matches, asked of the helper the first time; a null answer means none
    // will come (the helper ended, or the filter is too long to ask), and the whole table is to
    // be waited for.
    AnswerResult Answer(const std::string& criteria);

private:
    struct Asked {
        std::string criteria;
        std::uint32_t request = 0;
        bool sent = false;    // written to the helper
        bool settled = false; // answered, or given up
        std::promise<std::shared_ptr<const FilterAnswer>> promise;
        AnswerResult result;
    };
    static constexpr std::size_t kKeptAnswers = 4;

    void releaseOpenWait();
    void ask(Asked& asked);
    void giveUp(Asked& asked);

    std::mutex mutex_;
    std::function<bool(std::string_view)> send_;
    bool ended_ = false;
    std::uint32_t nextRequest_ = 1;
    std::list<Asked> asked_; // most recent first
    std::promise<void> openedPromise_;
    bool openedSet_ = false;
    std::shared_future<void> opened_;
};

} // namespace catalogue
