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

void storeName(NameTable& names, const PlayerName& line, const std::string& fileName) {
    checkPlayer(line.number, fileName);
    names[static_cast<std::size_t>(line.number)] = padRight(line.name, kNameWidth);
}

void storeGame(std::vector<Game>& games, const Game& line, const std::string& fileName) {
    checkPlayer(line.k1, fileName);
    if (line.k2 == 0) return;  // a bye
    checkPlayer(line.k2, fileName);
    if (games.size() == kMaxGames)
        stopWithMessage("Soubor " + fileName + ": vice nez " + std::to_string(kMaxGames) + " partii");
    games.push_back(line);
}

void storeRating(RatingTable& ratings, std::int32_t number, double rating, const std::string& fileName) {
    checkPlayer(number, fileName);
    ratings[static_cast<std::size_t>(number)] = rating;
}

void readNamesFile(RecordTables& tables) {
    TextReader reader = TextReader::openOrFail(kPlayersFileName);
    forEachRecord(reader, [&](TextReader& r) { storeName(tables.names, readPlayerName(r, kNameWidth), r.name()); });
}

void readGameList(RecordTables& tables) {
    TextReader reader = TextReader::openOrFail(kGameListName);
    forEachRecord(reader, [&](TextReader& r) { storeGame(tables.games, readGame(r), r.name()); });
}

RatingFiles readRatingFiles(RecordTables& tables) {
    RatingFiles files;
    auto oldList = TextReader::open(kRatingListName);
    auto newList = TextReader::open(kNewRatingListName);
    if (!oldList) files.missing.push_back(kRatingListName);
    if (!newList) files.missing.push_back(kNewRatingListName);
    if (!oldList || !newList) return files;
    forEachRecord(*oldList, [&](TextReader& r) {
        const RatingListEntry line = readRatingListEntry(r);
        storeRating(tables.oldRatings, line.number, line.rating, r.name());
    });
    forEachRecord(*newList, [&](TextReader& r) {
        const NewRating line = readNewRating(r);
        storeRating(tables.newRatings, line.number, line.rating, r.name());
    });
    files.complete = true;
    return files;
}

std::string missingFilesMessage(const std::vector<std::string>& missing) {
    if (missing.size() == 1) return "Soubor " + missing[0] + " neexistuje";
    return "Soubory " + missing[0] + " a " + missing[1] + " neexistuji";
}
