#include "reader/filter_requests.h"

#include <string>
#include <thread>

namespace reader {

void FilterRequests::add(std::deque<catalogue::AskedFilter>& requests) {
    const std::lock_guard lock(mutex_);
    while (!requests.empty()) {
        queued_.push_back(std::move(requests.front()));
        requests.pop_front();
    }
}

std::optional<catalogue::AskedFilter> FilterRequests::take() {
    const std::lock_guard lock(mutex_);
    if (queued_.empty()) {
        return std::nullopt;
    }
    catalogue::AskedFilter request = std::move(queued_.front());
    queued_.pop_front();
    return request;
}

std::shared_ptr<FilterRequests> ReadFilterRequests(std::FILE* input) {
    auto requests = std::make_shared<FilterRequests>();
    std::thread([input, requests] {
        catalogue::FilterRequestReader reader;
        std::string bytes;
        // Only the bytes that the request begun lacks are asked for, so that a request is queued
        // as soon as it is whole, whatever the program sends after it.
        for (bool whole = true; whole;) {
            bytes.resize(reader.lacking());
            whole = std::fread(bytes.data(), 1, bytes.size(), input) == bytes.size() &&
                    reader.feed(bytes);
            requests->add(reader.requests());
        }
    }).detach();
    return requests;
}

} // namespace reader
