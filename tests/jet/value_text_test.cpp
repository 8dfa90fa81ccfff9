// Values of fixed-length columns as text: the cases where a formatting slip would show.

#include "jet/jet_error.h"
#include "jet/little_endian.h"
#include "jet/value_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using jet::ColumnType;

std::vector<std::uint8_t> Le(std::uint64_t value, std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    return bytes;
}

std::vector<std::uint8_t> Double(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return Le(bits, 8);
}

std::string Text(ColumnType type, const std::vector<std::uint8_t>& bytes, std::uint8_t scale = 0) {
    std::string out;
    jet::AppendValueText(type, bytes, scale, out);
    return out;
}

std::string Date(double days) {
    std::string out;
    jet::AppendDateText(days, out);
    return out;
}

TEST(ValueText, IntegersAreSignedAsTheirTypeSays) {
    EXPECT_EQ(Text(ColumnType::Byte, {0xff}), "255");
    EXPECT_EQ(Text(ColumnType::Integer, Le(0x8000, 2)), "-32768");
    EXPECT_EQ(Text(ColumnType::LongInteger, Le(0xffffffff, 4)), "-1");
    EXPECT_EQ(Text(ColumnType::BigInteger, Le(0x8000000000000000ull, 8)), "-9223372036854775808");
}

TEST(ValueText, CurrencyKeepsFourDecimalsOnBothSidesOfZero) {
    EXPECT_EQ(Text(ColumnType::Currency, Le(35000, 8)), "3.5000");
    EXPECT_EQ(Text(ColumnType::Currency, Le(static_cast<std::uint64_t>(-5), 8)), "-0.0005");
    EXPECT_EQ(Text(ColumnType::Currency, Le(0x8000000000000000ull, 8)), "-922337203685477.5808");
}

TEST(ValueText, FloatingPointNumbersInTheirShortestExactForm) {
    EXPECT_EQ(Text(ColumnType::Double, Double(444.555)), "444.555");
    float single = 0.15f;
    std::uint32_t bits = 0;
    std::memcpy(&bits, &single, sizeof bits);
    EXPECT_EQ(Text(ColumnType::Single, Le(bits, 4)), "0.15");
}

TEST(ValueText, DatesCountDaysFrom1899WithTheTimeAsFraction) {
    EXPECT_EQ(Date(0.0), "1899-12-30 00:00:00");
    EXPECT_EQ(Date(36526.5), "2000-01-01 12:00:00");
    EXPECT_EQ(Date(2958465.0), "9999-12-31 00:00:00");
    EXPECT_EQ(Date(60.0), "1900-02-28 00:00:00");
    // Before 1899-12-30 the fraction is still the time of day, counted forwards.
    EXPECT_EQ(Date(-1.25), "1899-12-29 06:00:00");
    // A time a hair short of midnight rounds into the next day.
    EXPECT_EQ(Date(1.0 - 1e-9), "1899-12-31 00:00:00");
    EXPECT_THROW(Date(1e300), jet::FormatError);
}

TEST(ValueText, ScaledDecimalsShowTheirScale) {
    std::vector<std::uint8_t> popularity(17, 0);
    jet::StoreU32(&popularity[13], 50325000); // least significant word last
    EXPECT_EQ(Text(ColumnType::Numeric, popularity, 6), "50.325000");
    popularity[0] = 0x80;
    EXPECT_EQ(Text(ColumnType::Numeric, popularity, 0), "-50325000");
    std::vector<std::uint8_t> small(17, 0);
    small[13] = 5;
    EXPECT_EQ(Text(ColumnType::Numeric, small, 3), "0.005");
    std::vector<std::uint8_t> wide(17, 0);
    jet::StoreU32(&wide[9], 1); // 2^32
    EXPECT_EQ(Text(ColumnType::Numeric, wide, 0), "4294967296");
}

TEST(ValueText, GuidsShowTheirFirstThreeGroupsLittleEndian) {
    const std::vector<std::uint8_t> guid = {0x33, 0x22, 0x11, 0x00, 0x55, 0x44, 0x77, 0x66,
                                            0x88, 0x99, 0xaa, 0xbb, 0xcc, 0xdd, 0xee, 0xff};
    EXPECT_EQ(Text(ColumnType::Guid, guid), "{00112233-4455-6677-8899-AABBCCDDEEFF}");
}

TEST(ValueText, AValueOfTheWrongSizeIsDamage) {
    EXPECT_THROW(Text(ColumnType::LongInteger, {1, 2}), jet::FormatError);
    EXPECT_THROW(Text(ColumnType::Numeric, std::vector<std::uint8_t>(16, 0)), jet::FormatError);
}

} // namespace
