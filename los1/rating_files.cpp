// Readers of the rating list files (a record per line, the rest of each line ignored) and
// the line layout of kanvo.new.
#include "rating_files.hpp"

#include "fixed.hpp"

// Braced initialisers read their numbers left to right.
RatingListEntry readRatingListEntry(TextReader& r) { return RatingListEntry{r.readInt(), r.readReal(), r.readInt()}; }

NewRating readNewRating(TextReader& r) { return NewRating{r.readInt(), r.readReal()}; }

std::vector<RatingListEntry> readRatingList(TextReader& reader) { return readRecords(reader, readRatingListEntry); }

std::vector<NewRating> readNewRatingList(TextReader& reader) { return readRecords(reader, readNewRating); }

std::vector<Absence> readAbsences(TextReader& reader) {
    return readRecords(reader, [](TextReader& r) { return Absence{r.readInt(), r.readInt(), r.readInt()}; });
}

std::string newRatingLine(std::int32_t number, double rating) {
    LineBuilder line;
    line.integer(number, 3).text(" ").real(rating, 6, 1);
    return line.str();
}
