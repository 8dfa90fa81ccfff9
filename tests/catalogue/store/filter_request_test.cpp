// The filter requests the program writes to the catalogue reader: read back whole however the
// bytes are cut, anything else refused.

#include "catalogue/filter_request.h"

#include <gtest/gtest.h>

using catalogue::AskedFilter;
using catalogue::FilterRequest;
using catalogue::FilterRequestReader;

TEST(FilterRequestTest, RequestsComeBackWholeWhereverTheBytesAreCut) {
    const std::vector<AskedFilter> sent{{7, "Nom like '*jeu*' or Description like '*jeu*'"},
                                        {0, ""},
                                        {0xFFFFFFFF, "cd like '*é*'"}};
    std::string bytes;
    for (const AskedFilter& request : sent) {
        bytes += FilterRequest(request.request, request.criteria);
    }
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
        FilterRequestReader reader;
        ASSERT_TRUE(reader.feed(std::string_view(bytes).substr(0, cut)));
        ASSERT_TRUE(reader.feed(std::string_view(bytes).substr(cut)));
        EXPECT_EQ(std::vector(reader.requests().begin(), reader.requests().end()), sent) << cut;
    }
}

TEST(FilterRequestTest, ARequestIsTakenOnlyOnceWhole) {
    const std::string bytes = FilterRequest(3, "Nom like 'a*'");
    FilterRequestReader reader;
    for (std::size_t at = 0; at + 1 < bytes.size(); ++at) {
        EXPECT_EQ(reader.lacking(), at < 9 ? 9 - at : bytes.size() - at);
        ASSERT_TRUE(reader.feed(bytes.substr(at, 1)));
        EXPECT_TRUE(reader.requests().empty());
    }
    EXPECT_EQ(reader.lacking(), 1u);
    reader.feed(bytes.substr(bytes.size() - 1));
    ASSERT_EQ(reader.requests().size(), 1u);
    EXPECT_EQ(reader.lacking(), 9u) << "the next request's start";
    reader.requests().pop_front();
    EXPECT_TRUE(reader.requests().empty()) << "a request is taken once";
}

TEST(FilterRequestTest, MalformedRequestsAreRefusedAndNothingAfterThemIsRead) {
    const std::string good = FilterRequest(1, "Nom like 'a*'");
    std::string tooLong = FilterRequest(2, "x");
    tooLong[5] = 1;
    tooLong[6] = 0;
    tooLong[7] = 0x10; // 1 MiB and one byte
    for (const std::string& bad : {std::string("Q"), good + "G" + good, tooLong + good}) {
        FilterRequestReader reader;
        EXPECT_FALSE(reader.feed(bad));
        EXPECT_TRUE(reader.malformed());
        EXPECT_FALSE(reader.feed(good)) << "nothing more is read";
        EXPECT_LE(reader.requests().size(), 1u);
    }
    // Criteria of the largest length allowed are read.
    FilterRequestReader reader;
    const std::string largest(catalogue::kMaxFilterCriteriaBytes, 'a');
    EXPECT_TRUE(reader.feed(FilterRequest(9, largest)));
    ASSERT_EQ(reader.requests().size(), 1u);
    EXPECT_EQ(reader.requests().front().criteria, largest);
}
