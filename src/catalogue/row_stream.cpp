#include "catalogue/row_stream.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <limits>

namespace catalogue {
namespace {

constexpr std::string_view kHeader = "ORVCAT3\n";
// A rows frame's header: its letter, its row count, its length.
constexpr std::size_t kRowsHeaderBytes = 9;
constexpr std::size_t kFlushBytes = 64 * 1024;
// A frame of a length and what follows: its letter and the length.
constexpr std::size_t kLengthHeaderBytes = 5;
// An answer's numbers before its matches: the request, the table's rows, the match count.
constexpr std::size_t kAnswerStartBytes = 4 + 8 + 4;

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

// The body of an answer frame into answer, whose shown rows are empty; false when it is malformed.
bool readAnswerBody(std::string_view body, FilterAnswer& answer) {
    if (body.size() < kAnswerStartBytes) {
        return false;
    }
    answer.request = std::uint32_t(numberAt(body, 0, 4));
    answer.tableRows = numberAt(body, 4, 8);
    const std::uint64_t count = numberAt(body, 12, 4);
    const std::size_t afterStart = body.size() - kAnswerStartBytes;
    if (afterStart / 4 < count || afterStart - 4 * count < 4) {
        return false;
    }
    answer.matches.reserve(count);
    std::size_t at = kAnswerStartBytes;
    for (std::uint64_t k = 0; k < count; ++k, at += 4) {
        const auto row = std::uint32_t(numberAt(body, at, 4));
        if (row >= answer.tableRows || (!answer.matches.empty() && row <= answer.matches.back())) {
            return false;
        }
        answer.matches.push_back(row);
    }
    const std::uint64_t shown = numberAt(body, at, 4);
    return shown <= count && answer.shown.appendEncodedRows(body.substr(at + 4), shown);
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

void RowStreamWriter::opened() {
    buffer_.push_back('O');
    flush();
}

void RowStreamWriter::working() {
    buffer_.push_back('P');
    flush();
}

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

// Writes what it is given: the reader checks everything, and tests give it wrong answers too.
void RowStreamWriter::answer(const EncodedFilterAnswer& answer) {
    const std::size_t length =
        kAnswerStartBytes + 4 * answer.matches.size() + 4 + answer.shownRows.size();
    // A catalogue file holds far fewer rows than would make this too long.
    assert(length <= std::numeric_limits<std::uint32_t>::max());
    flush();
    std::string start(1, 'M');
    start.reserve(kLengthHeaderBytes + length - answer.shownRows.size());
    appendNumber(start, length, 4);
    appendNumber(start, answer.request, 4);
    appendNumber(start, answer.tableRows, 8);
    appendNumber(start, answer.matches.size(), 4);
    for (const std::uint32_t row : answer.matches) {
        appendNumber(start, row, 4);
    }
    appendNumber(start, answer.shownCount, 4);
    sink_(start);
    if (!answer.shownRows.empty()) {
        sink_(answer.shownRows);
    }
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

RowStreamReader::RowStreamReader(CatalogueRows& rows, std::function<void()> onOpened,
                                 std::function<void(FilterAnswer)> onAnswer)
    : rows_(rows), onOpened_(std::move(onOpened)), onAnswer_(std::move(onAnswer)) {}

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
    case 'M':
    case 'E':
    case 'U':
        whole = have < kLengthHeaderBytes ? kLengthHeaderBytes
                                          : kLengthHeaderBytes + numberAt(pending_, 1, 4);
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
    bool whole = false;
    switch (unread[0]) {
    case 'O':
        whole = readOpened(at);
        break;
    case 'P':
        whole = checkOpened();
        at = 1;
        break;
    case 'B':
        whole = checkOpened() && readRows(at);
        break;
    case 'M':
        whole = checkOpened() && readAnswer(at);
        break;
    case 'E':
        whole = readMessage(at, State::Failed);
        break;
    case 'U':
        whole = readMessage(at, State::Unavailable);
        break;
    case 'Z':
        whole = checkOpened() && readEnd(at);
        break;
    default:
        garbled("une trame est inconnue");
        return false;
    }
    if (whole) {
        read_ += at;
    }
    return whole;
}

bool RowStreamReader::checkOpened() {
    if (!opened_) {
        garbled("une trame précède l'ouverture de la table");
    }
    return opened_;
}

bool RowStreamReader::checkTableRows(std::uint64_t count) {
    if (!tableRows_) {
        tableRows_ = count;
    }
    if (*tableRows_ != count || rows_.rowCount() > count) {
        garbled("le nombre de lignes ne correspond pas");
        return false;
    }
    return true;
}

bool RowStreamReader::readOpened(std::size_t& at) {
    if (opened_) {
        garbled("la table est ouverte deux fois");
        return false;
    }
    opened_ = true;
    at = 1;
    if (onOpened_) {
        onOpened_();
    }
    return true;
}

bool RowStreamReader::readEnd(std::size_t& at) {
    const std::string_view unread = source_.substr(read_);
    if (unread.size() < 9) {
        return false;
    }
    const std::uint64_t count = numberAt(unread, 1, 8);
    if (count != rows_.rowCount()) {
        garbled("le nombre de lignes ne correspond pas");
        return false;
    }
    if (!checkTableRows(count)) {
        return false;
    }
    state_ = State::Finished;
    at = 9;
    return true;
}

bool RowStreamReader::readAnswer(std::size_t& at) {
    const std::string_view unread = source_.substr(read_);
    if (unread.size() < kLengthHeaderBytes) {
        return false;
    }
    const std::uint64_t length = numberAt(unread, 1, 4);
    if (unread.size() - kLengthHeaderBytes < length) {
        return false;
    }
    FilterAnswer answer{0, 0, {}, CatalogueRows(rows_.columnNames())};
    if (!readAnswerBody(unread.substr(kLengthHeaderBytes, length), answer)) {
        garbled("une réponse à un filtre est mal formée");
        return false;
    }
    if (!checkTableRows(answer.tableRows)) {
        return false;
    }
    at = kLengthHeaderBytes + length;
    if (onAnswer_) {
        onAnswer_(std::move(answer));
    }
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
    if (tableRows_ && count > *tableRows_ - rows_.rowCount()) {
        garbled("le nombre de lignes ne correspond pas");
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
