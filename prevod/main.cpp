// prevod: builds the tournament's rating list kanvo.dat from the full list kanvo.txt, keeping
// the players named in hraci.txt; asks nothing and ends with one console line.
#include <string>

#include "console.hpp"
#include "import.hpp"
#include "leftovers.hpp"
#include "run_error.hpp"
#include "text_reader.hpp"
#include "text_writer.hpp"

namespace {

constexpr const char* kUsage =
    "Pouziti: prevod\n"
    "  Vytvori kanvo.dat z kanvo.txt a hraci.txt.\n"
    "  --help, -h  tato napoveda\n";

TextReader openFullList() {
    auto reader = TextReader::open(kFullRatingListName);
    if (!reader) stopWithMessage(std::string("Soubor ") + kFullRatingListName + " neexistuje");
    return std::move(*reader);
}

}  // namespace

int main(int argc, char** argv) {
    readCommandLine(argc, argv, kUsage);
    Console& console = processConsole();
    removeLeftovers(".", isTournamentFile);
    TextReader entered = TextReader::openOrFail(kEnteredPlayersName);
    TextReader fullList = openFullList();
    const PlayerSet players = markPlayers(readPlayerNumbers(entered));
    const std::vector<std::string> lines = importedLines(players, fullList);

    TextWriter ratingList(kRatingListName);
    for (const std::string& line : lines) ratingList.writeLine(line);
    ratingList.close();

    writeLine(console, "Soubor KANVO.DAT byl vytvoren s " + std::to_string(lines.size()) + " hraci");
    stopProgram(0);
}
