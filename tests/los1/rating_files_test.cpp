// Readers of kanvo.dat, kanvo.new and zmeny.dat, and the kanvo.new line layout.
#include <gtest/gtest.h>

#include "rating_files.hpp"

namespace {

TEST(RatingFiles, RatingListTakesThreeNumbersPerLineAndNoPhantomRecord) {
    TextReader reader("kanvo.dat", "  7 1523.40 120 poznamka\r\n 3\t1400.00\t0\r\n\r\n");
    auto list = readRatingList(reader);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].number, 7);
    EXPECT_EQ(list[0].rating, 1523.4);
    EXPECT_EQ(list[0].games, 120);
    EXPECT_EQ(list[1].number, 3);
    EXPECT_EQ(list[1].games, 0);
}

TEST(RatingFiles, NewListAndAbsences) {
    TextReader ratings("kanvo.new", " 12 1487.3\r\n  9 1400.0\r\n");
    auto list = readNewRatingList(ratings);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].number, 9);
    EXPECT_EQ(list[0].rating, 1487.3);

    TextReader absences("zmeny.dat", "5 3 3\n5 6 7\n\n");
    auto entries = readAbsences(absences);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].first, 6);
    EXPECT_EQ(entries[1].last, 7);
}

TEST(RatingFiles, NewRatingLineLayout) {
    EXPECT_EQ(newRatingLine(12, 1487.26), " 12 1487.3");
    EXPECT_EQ(newRatingLine(7, 987.25), "  7  987.3");
}

}  // namespace
