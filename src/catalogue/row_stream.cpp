#include "catalogue/row_stream.h"

#include <cstring>

namespace catalogue {
namespace {

constexpr std::string_view kHeader = "ORVCAT1\n";
constexpr std::uint32_t kNullLength = UINT32_MAX;
constexpr std::size_t kFlushBytes = 64 * 1024;

void appendNumber(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(char((value >> (8 * i)) & 0xFF));
    }
}

std::uint64_t numberAt(std::string_view bytes, std::size_t at, int count) {
    std::uint64_t value = 0;
    for (int i = 0; i < count; ++i) {
        value |= std::uint64_t(static_cast<unsigned char>(bytes[at + std::size_t(i)])) << (8 * i);
    }
    return value;
}

// A frame of one message: its letter, the message's length, the message.
std::string frameOf(char frame, std::string_view text) {
    std::string bytes(1, frame);
    appendNumber(bytes, text.size(), 4);
    bytes.append(text);
    return bytes;
}

} // namespace

RowStreamWriter::RowStreamWriter(std::function<void(std::string_view)> sink)
    : sink_(std::move(sink)), buffer_(kHeader) {}

void RowStreamWriter::row(std::span<const std::optional<std::string_view>> values) {
    buffer_.push_back('R');
    for (const auto& value : values) {
        appendNumber(buffer_, value ? value->size() : kNullLength, 4);
        if (value) {
            buffer_.append(*value);
        }
    }
    flushIfFull();
}

void RowStreamWriter::fail(std::string_view text) {
    message('E', text);
}

void RowStreamWriter::unavailable(std::string_view text) {
    message('U', text);
}

void RowStreamWriter::message(char frame, std::string_view text) {
    buffer_.append(frameOf(frame, text));
    flush();
}

std::string RowStreamWriter::UnavailableFrame(std::string_view message) {
    return frameOf('U', message);
}

void RowStreamWriter::finish(std::uint64_t rowCount) {
    buffer_.push_back('Z');
    appendNumber(buffer_, rowCount, 8);
    flush();
}

void RowStreamWriter::flushIfFull() {
    if (buffer_.size() >= kFlushBytes) {
        flush();
    }
}

void RowStreamWriter::flush() {
    sink_(buffer_);
    buffer_.clear();
}

RowStreamReader::RowStreamReader(CatalogueRows& rows) : rows_(rows), cells_(rows.columnCount()) {}

void RowStreamReader::garbled(std::string what) {
    state_ = State::Garbled;
    message_ = std::move(what);
}

RowStreamReader::State RowStreamReader::feed(std::string_view bytes) {
    if (state_ != State::Reading) {
        if (!bytes.empty() && state_ != State::Garbled) {
            garbled("des données suivent la fin de la lecture");
        }
        return state_;
    }
    // Frames are read from the bytes where they arrived; only a frame that the next bytes
    // complete is kept over.
    const bool carried = !pending_.empty();
    if (carried) {
        pending_.append(bytes);
        source_ = pending_;
    } else {
        source_ = bytes;
    }
    read_ = 0;
    while (state_ == State::Reading && readFrame()) {
    }
    if (state_ != State::Reading && state_ != State::Garbled && read_ != source_.size()) {
        garbled("des données suivent la fin de la lecture");
    }
    if (carried) {
        pending_.erase(0, read_);
    } else {
        pending_.assign(source_.substr(read_));
    }
    source_ = {};
    return state_;
}

bool RowStreamReader::readFrame() {
    const std::string_view unread = source_.substr(read_);
    if (!headerSeen_) {
        if (unread.size() < kHeader.size()) {
            if (kHeader.substr(0, unread.size()) != unread) {
                garbled("l'en-tête est incorrect");
            }
            return false;
        }
        if (unread.substr(0, kHeader.size()) != kHeader) {
            garbled("l'en-tête est incorrect");
            return false;
        }
        headerSeen_ = true;
        read_ += kHeader.size();
        return true;
    }
    if (unread.empty()) {
        return false;
    }
    std::size_t at = 1;
    switch (unread[0]) {
    case 'R':
        if (!readRow(at)) {
            return false;
        }
        break;
    case 'E':
        if (!readMessage(at, State::Failed)) {
            return false;
        }
        break;
    case 'U':
        if (!readMessage(at, State::Unavailable)) {
            return false;
        }
        break;
    case 'Z':
        if (unread.size() < 9) {
            return false;
        }
        if (numberAt(unread, 1, 8) != rows_.rowCount()) {
            garbled("le nombre de lignes ne correspond pas");
            return false;
        }
        state_ = State::Finished;
        at = 9;
        break;
    default:
        garbled("une trame est inconnue");
        return false;
    }
    read_ += at;
    return true;
}

bool RowStreamReader::readMessage(std::size_t& at, State ending) {
    const std::string_view unread = source_.substr(read_);
    if (unread.size() < 5) {
        return false;
    }
    const std::uint64_t length = numberAt(unread, 1, 4);
    if (unread.size() - 5 < length) {
        return false;
    }
    message_ = std::string(unread.substr(5, length));
    state_ = ending;
    at = 5 + length;
    return true;
}

bool RowStreamReader::readRow(std::size_t& at) {
    const std::string_view unread = source_.substr(read_);
    for (auto& cell : cells_) {
        if (unread.size() - at < 4) {
            return false;
        }
        const std::uint64_t length = numberAt(unread, at, 4);
        at += 4;
        if (length == kNullLength) {
            cell = std::nullopt;
            continue;
        }
        if (unread.size() - at < length) {
            return false;
        }
        cell = unread.substr(at, length);
        at += length;
    }
    rows_.appendRow(cells_);
    return true;
}

} // namespace catalogue
