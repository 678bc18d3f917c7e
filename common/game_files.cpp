// Readers and writers of the round files, the game list and the pairing list.
// Column widths are how the writers lay lines out; readers take blank-separated numbers.
#include "game_files.hpp"

#include "fixed.hpp"

std::string roundFileName(std::int32_t round) { return "partie" + std::to_string(round) + ".txt"; }

std::string pairingListName(std::int32_t round) { return "los" + std::to_string(round) + ".txt"; }

// Braced initialisers read their numbers left to right.
std::vector<Game> readGames(TextReader& reader) {
    return readRecords(reader, [](TextReader& r) { return Game{r.readInt(), r.readInt(), r.readInt(), r.readInt()}; });
}

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
