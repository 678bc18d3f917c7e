// The rating list import: marking the entered players and copying their lines of kanvo.txt.
// Nothing here writes a file, so a run that stops leaves kanvo.dat as it was.
#include "import.hpp"

#include "fixed.hpp"
#include "run_error.hpp"

std::vector<std::int32_t> readPlayerNumbers(TextReader& reader) {
    return readRecords(reader, [](TextReader& r) { return r.readInt(); });
}

PlayerSet markPlayers(const std::vector<std::int32_t>& numbers) {
    PlayerSet players;
    for (std::int32_t number : numbers) {
        if (number <= 0) continue;
        if (number > kMaxPlayerNumber)
            stopWithMessage("Cislo hrace " + std::to_string(number) + " v souboru " + kEnteredPlayersName +
                            " je mimo rozsah 1.." + std::to_string(kMaxPlayerNumber));
        players.marked[static_cast<std::size_t>(number)] = true;
    }
    return players;
}

std::optional<RatingLine> findPlayer(TextReader& fullList, std::int32_t number) {
    while (!fullList.atEnd()) {
        RatingLine line;
        line.number = fullList.readInt();
        line.rating = fullList.readReal();
        line.games = fullList.readInt();
        fullList.skipLine();
        if (line.number == number) return line;
    }
    return std::nullopt;
}

std::string ratingListLine(const RatingLine& line) {
    return formatInt(line.number, 3) + " " + formatReal(line.rating, 7, 2) + " " + formatInt(line.games);
}

std::vector<std::string> importedLines(const PlayerSet& players, TextReader& fullList) {
    std::vector<std::string> lines;
    for (std::int32_t number = 1; number <= kMaxPlayerNumber; ++number) {
        if (!players.marked[static_cast<std::size_t>(number)]) continue;
        auto line = findPlayer(fullList, number);
        if (!line)
            stopWithMessage("Hrac " + std::to_string(number) + " neni v souboru " + fullList.name());
        lines.push_back(ratingListLine(*line));
    }
    return lines;
}
