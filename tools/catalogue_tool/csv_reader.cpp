#include "catalogue_tool/csv_reader.h"

#include <cstdio>
#include <initializer_list>
#include <utility>

namespace jet_writer {

namespace {

std::string HexByte(unsigned char byte) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

bool StartsWith(const char* bytes, std::size_t size, std::initializer_list<unsigned char> prefix) {
    if (size < prefix.size()) {
        return false;
    }
    std::size_t i = 0;
    for (const unsigned char expected : prefix) {
        if (static_cast<unsigned char>(bytes[i++]) != expected) {
            return false;
        }
    }
    return true;
}

} // namespace

CsvReader::CsvReader(std::istream& input, std::string sourceName)
    : input_(input), sourceName_(std::move(sourceName)) {
    skipByteOrderMark();
}

void CsvReader::fail(TextPosition at, const std::string& problem) const {
    throw InputError(sourceName_, at, problem);
}

bool CsvReader::refill() {
    input_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    if (input_.bad()) {
        fail(here_, "lecture du fichier impossible");
    }
    begin_ = 0;
    end_ = static_cast<std::size_t>(input_.gcount());
    return end_ > 0;
}

void CsvReader::skipByteOrderMark() {
    refill();
    const char* bytes = buffer_.data() + begin_;
    if (StartsWith(bytes, end_, {0xef, 0xbb, 0xbf})) {
        begin_ += 3;
    } else if (StartsWith(bytes, end_, {0xff, 0xfe}) || StartsWith(bytes, end_, {0xfe, 0xff})) {
        fail(here_, "le fichier est en UTF-16 ; enregistrez-le en UTF-8");
    }
}

int CsvReader::peek() {
    if (begin_ == end_ && !refill()) {
        if (utf8_.midSequence()) {
            fail(characterStart_, "séquence UTF-8 tronquée en fin de fichier");
        }
        return -1;
    }
    return static_cast<unsigned char>(buffer_[begin_]);
}

void CsvReader::advance() {
    const auto byte = static_cast<unsigned char>(buffer_[begin_++]);
    if (!utf8_.midSequence()) {
        characterStart_ = here_;
        sequence_.clear();
    }
    switch (utf8_.feed(byte)) {
    case Utf8Validator::Step::invalid:
        failInvalid(byte);
    case Utf8Validator::Step::partial:
        sequence_.push_back(static_cast<char>(byte));
        return;
    case Utf8Validator::Step::complete:
        break;
    }
    if (byte == 0) {
        fail(characterStart_, "caractère nul (U+0000) interdit");
    }
    if (byte == '\n' && afterCarriageReturn_) {
        afterCarriageReturn_ = false;
        return;
    }
    afterCarriageReturn_ = byte == '\r';
    if (byte == '\n' || byte == '\r') {
        here_ = {here_.line + 1, 1};
    } else {
        ++here_.column;
    }
}

// Names the bytes at fault from where their character starts: a byte that can start no
// character, a sequence that the next byte leaves unfinished, or one whose next byte makes it
// no character.
void CsvReader::failInvalid(unsigned char byte) const {
    if (sequence_.empty()) {
        fail(characterStart_, "texte UTF-8 invalide (octet " + HexByte(byte) + ")");
    }
    std::string bytes;
    for (const char sequenceByte : sequence_) {
        bytes += ' ';
        bytes += HexByte(static_cast<unsigned char>(sequenceByte));
    }
    const bool continuation = (byte & 0xc0) == 0x80;
    if (!continuation) {
        fail(characterStart_, "texte UTF-8 invalide (" +
                                  std::string(sequence_.size() > 1 ? "octets" : "octet") + bytes +
                                  (sequence_.size() > 1 ? " sans leur suite)" : " sans sa suite)"));
    }
    fail(characterStart_, "texte UTF-8 invalide (octets" + bytes + " " + HexByte(byte) + ")");
}

// Takes in one go the ASCII characters up to the next quote, comma, line break or control
// character: they need no UTF-8 check and move only the column.
void CsvReader::takePlainRun(std::string& text) {
    if (utf8_.midSequence()) {
        return;
    }
    const char* start = buffer_.data() + begin_;
    const char* end = buffer_.data() + end_;
    const char* stop = start;
    while (stop != end && *stop >= ' ' && *stop != '"' && *stop != ',') {
        ++stop;
    }
    text.append(start, stop);
    begin_ += static_cast<std::size_t>(stop - start);
    here_.column += static_cast<std::size_t>(stop - start);
    afterCarriageReturn_ = afterCarriageReturn_ && stop == start;
}

bool CsvReader::skipBlankLines() {
    int c = peek();
    while (c == '\r' || c == '\n') {
        advance();
        c = peek();
    }
    return c >= 0;
}

bool CsvReader::next(CsvRecord& record) {
    record.fields.clear();
    if (!skipBlankLines()) {
        return false;
    }
    for (;;) {
        readField(record.fields.emplace_back());
        if (peek() != ',') {
            break;
        }
        advance();
    }
    record.end = here_;
    endOfLine();
    return true;
}

void CsvReader::readField(CsvField& field) {
    field.start = here_;
    field.quoted = peek() == '"';
    if (field.quoted) {
        readQuoted(field);
    } else {
        readUnquoted(field);
    }
}

void CsvReader::readQuoted(CsvField& field) {
    const TextPosition opening = here_;
    advance();
    for (;;) {
        takePlainRun(field.text);
        const int c = peek();
        if (c < 0) {
            fail(opening, "guillemet ouvert ici et jamais refermé");
        }
        advance();
        if (c == '"') {
            if (peek() != '"') {
                break;
            }
            advance();
        }
        field.text.push_back(static_cast<char>(c));
    }
    const int after = peek();
    if (after >= 0 && after != ',' && after != '\r' && after != '\n') {
        fail(here_, "caractère inattendu après un guillemet fermant (un guillemet dans un "
                    "champ entre guillemets s'écrit \"\")");
    }
}

void CsvReader::readUnquoted(CsvField& field) {
    for (;;) {
        takePlainRun(field.text);
        const int c = peek();
        if (c < 0 || c == ',' || c == '\r' || c == '\n') {
            return;
        }
        if (c == '"') {
            fail(here_, "guillemet dans un champ sans guillemets (entourez le champ de "
                        "guillemets et doublez ceux qu'il contient)");
        }
        field.text.push_back(static_cast<char>(c));
        advance();
    }
}

void CsvReader::endOfLine() {
    const int c = peek();
    if (c == '\r' || c == '\n') {
        advance();
    }
    if (c == '\r' && peek() == '\n') {
        advance();
    }
}

} // namespace jet_writer
