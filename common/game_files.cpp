// Readers and writers of the round files, the game list and the pairing list.
// Column widths are how the writers lay lines out; readers take blank-separated numbers.
#include "game_files.hpp"

#include "fixed.hpp"
#include "run_error.hpp"

std::string roundFileName(std::int32_t round) { return "partie" + std::to_string(round) + ".txt"; }

std::string pairingListName(std::int32_t round) { return "los" + std::to_string(round) + ".txt"; }

// Braced initialisers read their numbers left to right.
Game readGame(TextReader& r) { return Game{r.readInt(), r.readInt(), r.readInt(), r.readInt()}; }

std::vector<Game> readGames(TextReader& reader) { return readRecords(reader, readGame); }

std::vector<Table> readTables(TextReader& reader, std::size_t namesLimit) {
    return readRecords(reader, [namesLimit](TextReader& r) {
        return Table{r.readInt(), r.readInt(), r.readInt(), r.readInt(), r.readInt(), r.readText(namesLimit)};
    });
}

std::vector<std::pair<std::int32_t, std::int32_t>> readPairingList(TextReader& reader) {
    return readRecords(reader, [](TextReader& r) { return std::pair{r.readInt(), r.readInt()}; });
}

void appendToGameList(TextWriter& list, const std::vector<Game>& round) {
    std::string line;
    for (const Game& game : round) {
        if (game.k2 <= 0) continue;
        line.clear();
        for (std::int32_t number : {game.k1, game.k2, game.v1, game.v2}) {
            if (!line.empty()) line += ' ';
            appendInt(line, number, 3);
        }
        list.writeLine(line);
    }
}

std::size_t gameListEntries(const std::vector<Game>& round) {
    std::size_t entries = 0;
    for (const Game& game : round) entries += game.k2 > 0 ? 1 : 0;
    return entries;
}

void checkGameListCapacity(std::size_t games, std::int32_t lastRound) {
    if (games <= kMaxGames) return;
    const std::string files = lastRound == 1 ? "Soubor partie1.txt ma" : "Soubory partie1.txt az " + roundFileName(lastRound) + " maji";
    stopWithMessage(files + " vice nez " + std::to_string(kMaxGames) + " partii");
}

std::int32_t zeroResults(const std::vector<Game>& round) {
    std::int32_t zeros = 0;
    for (const Game& game : round) zeros += game.v1 == 0 && game.v2 == 0 ? 1 : 0;
    return zeros;
}

std::string zeroResultsLine(std::int32_t round, std::int32_t count) {
    return "V souboru " + roundFileName(round) + " je " + std::to_string(count) + " nulovych vysledku";
}

namespace {
std::string namesPart(const std::string& name1, const std::string& name2) {
    return "  " + padRight(name1, 25) + "   -   " + padRight(name2, 25);
}
}  // namespace

std::string pairingLine(std::int32_t k1, std::int32_t k2, std::int32_t table, const std::string& name1,
                        const std::string& name2) {
    return formatInt(k1, 3) + " " + formatInt(k2, 3) + "   0 0   " + formatInt(table, 2) + namesPart(name1, name2);
}

std::string byeLine(std::int32_t k1, const std::string& name1, const std::string& name2) {
    return formatInt(k1, 3) + " " + formatInt(0, 3) + " 300 300 " + formatInt(0, 2) + namesPart(name1, name2);
}

std::string resultLine(const Table& entry) {
    return formatInt(entry.k1, 3) + " " + formatInt(entry.k2, 3) + "  " + formatInt(entry.v1, 4) + " " +
           formatInt(entry.v2, 4) + "     " + formatInt(entry.table, 2) + entry.names;
}
