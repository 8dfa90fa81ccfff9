#pragma once
// A Jet file seen as its pages: every page number is checked against the file before use.

#include "jet/database_page.h"
#include "jet/format.h"
#include "jet/little_endian.h"

#include <cstdint>

namespace jet {

class PageFile {
public:
    // Reads and checks the database page; throws FormatError.
    explicit PageFile(ByteSpan file);

    const DatabaseInfo& info() const { return info_; }
    const Layout& layout() const { return *info_.layout; }
    std::uint32_t pageCount() const { return info_.pageCount; }
    std::size_t pageSize() const { return info_.layout->pageSize; }
    bool isJet3() const { return info_.version == Version::Jet3; }

    // The page, whole; damage when the number lies beyond the file or names the database page.
    ByteSpan Page(std::uint32_t number) const;
    // The page, which must be of this type; what names the structure for the message.
    ByteSpan PageOfType(std::uint32_t number, PageType type, const char* what) const;
    // The same for a copy of the page that the caller read itself.
    ByteSpan CheckPageOfType(std::uint32_t number, ByteSpan copy, PageType type,
                             const char* what) const;

private:
    ByteSpan file_;
    DatabaseInfo info_;
};

} // namespace jet
