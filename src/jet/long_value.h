#pragma once
// Long values (memo and OLE): the row holds a 12-byte field (length and kind, a row pointer),
// then the value follows inline, or fills one row of a long-value page, or runs over a chain
// of such rows, each starting with the pointer to the next.

#include "jet/page_file.h"

namespace jet {

// The value of the long-value field `field` (the whole field as the row stores it). Inline
// values and single rows are read in place; a chain is gathered into scratch. Every page and
// length is checked, and a chain that loops or ends early is damage.
ByteSpan ReadLongValue(const PageFile& file, ByteSpan field, Bytes& scratch);

} // namespace jet
