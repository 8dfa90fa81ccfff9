#include "shape/outline_tables.h"

#include <gtest/gtest.h>

using namespace shape;

TEST(OutlineTables, OuterOutlineEndsAndClosingEdge) {
    EXPECT_EQ(OutlineX(0), 115);
    EXPECT_EQ(OutlineY(0), 1);
    EXPECT_EQ(OutlineX(131), 114);
    EXPECT_EQ(OutlineY(131), 11);
    EXPECT_EQ(OutlineX(53), 347);
    EXPECT_EQ(OutlineY(67), 429);
}

TEST(OutlineTables, HoleEnds) {
    EXPECT_EQ(HoleX(0), 337);
    EXPECT_EQ(HoleY(0), 342);
    EXPECT_EQ(HoleX(20), 336);
    EXPECT_EQ(HoleY(20), 344);
}

TEST(OutlineTables, IndicesOutsideTheTablesGiveZero) {
    for (std::int16_t i :
         {std::int16_t(132), std::int16_t(-1), std::int16_t(32767), std::int16_t(-32768)}) {
        EXPECT_EQ(OutlineX(i), 0) << i;
        EXPECT_EQ(OutlineY(i), 0) << i;
    }
    for (std::int16_t i : {std::int16_t(21), std::int16_t(-1), std::int16_t(132)}) {
        EXPECT_EQ(HoleX(i), 0) << i;
        EXPECT_EQ(HoleY(i), 0) << i;
    }
}

TEST(OutlineTables, ValuesStayWithinTheirDocumentedBoxes) {
    for (std::int16_t i = 0; i < kOutlineVertexCount; ++i) {
        EXPECT_GE(OutlineX(i), 1);
        EXPECT_LE(OutlineX(i), 347);
        EXPECT_GE(OutlineY(i), 1);
        EXPECT_LE(OutlineY(i), 429);
    }
    for (std::int16_t i = 0; i < kHoleVertexCount; ++i) {
        EXPECT_GE(HoleX(i), 321);
        EXPECT_LE(HoleX(i), 342);
        EXPECT_GE(HoleY(i), 342);
        EXPECT_LE(HoleY(i), 361);
    }
}
