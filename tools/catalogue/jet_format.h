#pragma once
// Constants of the Jet 4 file format (Access 2000 and later) that the writer relies on.

#include <cstddef>
#include <cstdint>

namespace jet_writer {

inline constexpr std::size_t pageSize = 4096;

// The largest file the format addresses: 2 GiB.
inline constexpr std::uint32_t maxPageCount = 0x80000000u / pageSize;

enum class PageType : std::uint8_t {
    databaseHeader = 0x00,
    data = 0x01,
    tableDefinition = 0x02,
    usageBitmap = 0x05,
};

enum class ColumnType : std::uint8_t {
    boolean = 0x01,
    byte = 0x02,
    integer = 0x03,
    longInteger = 0x04,
    dateTime = 0x08,
    binary = 0x09,
    text = 0x0a,
    ole = 0x0b,
    memo = 0x0c,
};

// Column flags of a table definition.
inline constexpr std::uint8_t columnFixedLength = 0x01;
inline constexpr std::uint8_t columnNullable = 0x02;
inline constexpr std::uint8_t columnSystemTable = 0x10; // set by the engine on its own tables

// Table kinds of a table definition.
inline constexpr std::uint8_t userTable = 0x4e;
inline constexpr std::uint8_t systemTable = 0x53;

// The engine writes this number in every table definition, column and index entry.
inline constexpr std::uint32_t tableDefinitionMagic = 1625;

// Sort order of text columns: "General" (0x409), the default of Access 2000.
inline constexpr std::uint16_t generalSortOrder = 0x0409;

// Data pages: header, then two-byte row offsets; rows grow down from the end of the page.
inline constexpr std::size_t dataPageHeaderSize = 14;
inline constexpr std::size_t maxRowsPerPage = 255; // a row pointer keeps the row in one byte
inline constexpr std::size_t maxRowSize = pageSize - dataPageHeaderSize - 2;

// Owner written in the header of long-value pages instead of a table definition page.
inline constexpr std::uint32_t longValuePageOwner = 0x4c41564c; // "LVAL"

// A row pointer: page number in the upper three bytes, row number in the lowest one.
inline constexpr std::uint32_t rowPointer(std::uint32_t page, std::uint32_t row) {
    return (page << 8) | row;
}

// A fixed creation date for everything the writer records (2000-01-01 00:00, as days since
// 1899-12-30), so that the same catalogue always gives the same bytes.
inline constexpr double fixedCreationDate = 36526.0;

} // namespace jet_writer
