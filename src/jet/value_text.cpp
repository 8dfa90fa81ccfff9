#include "jet/value_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace jet {
namespace {

template <typename Number> void AppendNumber(Number value, std::string& out) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void ExpectSize(ByteSpan bytes, std::size_t size) {
    if (bytes.size() != size) {
        throw FormatError::Damaged("un nombre n'a pas la taille de son type");
    }
}

void AppendCurrency(std::int64_t tenThousandths, std::string& out) {
    const bool negative = tenThousandths < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(tenThousandths)
                                             : static_cast<std::uint64_t>(tenThousandths);
    if (negative) {
        out.push_back('-');
    }
    AppendNumber(magnitude / 10000, out);
    char decimals[6];
    std::snprintf(decimals, sizeof decimals, ".%04u", static_cast<unsigned>(magnitude % 10000));
    out.append(decimals);
}

void AppendGuid(ByteSpan bytes, std::string& out) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(LoadU32(bytes, 0)), LoadU16(bytes, 4), LoadU16(bytes, 6),
                  bytes[8], bytes[9], bytes[10], bytes[11], bytes[12], bytes[13], bytes[14],
                  bytes[15]);
    out.append(text);
}

// Days since 0000-03-01 to a civil date (proleptic Gregorian calendar).
void CivilFromDays(std::int64_t days, std::int64_t& year, unsigned& month, unsigned& day) {
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
}

constexpr std::size_t kDecimalSize = 17;
constexpr std::uint8_t kNegativeDecimal = 0x80;

// Divides the 128-bit magnitude (most significant word first) by ten; returns the remainder.
unsigned DivideByTen(std::uint32_t (&words)[4]) {
    std::uint64_t remainder = 0;
    for (std::uint32_t& word : words) {
        const std::uint64_t current = (remainder << 32) | word;
        word = static_cast<std::uint32_t>(current / 10);
        remainder = current % 10;
    }
    return static_cast<unsigned>(remainder);
}

bool IsZero(const std::uint32_t (&words)[4]) {
    return (words[0] | words[1] | words[2] | words[3]) == 0;
}

} // namespace

void AppendDecimalText(ByteSpan bytes, std::uint8_t scale, std::string& out) {
    ExpectSize(bytes, kDecimalSize);
    std::uint32_t words[4];
    for (std::size_t i = 0; i < 4; ++i) {
        words[i] = LoadU32(bytes, 1 + 4 * i);
    }
    std::string digits; // least significant first
    while (!IsZero(words) || digits.size() <= scale) {
        digits.push_back(static_cast<char>('0' + DivideByTen(words)));
    }
    if ((bytes[0] & kNegativeDecimal) != 0) {
        out.push_back('-');
    }
    for (std::size_t i = digits.size(); i-- > 0;) {
        out.push_back(digits[i]);
        if (i == scale && scale != 0) {
            out.push_back('.');
        }
    }
}

bool IsFormattedType(ColumnType type) {
    switch (type) {
    case ColumnType::Boolean:
    case ColumnType::Byte:
    case ColumnType::Integer:
    case ColumnType::LongInteger:
    case ColumnType::BigInteger:
    case ColumnType::Currency:
    case ColumnType::Single:
    case ColumnType::Double:
    case ColumnType::DateTime:
    case ColumnType::Guid:
    case ColumnType::Numeric:
        return true;
    default:
        return false;
    }
}

void AppendDateText(double days, std::string& out) {
    if (!std::isfinite(days) || std::fabs(days) > 3e6) {
        throw FormatError::Damaged("une date est hors du calendrier");
    }
    const double whole = std::trunc(days);
    auto seconds = static_cast<std::int64_t>(std::llround(std::fabs(days - whole) * 86400.0));
    auto dayNumber = static_cast<std::int64_t>(whole);
    if (seconds == 86400) { // rounding carried into the next day
        seconds = 0;
        dayNumber += days < 0 ? -1 : 1;
    }
    constexpr std::int64_t kEpochSinceCivilStart = 719468 - 25569; // 1899-12-30 after 0000-03-01
    std::int64_t year = 0;
    unsigned month = 0;
    unsigned day = 0;
    CivilFromDays(dayNumber + kEpochSinceCivilStart, year, month, day);
    char text[48];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02u %02u:%02u:%02u",
                  static_cast<long long>(year), month, day, static_cast<unsigned>(seconds / 3600),
                  static_cast<unsigned>(seconds / 60 % 60), static_cast<unsigned>(seconds % 60));
    out.append(text);
}

void AppendValueText(ColumnType type, ByteSpan bytes, std::uint8_t scale, std::string& out) {
    switch (type) {
    case ColumnType::Byte:
        ExpectSize(bytes, 1);
        AppendNumber(static_cast<unsigned>(bytes[0]), out);
        return;
    case ColumnType::Integer:
        ExpectSize(bytes, 2);
        AppendNumber(static_cast<std::int16_t>(LoadU16(bytes, 0)), out);
        return;
    case ColumnType::LongInteger:
        ExpectSize(bytes, 4);
        AppendNumber(static_cast<std::int32_t>(LoadU32(bytes, 0)), out);
        return;
    case ColumnType::BigInteger:
        ExpectSize(bytes, 8);
        AppendNumber(static_cast<std::int64_t>(LoadU64(bytes, 0)), out);
        return;
    case ColumnType::Currency:
        ExpectSize(bytes, 8);
        AppendCurrency(static_cast<std::int64_t>(LoadU64(bytes, 0)), out);
        return;
    case ColumnType::Single:
        ExpectSize(bytes, 4);
        AppendNumber(LoadF32(bytes, 0), out);
        return;
    case ColumnType::Double:
        ExpectSize(bytes, 8);
        AppendNumber(LoadF64(bytes, 0), out);
        return;
    case ColumnType::DateTime:
        ExpectSize(bytes, 8);
        AppendDateText(LoadF64(bytes, 0), out);
        return;
    case ColumnType::Guid:
        ExpectSize(bytes, 16);
        AppendGuid(bytes, out);
        return;
    case ColumnType::Numeric:
        AppendDecimalText(bytes, scale, out);
        return;
    default:
        throw FormatError::Unsupported("un champ est d'un type que ce lecteur ne lit pas");
    }
}

} // namespace jet
