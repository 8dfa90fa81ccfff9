#include "catalogue/row_stream.h"

#include <algorithm>
#include <cstring>

namespace catalogue {
namespace {

constexpr std::string_view kHeader = "ORVCAT2\n";
// A rows frame's header: its letter, its row count, its length.
constexpr std::size_t kRowsHeaderBytes = 9;
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

void storeNumber(std::string& out, std::size_t at, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out[at + std::size_t(i)] = char((value >> (8 * i)) & 0xFF);
    }
}

} // namespace

void RowFrames::openFrame() {
    if (frameRows_ == 0) {
        frameStart_ = bytes_.size();
        bytes_.append(kRowsHeaderBytes, 'B');
    }
    ++frameRows_;
}

void RowFrames::row(std::span<const std::optional<CellText>> values) {
    openFrame();
    encoder_.append(values, bytes_);
}

void RowFrames::row(std::span<const std::optional<std::string_view>> values) {
    openFrame();
    encoder_.append(values, bytes_);
}

std::string_view RowFrames::close() {
    if (frameRows_ != 0) {
        storeNumber(bytes_, frameStart_ + 1, frameRows_, 4);
        storeNumber(bytes_, frameStart_ + 5, bytes_.size() - frameStart_ - kRowsHeaderBytes, 4);
        frameRows_ = 0;
    }
    return bytes_;
}

void RowFrames::clear() {
    bytes_.clear();
    frameRows_ = 0;
}

RowStreamWriter::RowStreamWriter(std::function<void(std::string_view)> sink)
    : sink_(std::move(sink)), buffer_(kHeader) {}

void RowStreamWriter::row(std::span<const std::optional<std::string_view>> values) {
    frames_.row(values);
    if (frames_.size() >= kFlushBytes) {
        flush();
    }
}

void RowStreamWriter::send(RowFrames& frames) {
    // What was written before goes first; the frames then go as they are, without a copy.
    flush();
    sink_(frames.close());
    frames.clear();
}

void RowStreamWriter::takeFrames(RowFrames& frames) {
    buffer_.append(frames.close());
    frames.clear();
}

void RowStreamWriter::fail(std::string_view text) {
    message('E', text);
}

void RowStreamWriter::unavailable(std::string_view text) {
    message('U', text);
}

void RowStreamWriter::message(char frame, std::string_view text) {
    takeFrames(frames_);
    buffer_.append(frameOf(frame, text));
    flush();
}

std::string RowStreamWriter::UnavailableFrame(std::string_view message) {
    return frameOf('U', message);
}

void RowStreamWriter::finish(std::uint64_t rowCount) {
    takeFrames(frames_);
    buffer_.push_back('Z');
    appendNumber(buffer_, rowCount, 8);
    flush();
}

void RowStreamWriter::flush() {
    takeFrames(frames_);
    if (!buffer_.empty()) {
        sink_(buffer_);
        buffer_.clear();
    }
}

RowStreamReader::RowStreamReader(CatalogueRows& rows) : rows_(rows) {}

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
    // Frames are read from the bytes where they arrived. A frame begun in earlier bytes is
    // completed first, taking from these only what it lacks, so that the rows are not copied
    // once more on their way.
    while (!pending_.empty() && !bytes.empty() && state_ == State::Reading) {
        const std::size_t take = std::min(bytes.size(), lacking());
        pending_.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        pending_.erase(0, readFrames(pending_));
    }
    if (pending_.empty() && state_ == State::Reading) {
        pending_.assign(bytes.substr(readFrames(bytes)));
    } else if (!bytes.empty() && state_ != State::Garbled) {
        garbled("des données suivent la fin de la lecture");
    }
    return state_;
}

std::size_t RowStreamReader::readFrames(std::string_view bytes) {
    source_ = bytes;
    read_ = 0;
    while (state_ == State::Reading && readFrame()) {
    }
    if (state_ != State::Reading && state_ != State::Garbled && read_ != source_.size()) {
        garbled("des données suivent la fin de la lecture");
    }
    source_ = {};
    return read_;
}

std::size_t RowStreamReader::lacking() const {
    const std::size_t have = pending_.size();
    if (!headerSeen_) {
        return kHeader.size() > have ? kHeader.size() - have : 1;
    }
    std::size_t whole = 1;
    switch (pending_[0]) {
    case 'B':
        whole = have < kRowsHeaderBytes ? kRowsHeaderBytes
                                        : kRowsHeaderBytes + numberAt(pending_, 5, 4);
        break;
    case 'E':
    case 'U':
        whole = have < 5 ? 5 : 5 + numberAt(pending_, 1, 4);
        break;
    case 'Z':
        whole = 9;
        break;
    default:
        break;
    }
    return whole > have ? whole - have : 1;
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
    case 'B':
        if (!readRows(at)) {
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

bool RowStreamReader::readRows(std::size_t& at) {
    const std::string_view unread = source_.substr(read_);
    if (unread.size() < kRowsHeaderBytes) {
        return false;
    }
    const std::uint64_t count = numberAt(unread, 1, 4);
    const std::uint64_t length = numberAt(unread, 5, 4);
    if (unread.size() - kRowsHeaderBytes < length) {
        return false;
    }
    if (!rows_.appendEncodedRows(unread.substr(kRowsHeaderBytes, length), count)) {
        garbled("des lignes sont mal formées");
        return false;
    }
    at = kRowsHeaderBytes + length;
    return true;
}

} // namespace catalogue
