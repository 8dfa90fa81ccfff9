#pragma once
// The byte stream in which the catalogue reader hands a table's rows to the program: a header,
// then frames of rows, then an end frame with the row count, or an error frame with a French
// message. Rows travel encoded as the store keeps them (row_encoding.h), so that the reader does
// the folding and the program takes the rows over as they come. Numbers are little-endian.
//
//     "ORVCAT2\n"
//     'B' u32 row count, u32 length, the rows encoded back to back
//     'E' u32 length, message              (the file was refused; nothing follows)
//     'U' u32 length, message              (the file could not be read now; nothing follows)
//     'Z' u64 row count                    (the read is complete; nothing follows)

#include "catalogue/catalogue_rows.h"
#include "catalogue/row_encoding.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace catalogue {

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

    // Rows go into rows, which must have as many columns as the writer's rows have cells.
    explicit RowStreamReader(CatalogueRows& rows);

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
    bool readRows(std::size_t& at);
    bool readMessage(std::size_t& at, State ending);
    void garbled(std::string what);

    CatalogueRows& rows_;
    std::string pending_;     // the start of a frame that the bytes fed so far do not complete
    std::string_view source_; // while feeding: the bytes being read, pending_ or those fed
    std::size_t read_ = 0;    // bytes of source_ already taken
    bool headerSeen_ = false;
    State state_ = State::Reading;
    std::string message_;
};

} // namespace catalogue
