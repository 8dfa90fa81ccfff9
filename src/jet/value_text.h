#pragma once
// Values of fixed-length columns as text: integers in decimal, currency with four decimals,
// floating-point numbers in their shortest exact form, dates as 2000-01-31 13:45:00, booleans
// as 1 and 0, GUIDs in braces, scaled decimals with their own number of decimals.

#include "jet/format.h"
#include "jet/little_endian.h"

#include <string>

namespace jet {

// True for the types AppendValueText formats.
bool IsFormattedType(ColumnType type);

// Appends the text of a value of that type, stored in these bytes, to out; scale is the
// number of decimals of a scaled decimal (Numeric). Throws FormatError::Damaged when the bytes
// have the wrong size for the type.
void AppendValueText(ColumnType type, ByteSpan bytes, std::uint8_t scale, std::string& out);

// A scaled decimal: a sign byte, then a 128-bit magnitude as four little-endian 32-bit words,
// the most significant first; written with `scale` decimals.
void AppendDecimalText(ByteSpan bytes, std::uint8_t scale, std::string& out);

// A date stored as days since 1899-12-30 (the fraction being the time of day, for dates
// before that too), to the nearest second.
void AppendDateText(double days, std::string& out);

} // namespace jet
