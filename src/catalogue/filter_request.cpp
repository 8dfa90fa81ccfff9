#include "catalogue/filter_request.h"

#include <cassert>

namespace catalogue {
namespace {

// A request's letter, its number and the criteria's length.
constexpr std::size_t kHeaderBytes = 9;

void appendNumber(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(char((value >> (8 * i)) & 0xFF));
    }
}

std::uint32_t numberAt(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= std::uint32_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

} // namespace

std::string FilterRequest(std::uint32_t request, std::string_view criteria) {
    assert(criteria.size() <= kMaxFilterCriteriaBytes);
    std::string bytes(1, 'F');
    appendNumber(bytes, request);
    appendNumber(bytes, std::uint32_t(criteria.size()));
    bytes.append(criteria);
    return bytes;
}

bool FilterRequestReader::feed(std::string_view bytes) {
    if (malformed_) {
        return false;
    }
    pending_.append(bytes);
    while (!malformed_ && readRequest()) {
    }
    return !malformed_;
}

std::size_t FilterRequestReader::lacking() const {
    if (pending_.size() < kHeaderBytes) {
        return kHeaderBytes - pending_.size();
    }
    const std::size_t whole = kHeaderBytes + numberAt(pending_, 5);
    return whole > pending_.size() ? whole - pending_.size() : 1;
}

bool FilterRequestReader::readRequest() {
    if (pending_.empty()) {
        return false;
    }
    if (pending_[0] != 'F') {
        malformed_ = true;
        return false;
    }
    if (pending_.size() < kHeaderBytes) {
        return false;
    }
    const std::uint32_t length = numberAt(pending_, 5);
    if (length > kMaxFilterCriteriaBytes) {
        malformed_ = true;
        return false;
    }
    if (pending_.size() - kHeaderBytes < length) {
        return false;
    }
    requests_.push_back({numberAt(pending_, 1), pending_.substr(kHeaderBytes, length)});
    pending_.erase(0, kHeaderBytes + length);
    return true;
}

} // namespace catalogue
