// Reading rekordy's inputs into its fixed tables, every entry checked against the capacities.
// Each file is read whole first, so a malformed number in it reports before a range error.
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

void storeNames(NameTable& names, const PlayerNames& lines, const std::string& fileName) {
    for (const PlayerName& line : lines) {
        checkPlayer(line.number, fileName);
        names[static_cast<std::size_t>(line.number)] = padRight(line.name, kNameWidth);
    }
}

void storeGames(std::vector<Game>& games, const std::vector<Game>& lines, const std::string& fileName) {
    for (const Game& line : lines) {
        checkPlayer(line.k1, fileName);
        if (line.k2 == 0) continue;  // a bye
        checkPlayer(line.k2, fileName);
        if (games.size() == kMaxGames)
            stopWithMessage("Soubor " + fileName + ": vice nez " + std::to_string(kMaxGames) + " partii");
        games.push_back(line);
    }
}

template <typename RatingLine>
void storeRatings(RatingTable& ratings, const std::vector<RatingLine>& lines, const std::string& fileName) {
    for (const RatingLine& line : lines) {
        checkPlayer(line.number, fileName);
        ratings[static_cast<std::size_t>(line.number)] = line.rating;
    }
}

template void storeRatings(RatingTable&, const std::vector<RatingListEntry>&, const std::string&);
template void storeRatings(RatingTable&, const std::vector<NewRating>&, const std::string&);

void readNamesFile(RecordTables& tables) {
    TextReader reader = TextReader::openOrFail(kPlayersFileName);
    storeNames(tables.names, readPlayerNames(reader, kNameWidth), reader.name());
}

void readGameList(RecordTables& tables) {
    TextReader reader = TextReader::openOrFail(kGameListName);
    storeGames(tables.games, readGames(reader), reader.name());
}

RatingFiles readRatingFiles(RecordTables& tables) {
    RatingFiles files;
    auto oldList = TextReader::open(kRatingListName);
    auto newList = TextReader::open(kNewRatingListName);
    if (!oldList) files.missing.push_back(kRatingListName);
    if (!newList) files.missing.push_back(kNewRatingListName);
    if (!oldList || !newList) return files;
    storeRatings(tables.oldRatings, readRatingList(*oldList), oldList->name());
    storeRatings(tables.newRatings, readNewRatingList(*newList), newList->name());
    files.complete = true;
    return files;
}

std::string missingFilesMessage(const std::vector<std::string>& missing) {
    if (missing.size() == 1) return "Soubor " + missing[0] + " neexistuje";
    return "Soubory " + missing[0] + " a " + missing[1] + " neexistuji";
}
