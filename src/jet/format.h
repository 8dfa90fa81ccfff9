#pragma once
// The constants of the Jet file format, Jet 3 (Access 97), Jet 4 (Access 2000 to 2003) and ACE
// (Access 2007 and later): what the reader checks and what the catalogue builder writes.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace jet {

// The engine version recorded at offset 0x14 of the database page.
enum class Version : std::uint8_t {
    Jet3 = 0x00,
    Jet4 = 0x01,
    Ace12 = 0x02, // Access 2007
    Ace14 = 0x03, // Access 2010
    Ace15 = 0x04, // Access 2013
    Ace16 = 0x05, // Access 2016
    Ace17 = 0x06, // Access 2019
};
inline constexpr std::uint8_t kNewestVersion = 0x06;

inline constexpr std::size_t kJet3PageSize = 2048;
inline constexpr std::size_t kJet4PageSize = 4096;

// The largest file the format addresses: 2 GiB.
inline constexpr std::uint64_t kLargestFile = 0x80000000u;
inline constexpr std::uint32_t kJet4MaxPageCount = kLargestFile / kJet4PageSize;

enum class PageType : std::uint8_t {
    DatabaseHeader = 0x00,
    Data = 0x01,
    TableDefinition = 0x02,
    IndexNode = 0x03,
    IndexLeaf = 0x04,
    UsageBitmap = 0x05,
};

// The database page (page 0).
namespace header {
inline constexpr std::size_t kSignatureOffset = 4;
inline constexpr std::string_view kJetSignature{"Standard Jet DB\0", 16};
inline constexpr std::string_view kAceSignature{"Standard ACE DB\0", 16};
inline constexpr std::size_t kVersionOffset = 0x14;
// From here the page is masked by RC4 with a fixed key, over 126 (Jet 3) or 128 bytes.
inline constexpr std::size_t kMaskedOffset = 0x18;
inline constexpr std::size_t kJet3MaskedSize = 126;
inline constexpr std::size_t kJet4MaskedSize = 128;
inline constexpr std::uint32_t kMaskKey = 0x6b39dac7;
inline constexpr std::size_t kCodePageOffset = 0x3c;
inline constexpr std::size_t kDatabaseKeyOffset = 0x3e;
inline constexpr std::size_t kPasswordOffset = 0x42;
inline constexpr std::size_t kJet3PasswordSize = 20;
inline constexpr std::size_t kJet4PasswordSize = 40;
inline constexpr std::size_t kSortOrderOffset = 0x6e;
inline constexpr std::size_t kCreationDateOffset = 0x72;
} // namespace header

// Table definition pages: type, a byte, free space (Jet 4), the next page of the definition,
// then the definition's length in bytes.
inline constexpr std::size_t kDefinitionFreeSpaceOffset = 2;
inline constexpr std::size_t kDefinitionNextPageOffset = 4;
inline constexpr std::size_t kDefinitionLengthOffset = 8;
inline constexpr std::size_t kDefinitionPageHeaderSize = 8;

// Pages every database holds at the same place.
inline constexpr std::uint32_t kGlobalUsageMapPage = 1;
inline constexpr std::uint32_t kCatalogueDefinitionPage = 2;

// Data pages: a header, then one two-byte entry per row; rows grow down from the page's end.
namespace data_page {
inline constexpr std::size_t kFreeSpaceOffset = 2;
inline constexpr std::size_t kOwnerOffset = 4;
inline constexpr std::size_t kJet3RowCountOffset = 8;
inline constexpr std::size_t kJet4RowCountOffset = 12;
inline constexpr std::size_t kJet4HeaderSize = 14; // up to the first row offset
inline constexpr std::size_t kRowOffsetSize = 2;
// The longest row a Jet 4 page holds: the page less its header and the row's offset.
inline constexpr std::size_t kJet4MaxRowSize = kJet4PageSize - kJet4HeaderSize - kRowOffsetSize;
inline constexpr std::uint16_t kDeletedRow = 0x8000;
inline constexpr std::uint16_t kOverflowRow = 0x4000;
inline constexpr std::uint16_t kOffsetMask = 0x1fff;
// Owner written in long-value pages in place of a table definition page.
inline constexpr std::uint32_t kLongValueOwner = 0x4c41564c; // "LVAL"
} // namespace data_page

// A row pointer: page number in the upper three bytes, row number in the lowest one.
inline constexpr std::uint32_t RowPointer(std::uint32_t page, std::uint32_t row) {
    return (page << 8) | row;
}
inline constexpr std::uint32_t PointerPage(std::uint32_t pointer) {
    return pointer >> 8;
}
inline constexpr std::uint32_t PointerRow(std::uint32_t pointer) {
    return pointer & 0xff;
}
inline constexpr std::size_t kMaxRowsPerPage = 255;

enum class ColumnType : std::uint8_t {
    Boolean = 0x01,
    Byte = 0x02,
    Integer = 0x03,
    LongInteger = 0x04,
    Currency = 0x05,
    Single = 0x06,
    Double = 0x07,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0a,
    Ole = 0x0b,
    Memo = 0x0c,
    Guid = 0x0f,
    Numeric = 0x10,
    Complex = 0x12,
    BigInteger = 0x13,
};

// Column flags of a table definition.
namespace column_flag {
inline constexpr std::uint8_t kFixedLength = 0x01;
inline constexpr std::uint8_t kNullable = 0x02;
inline constexpr std::uint8_t kAutoNumber = 0x04;
inline constexpr std::uint8_t kSystemTable = 0x10; // set by the engine on its own tables
inline constexpr std::uint8_t kAutoGuid = 0x40;
inline constexpr std::uint8_t kHyperlink = 0x80;
} // namespace column_flag
// Second flag byte of a Jet 4 column (at kJet4ColumnExtraFlags in its entry).
inline constexpr std::size_t kJet4ColumnExtraFlags = 16;
inline constexpr std::uint8_t kCompressedText = 0x01;
inline constexpr std::uint8_t kCalculatedColumn = 0xc0; // ACE 14 and later
// A calculated column's value starts with 16 bytes of unknown use and the result's length.
inline constexpr std::size_t kCalculatedHeaderSize = 20;

// Table kinds of a table definition.
inline constexpr std::uint8_t kUserTable = 0x4e;
inline constexpr std::uint8_t kSystemTable = 0x53;

// The engine writes this number in every Jet 4 table definition, column and index entry.
inline constexpr std::uint32_t kTableDefinitionMagic = 1625;

// Sort order of text columns: "General" (0x409), the default of Access 2000.
inline constexpr std::uint16_t kGeneralSortOrder = 0x0409;

// Long values (memo, OLE): a 12-byte field in the row, then the value inline or on LVAL pages.
namespace long_value {
inline constexpr std::size_t kFieldSize = 12;
inline constexpr std::uint32_t kInline = 0x80000000;
inline constexpr std::uint32_t kSingleRow = 0x40000000;
inline constexpr std::uint32_t kLengthMask = 0x3fffffff;
} // namespace long_value

// Usage maps: the first byte says which kind.
namespace usage_map {
inline constexpr std::uint8_t kInline = 0x00;
inline constexpr std::uint8_t kReference = 0x01;
inline constexpr std::size_t kInlineHeaderSize = 5; // kind, first page
inline constexpr std::size_t kBitmapPageHeaderSize = 4;
} // namespace usage_map

// The system catalogue, MSysObjects: a row per object.
namespace catalogue {
inline constexpr std::int16_t kLocalTable = 1;
inline constexpr std::int16_t kLinkedTable = 6;
inline constexpr std::int16_t kLinkedOdbcTable = 4;
inline constexpr std::uint32_t kSystemObjectFlags = 0x80000002;
inline constexpr std::uint32_t kIdPageMask = 0x00ffffff;
} // namespace catalogue

// Jet 3 text is in the database's code page; Jet 4 text in UTF-16LE, or compressed when it
// starts with these two bytes.
inline constexpr std::uint8_t kCompressedTextMark[2] = {0xff, 0xfe};
inline constexpr std::uint16_t kWindowsWesternCodePage = 1252;

// Days since 1899-12-30: how dates are stored.
inline constexpr double kFixedCreationDate = 36526.0; // 2000-01-01, what the builder records

// The page layout that differs between Jet 3 and Jet 4 (ACE lays its pages out as Jet 4).
struct Layout {
    std::size_t pageSize;
    std::size_t dataRowCountOffset;   // number of rows on a data page
    std::size_t definitionRowCount;   // rows in the table
    std::size_t definitionTableKind;  // user or system table
    std::size_t definitionMaxColumns; // columns ever, deleted ones included
    std::size_t definitionVariableCount;
    std::size_t definitionColumnCount; // columns now
    std::size_t definitionIndexCount;  // logical indexes
    std::size_t definitionRealIndexCount;
    std::size_t definitionUsageMap;     // row pointer to the table's usage map
    std::size_t definitionFreeSpaceMap; // row pointer to the map of its pages with room
    std::size_t definitionEntriesStart; // where the index entries start
    std::size_t realIndexEntrySize;
    std::size_t columnEntrySize;
    std::size_t columnType;
    std::size_t columnNumber;
    std::size_t columnVariableIndex;
    std::size_t columnMisc; // code page (Jet 3) or sort order / precision and scale
    std::size_t columnFlags;
    std::size_t columnFixedOffset;
    std::size_t columnLength;
    std::size_t nameLengthSize; // 1 (Jet 3, code-page names) or 2 (UTF-16 names)
    std::size_t rowCountSize;   // bytes of a row's column count and variable offsets
};

inline constexpr Layout kJet3Layout{
    kJet3PageSize, 8, 12, 20, 21, 23, 25, 27, 31, 35, 39, 43, 8, 18, 0, 1, 3, 9, 13, 14, 16, 1, 1};
inline constexpr Layout kJet4Layout{kJet4PageSize,
                                    12,
                                    16,
                                    40,
                                    41,
                                    43,
                                    45,
                                    47,
                                    51,
                                    55,
                                    59,
                                    63,
                                    12,
                                    25,
                                    0,
                                    5,
                                    7,
                                    11,
                                    15,
                                    21,
                                    23,
                                    2,
                                    2};

} // namespace jet
