// Readers of the rating list files (a record per line, the rest of each line ignored) and
// the line layout of kanvo.new.
#include "rating_files.hpp"

#include "fixed.hpp"

std::vector<RatingListEntry> readRatingList(TextReader& reader) {
    std::vector<RatingListEntry> entries;
    while (!reader.atEnd()) {
        RatingListEntry entry;
        entry.number = reader.readInt();
        entry.rating = reader.readReal();
        entry.games = reader.readInt();
        reader.skipLine();
        entries.push_back(entry);
    }
    return entries;
}

std::vector<NewRating> readNewRatingList(TextReader& reader) {
    std::vector<NewRating> entries;
    while (!reader.atEnd()) {
        NewRating entry;
        entry.number = reader.readInt();
        entry.rating = reader.readReal();
        reader.skipLine();
        entries.push_back(entry);
    }
    return entries;
}

std::vector<Absence> readAbsences(TextReader& reader) {
    std::vector<Absence> entries;
    while (!reader.atEnd()) {
        Absence entry;
        entry.number = reader.readInt();
        entry.first = reader.readInt();
        entry.last = reader.readInt();
        reader.skipLine();
        entries.push_back(entry);
    }
    return entries;
}

std::string newRatingLine(std::int32_t number, double rating) {
    return formatInt(number, 3) + " " + formatReal(rating, 6, 1);
}
