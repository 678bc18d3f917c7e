// Reading rekordy's inputs into its fixed tables, every entry checked against the capacities.
// Each line is checked as it is read, so the first faulty line of a file is the one reported.
#include "record_inputs.hpp"

#include "fixed.hpp"
#include "game_files.hpp"
#include "run_error.hpp"

namespace {

void checkPlayer(std::int32_t number, const std::string& fileName) {
    if (number < 1 || number > kMaxPlayerNumber)
        stopWithMessage("Soubor " + fileName + ": cislo hrace " + std::to_string(number) + " mimo rozsah 1.." +
                        std::to_string(kMaxPlayerNumber));
}

}  // namespace

void storeNames(TextReader& reader, NameTable& names) {
    forEachRecord(reader, [&](TextReader& r) {
        const PlayerName line = readPlayerName(r, kNameWidth);
        checkPlayer(line.number, r.name());
        names[static_cast<std::size_t>(line.number)] = padRight(line.name, kNameWidth);
    });
}

void storeGames(TextReader& reader, std::vector<Game>& games) {
    forEachRecord(reader, [&](TextReader& r) {
        const Game line = readGame(r);
        checkPlayer(line.k1, r.name());
        if (line.k2 == 0) return;  // a bye
        checkPlayer(line.k2, r.name());
        if (games.size() == kMaxGames)
            stopWithMessage("Soubor " + r.name() + ": vice nez " + std::to_string(kMaxGames) + " partii");
        games.push_back(line);
    });
}

namespace {
void storeRating(RatingTable& ratings, std::int32_t number, double rating, const std::string& fileName) {
    checkPlayer(number, fileName);
    ratings[static_cast<std::size_t>(number)] = rating;
}
}  // namespace

void storeOldRatings(TextReader& reader, RatingTable& ratings) {
    forEachRecord(reader, [&](TextReader& r) {
        const RatingListEntry line = readRatingListEntry(r);
        storeRating(ratings, line.number, line.rating, r.name());
    });
}

void storeNewRatings(TextReader& reader, RatingTable& ratings) {
    forEachRecord(reader, [&](TextReader& r) {
        const NewRating line = readNewRating(r);
        storeRating(ratings, line.number, line.rating, r.name());
    });
}

void readNamesFile(RecordTables& tables) {
    TextReader reader = TextReader::openOrFail(kPlayersFileName);
    storeNames(reader, tables.names);
}

void readGameList(RecordTables& tables) {
    TextReader reader = TextReader::openOrFail(kGameListName);
    storeGames(reader, tables.games);
}

RatingFiles readRatingFiles(RecordTables& tables) {
    RatingFiles files;
    auto oldList = TextReader::open(kRatingListName);
    auto newList = TextReader::open(kNewRatingListName);
    if (!oldList) files.missing.push_back(kRatingListName);
    if (!newList) files.missing.push_back(kNewRatingListName);
    if (!oldList || !newList) return files;
    storeOldRatings(*oldList, tables.oldRatings);
    storeNewRatings(*newList, tables.newRatings);
    files.complete = true;
    return files;
}

std::string missingFilesMessage(const std::vector<std::string>& missing) {
    if (missing.size() == 1) return "Soubor " + missing[0] + " neexistuje";
    return "Soubory " + missing[0] + " a " + missing[1] + " neexistuji";
}
