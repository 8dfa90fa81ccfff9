#pragma once
// The byte stream in which the catalogue reader hands a table's rows to the program: a header,
// then one frame per row, then an end frame with the row count, or an error frame with a French
// message. Numbers are little-endian.
//
//     "ORVCAT1\n"
//     'R' then per cell: u32 length (0xFFFFFFFF for a null) and that many bytes of UTF-8
//     'E' u32 length, message              (the file was refused; nothing follows)
//     'U' u32 length, message              (the file could not be read now; nothing follows)
//     'Z' u64 row count                    (the read is complete; nothing follows)

#include "catalogue/catalogue_rows.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace catalogue {

class RowStreamWriter {
public:
    // Bytes go to sink in pieces of a few tens of kilobytes.
    explicit RowStreamWriter(std::function<void(std::string_view)> sink);

    void row(std::span<const std::optional<std::string_view>> values);
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
    void flushIfFull();
    void flush();

    std::function<void(std::string_view)> sink_;
    std::string buffer_;
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
    // Reads one frame from the unread bytes; false when they hold no whole frame yet.
    bool readFrame();
    bool readRow(std::size_t& at);
    bool readMessage(std::size_t& at, State ending);
    void garbled(std::string what);

    CatalogueRows& rows_;
    std::string pending_;     // the start of a frame that the bytes fed so far do not complete
    std::string_view source_; // while feeding: the bytes being read, pending_ or those fed
    std::size_t read_ = 0;    // bytes of source_ already taken
    bool headerSeen_ = false;
    State state_ = State::Reading;
    std::string message_;
    std::vector<std::optional<std::string_view>> cells_;
};

} // namespace catalogue
