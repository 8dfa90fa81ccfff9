#pragma once
// The requests the program writes to the catalogue reader's standard input while it reads: each
// asks for the rows of the whole table that a filter matches, which the reader answers in the row
// stream (row_stream.h). Numbers are little-endian.
//
//     'F' u32 request, u32 length, the filter's criteria in UTF-8 (at most 1 MiB)

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

namespace catalogue {

// Criteria longer than this are refused: no filter a user types comes near it.
constexpr std::size_t kMaxFilterCriteriaBytes = std::size_t(1) << 20;

// The bytes of a request; criteria must be at most kMaxFilterCriteriaBytes long.
std::string FilterRequest(std::uint32_t request, std::string_view criteria);

struct AskedFilter {
    std::uint32_t request = 0;
    std::string criteria;

    bool operator==(const AskedFilter&) const = default;
};

// Reads requests from bytes as they come, however they are cut.
class FilterRequestReader {
public:
    // Takes the next bytes; false once the requests are malformed, when no more are read.
    bool feed(std::string_view bytes);
    bool malformed() const { return malformed_; }
    // How many more bytes the request begun needs to be whole, at least 1: a reader of a pipe
    // that asks for no more never waits for bytes the writer has no reason to send yet.
    std::size_t lacking() const;
    // The requests read whole so far and not yet taken, in order.
    std::deque<AskedFilter>& requests() { return requests_; }

private:
    // Reads one request from the start of pending_; false when it holds no whole request yet.
    bool readRequest();

    std::string pending_; // bytes of requests not yet whole
    std::deque<AskedFilter> requests_;
    bool malformed_ = false;
};

} // namespace catalogue
