// Readers and writers of the round files, the game list and the pairing list.
// Column widths are how the writers lay lines out; readers take blank-separated numbers.
#include "game_files.hpp"

#include "fixed.hpp"
#include "name_encoding.hpp"
#include "platform.hpp"
#include "run_error.hpp"

std::string roundFileName(std::int32_t round) { return "partie" + std::to_string(round) + ".txt"; }

std::string pairingListName(std::int32_t round) { return "los" + std::to_string(round) + ".txt"; }

std::string backupFileName(std::int32_t round, std::int32_t m) {
    return std::string(kBackupFolder) + "/partie" + std::to_string(round) + "-" + std::to_string(m) + ".txt";
}

std::int32_t copiesKept(const std::string& roundFile, std::int32_t K) {
    const std::string folder = roundFile.substr(0, roundFile.find_last_of("/\\") + 1);
    std::int32_t m = 0;
    while (platform::pathExists(folder + backupFileName(K, m + 1))) ++m;
    return m;
}

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

std::optional<std::vector<Game>> readRoundFile(std::int32_t round) {
    auto reader = TextReader::open(roundFileName(round));
    if (!reader) return std::nullopt;
    return readGames(*reader);
}

RoundFiles readRoundFiles(std::int32_t last) {
    RoundFiles rounds;
    for (std::int64_t r = 1; r <= last; ++r) {  // 64 bits: no wrap past the largest round
        TextReader reader = TextReader::openOrFail(roundFileName(static_cast<std::int32_t>(r)));
        rounds.push_back(readGames(reader));
    }
    return rounds;
}

std::vector<Game> gameList(const RoundFiles& rounds) {
    std::vector<Game> games;
    for (const auto& round : rounds)
        for (const Game& game : round)
            if (game.k2 > 0) games.push_back(game);
    if (games.size() > kMaxGames) {
        const std::size_t last = rounds.size();
        const std::string files = last == 1 ? "Soubor partie1.txt ma"
                                            : "Soubory partie1.txt az " + roundFileName(static_cast<std::int32_t>(last)) + " maji";
        stopWithMessage(files + " vice nez " + std::to_string(kMaxGames) + " partii");
    }
    return games;
}

std::string gameListText(const std::vector<Game>& games) {
    std::string text;
    LineBuilder line;
    for (const Game& game : games) {
        line.clear();
        line.integer(game.k1, 3).text(" ").integer(game.k2, 3).text(" ").integer(game.v1, 3).text(" ").integer(game.v2, 3);
        text.append(line.view()).append("\r\n");
    }
    return text;
}

void writeGameList(const std::vector<Game>& games, FileLife life) {
    TextWriter list(kGameListName, life);
    list.write(gameListText(games));
    list.close();
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
        if (!readable || (*numbers[1] > 0 && !notEntered(*numbers[2], *numbers[3]))) ++entered;
    });
    return entered;
}

std::int32_t zeroResults(const std::vector<Game>& round) {
    std::int32_t zeros = 0;
    for (const Game& game : round) zeros += notEntered(game.v1, game.v2) ? 1 : 0;
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
    line.text("  ").padded(name1, kNameColumn).text(kNamesBetween).padded(name2, kNameColumn);
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

std::string readableNamesPart(std::string_view namesPart) {
    const std::size_t between = namesPart.find(kNamesBetween);
    if (!namesPart.starts_with("  ") || between == std::string_view::npos) return nameAsUtf8(namesPart);
    const auto name1 = namesPart.substr(2, between - 2), name2 = namesPart.substr(between + kNamesBetween.size());
    return "  " + padCharacters(columnNameAsUtf8(name1, kPairingNameLength), kNameColumn) + std::string(kNamesBetween) +
           padCharacters(columnNameAsUtf8(name2, kPairingNameLength), kNameColumn);
}
