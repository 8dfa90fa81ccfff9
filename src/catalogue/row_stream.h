#pragma once
// The byte stream in which the catalogue reader hands a table's rows to the program: a header,
// a frame saying the table is open, then frames of rows, then an end frame with the row count, or
// an error frame with a French message. Rows travel encoded as the store keeps them
// (row_encoding.h), so that the reader does the folding and the program takes the rows over as
// they come. While it reads, the reader answers the filters the program asks for
// (filter_request.h) with the rows of the whole table they match, between two frames of rows.
// Numbers are little-endian.
//
//     "ORVCAT3\n"
//     'O'                         (the table and its fields are accepted: its rows follow)
//     'P'                         (the reader is at work on an answer, which reads the whole
//                                  table first: sent now and then, so that it is seen to go on)
//     'B' u32 row count, u32 length, the rows encoded back to back
//     'M' u32 length, then: u32 request, u64 table rows, u32 match count, that many u32 row
//         indices (ascending, each below table rows), u32 shown count (at most the match count),
//         then the first shown matching rows encoded back to back    (a filter's answer)
//     'E' u32 length, message              (the file was refused; nothing follows)
//     'U' u32 length, message              (the file could not be read now; nothing follows)
//     'Z' u64 row count                    (the read is complete; nothing follows)
//
// 'O' comes once, before any rows, answer or end of the read; answers may come between any two
// frames after it.

#include "catalogue/catalogue_rows.h"
#include "catalogue/row_encoding.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

// The reader's answer to a filter request: the rows of the whole table the filter matches, and
// the first of them in full.
struct FilterAnswer {
    std::uint32_t request = 0;
    std::uint64_t tableRows = 0;
    std::vector<std::uint32_t> matches; // ascending row indices in the table
    CatalogueRows shown; // the first matches' rows, in order, same columns as the stream's rows
};

// An answer as the reader sends it, its shown rows already encoded.
struct EncodedFilterAnswer {
    std::uint32_t request = 0;
    std::uint64_t tableRows = 0;
    std::vector<std::uint32_t> matches;
    std::uint32_t shownCount = 0;
    std::string shownRows; // the first shownCount matches' rows, encoded back to back
};

// Rows gathered into frames, for a writer to send: a reader that decodes on several threads fills
// one on each.
class RowFrames {
public:
    void row(std::span<const std::optional<CellText>> values);
    void row(std::span<const std::optional<std::string_view>> values);
    // Bytes gathered so far.
    std::size_t size() const { return bytes_.size(); }
    // Closes the open frame and answers the frames, which stay valid until clear.
    std::string_view close();
    void clear();

private:
    void openFrame();

    RowEncoder encoder_;
    std::string bytes_;
    std::size_t frameStart_ = 0; // where the open frame's header lies, when it has rows
    std::uint32_t frameRows_ = 0;
};

class RowStreamWriter {
public:
    // Bytes go to sink in pieces of a few tens of kilobytes.
    explicit RowStreamWriter(std::function<void(std::string_view)> sink);

    // The table is open: its rows follow. Sent once, before any rows.
    void opened();
    void row(std::span<const std::optional<std::string_view>> values);
    // Sends rows gathered elsewhere, after those given so far; frames is left empty.
    void send(RowFrames& frames);
    // The file's content is refused: damaged, of another kind, without the table asked for.
    void fail(std::string_view message);
    // The file could not be read this time (the system or its medium failed), which says
    // nothing of its content.
    void unavailable(std::string_view message);
    // The bytes of an unavailable frame alone, for a writer that cannot run this one's code.
    static std::string UnavailableFrame(std::string_view message);
    // Says the reader is at work on an answer, at once.
    void working();
    // Answers a filter request, after the rows given so far.
    void answer(const EncodedFilterAnswer& answer);
    void finish(std::uint64_t rowCount);

private:
    void message(char frame, std::string_view text);
    void takeFrames(RowFrames& frames);
    void flush();

    std::function<void(std::string_view)> sink_;
    std::string buffer_;
    RowFrames frames_;
};

class RowStreamReader {
public:
    enum class State { Reading, Finished, Failed, Unavailable, Garbled };

    // Rows go into rows, which must have as many columns as the writer's rows have cells. The
    // callbacks, when given, are called from feed as the stream says the table is open and as
    // answers come; they must not feed the reader.
    explicit RowStreamReader(CatalogueRows& rows, std::function<void()> onOpened = {},
                             std::function<void(FilterAnswer)> onAnswer = {});

    // Takes the next bytes of the stream; answers what the stream has said so far.
    State feed(std::string_view bytes);
    State state() const { return state_; }
    // The writer's message once Failed or Unavailable, or what is wrong with the stream once
    // Garbled.
    const std::string& message() const { return message_; }

private:
    // Reads the whole frames at the start of bytes; answers how many bytes they took.
    std::size_t readFrames(std::string_view bytes);
    // How many more bytes the frame begun in pending_ needs to be whole, at least 1.
    std::size_t lacking() const;
    // Reads one frame from the unread bytes; false when they hold no whole frame yet.
    bool readFrame();
    bool readOpened(std::size_t& at);
    bool readRows(std::size_t& at);
    bool readAnswer(std::size_t& at);
    bool readMessage(std::size_t& at, State ending);
    bool readEnd(std::size_t& at);
    // Whether the table was said open before a frame that needs it; garbled if not.
    bool checkOpened();
    // Whether the table's row count, as an answer or the end gives it, agrees with what the
    // stream said before; garbled if not.
    bool checkTableRows(std::uint64_t count);
    void garbled(std::string what);

    CatalogueRows& rows_;
    std::function<void()> onOpened_;
    std::function<void(FilterAnswer)> onAnswer_;
    bool opened_ = false;
    std::optional<std::uint64_t> tableRows_; // as the first answer gave it
    std::string pending_;     // the start of a frame that the bytes fed so far do not complete
    std::string_view source_; // while feeding: the bytes being read, pending_ or those fed
    std::size_t read_ = 0;    // bytes of source_ already taken
    bool headerSeen_ = false;
    State state_ = State::Reading;
    std::string message_;
};

} // namespace catalogue
