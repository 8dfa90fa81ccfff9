#pragma once
// The filters the program asks for while the helper reads (filter_request.h): a thread reads
// them from the helper's input as they come, and the rows' sender takes them between two runs.

#include "catalogue/filter_request.h"

#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>

namespace reader {

// Requests waiting to be answered, oldest first; shared between threads.
class FilterRequests {
public:
    // Queues the requests, which are taken from requests.
    void add(std::deque<catalogue::AskedFilter>& requests);
    std::optional<catalogue::AskedFilter> take();

private:
    std::mutex mutex_;
    std::deque<catalogue::AskedFilter> queued_;
};

// Starts a thread that queues the requests read from input, in binary, until its end or a
// malformed request; answers the queue. The thread is left running, blocked reading while the
// program sends nothing: it shares the queue, so that the queue lives as long as either needs
// it, and the process must end without the C library's cleanup of its streams (std::_Exit), which
// could wait for the thread's hold on input.
std::shared_ptr<FilterRequests> ReadFilterRequests(std::FILE* input);

} // namespace reader
