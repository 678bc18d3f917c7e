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

// Game-list line: the four numbers in width 3, single blanks between them.
void appendToGameList(TextWriter& list, const std::vector<Game>& round) {
    LineBuilder line;
    for (const Game& game : round) {
        if (game.k2 <= 0) continue;
        line.clear();
        line.integer(game.k1, 3).text(" ").integer(game.k2, 3).text(" ").integer(game.v1, 3).text(" ").integer(game.v2, 3);
        list.writeLine(line.view());
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

std::int32_t enteredResults(TextReader& reader) {
    std::int32_t entered = 0;
    forEachRecord(reader, [&](TextReader& r) {
        // As readInt reads them, but a malformed number is no stop here.
        std::optional<std::int32_t> numbers[4];
        for (auto& number : numbers) {
            std::string_view token = r.readToken();
            number = token.empty() ? 0 : parseWholeNumber(token);
        }
        const bool readable = numbers[0] && numbers[1] && numbers[2] && numbers[3];
        if (!readable || (*numbers[1] > 0 && (*numbers[2] != 0 || *numbers[3] != 0))) ++entered;
    });
    return entered;
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

// Players in width 3, the middle literal, the table in width 2, then the names part: two
// blanks, the first name padded to 25, "   -   ", the second name padded to 25.
std::string roundFileLine(std::int32_t k1, std::int32_t k2, std::string_view middle, std::int32_t table,
                          const std::string& name1, const std::string& name2) {
    LineBuilder line;
    line.integer(k1, 3).text(" ").integer(k2, 3).text(middle).integer(table, 2);
    line.text("  ").padded(name1, 25).text("   -   ").padded(name2, 25);
    return line.str();
}

}  // namespace

std::string pairingLine(std::int32_t k1, std::int32_t k2, std::int32_t table, const std::string& name1,
                        const std::string& name2) {
    return roundFileLine(k1, k2, "   0 0   ", table, name1, name2);
}

std::string byeLine(std::int32_t k1, const std::string& name1, const std::string& name2) {
    return roundFileLine(k1, 0, " 300 300 ", 0, name1, name2);
}

std::string resultLine(const Table& entry) {
    LineBuilder line;
    line.integer(entry.k1, 3).text(" ").integer(entry.k2, 3).text("  ").integer(entry.v1, 4).text(" ");
    line.integer(entry.v2, 4).text("     ").integer(entry.table, 2).text(entry.names);
    return line.str();
}
