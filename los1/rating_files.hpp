// The rating list files: kanvo.dat (number, rating, games before the tournament), kanvo.new
// (number, recomputed rating) and zmeny.dat (number, first and last round of an absence).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "text_reader.hpp"

inline constexpr const char* kRatingListName = "kanvo.dat";
inline constexpr const char* kNewRatingListName = "kanvo.new";
inline constexpr const char* kAbsencesName = "zmeny.dat";

struct RatingListEntry {
    std::int32_t number = 0;
    double rating = 0;
    std::int32_t games = 0;
};

struct NewRating {
    std::int32_t number = 0;
    double rating = 0;
};

struct Absence {
    std::int32_t number = 0, first = 0, last = 0;
};

// One line, or every line of the file.
RatingListEntry readRatingListEntry(TextReader& reader);
NewRating readNewRating(TextReader& reader);
std::vector<RatingListEntry> readRatingList(TextReader& reader);
std::vector<NewRating> readNewRatingList(TextReader& reader);
std::vector<Absence> readAbsences(TextReader& reader);

// A kanvo.new line: the number in width 3, a blank, the rating in width 6 with 1 decimal.
std::string newRatingLine(std::int32_t number, double rating);
