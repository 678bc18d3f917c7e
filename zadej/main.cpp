// zadej: results entry. Shows the tables without a result, takes a table number and the two
// scores, asks before overwriting a stored result, and rewrites the round file after each change.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "console.hpp"
#include "folder_lock.hpp"
#include "game_files.hpp"
#include "leftovers.hpp"
#include "results_store.hpp"
#include "run_error.hpp"

namespace {

constexpr const char* kTitle = "Losovani - verze 9.2.2009";
constexpr const char* kUsage =
    "Pouziti: zadej [cislo kola]\n"
    "  Zadavani vysledku kola s danym cislem; bez cisla se na nej zepta.\n"
    "  --help, -h  tato napoveda\n";
// A score fills at most its column of the round file (width 4).
constexpr NumberRange kScoreRange{0, 9999};

std::int32_t askRound(Console& console, const CommandLine& commandLine) {
    if (auto round = commandLine.round) return *round;
    std::int32_t round = askNumber(console, "Zadejte cislo kola pro zadani vysledku :", true);
    clearScreen(console);
    writeLine(console, kTitle);
    writeLine(console, std::string(19, '-'));
    return round;
}

// What a pass showed of the round: its pairs, and the copies los had kept of it (one each time
// it pairs a round with results again).
struct RoundSeen {
    std::vector<Table> entries;
    std::int32_t copies = 0;
};

// A round paired again since the last pass has other pairs, or the same pairs without the
// results, which are in a new copy.
bool pairedAgain(const RoundSeen& before, const RoundSeen& now) {
    return now.copies > before.copies || !samePairing(before.entries, now.entries);
}

[[noreturn]] void stopRoundFileMissing(Console& console, const std::string& fileName) {
    waitEnterAfter(console, "Soubor " + fileName + " neexistuje, stisknete enter");
    stopProgram(0);
}

void showState(Console& console, const std::vector<Table>& entries) {
    std::string open;
    std::size_t zeros = 0;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (notEntered(entries[i].v1, entries[i].v2)) {
            ++zeros;
            open += std::to_string(i + 1) + " ";
        }
    writeLine(console, "Nacteno " + std::to_string(entries.size()) + " stolu");
    writeLine(console, "Dosud nebylo nacteno " + std::to_string(zeros) + " vysledku ");
    writeLine(console, "Dosud nezadane stoly : " + open);
}

// Shows the game of a table and takes its two scores.
TypedResult askScores(Console& console, const std::vector<Table>& entries, std::size_t position) {
    const Table& entry = entries[position];
    showGame(console, entry, entry.v1, entry.v2);
    auto [v1, v2] =
        askTwoNumbers(console, "Zadejte vysledek (pocty bodu obou hracu oddelene mezerou) : ", false, kScoreRange);
    return {position, v1, v2};
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine commandLine = readCommandLine(argc, argv, kUsage);
    Console& console = processConsole();
    writeBanner(console, kTitle, 25);
    writeLine(console);
    const std::int32_t round = askRound(console, commandLine);
    const std::string fileName = roundFileName(round);
    // A store killed in an earlier run left its temporary: it goes now, stored result or not.
    removeLeftovers(".", isTournamentFile);
    checkFolderLock(console, fileName);
    setColour(console, kYellow);
    writeLine(console, "Partie " + std::to_string(round) + ".kola ");
    setColour(console, kWhite);
    writeLine(console);

    std::optional<RoundSeen> seen;
    OwnResults own;
    own.round = round;
    for (;;) {
        // Every pass loads the file afresh: the other desk or los may have changed it.
        auto shown = loadEntries(fileName);
        if (!shown) stopRoundFileMissing(console, fileName);
        RoundSeen now{*shown, copiesKept(fileName, round)};
        if (seen && pairedAgain(*seen, now)) {
            writeYellow(console, "Kolo bylo znovu rozlosovano");
            writeLine(console);
        }
        seen = std::move(now);
        showState(console, *shown);
        std::int32_t table = askNumber(console, "Zadejte cislo stolu : ", false);
        if (table < 1 || static_cast<std::size_t>(table) > shown->size()) {
            writeYellow(console, "Stul " + std::to_string(table) + " neexistuje");
            writeLine(console, " ");
        } else {
            TypedResult typed = askScores(console, *shown, static_cast<std::size_t>(table) - 1);
            if (storeResult(console, fileName, *shown, typed, own) == StoreOutcome::FileMissing)
                stopRoundFileMissing(console, fileName);
        }
        writeLine(console);
        if (table == 0) break;
    }
    finishStores(console, fileName, own);
    stopProgram(0);
}
