// los: pairs one round. Rebuilds the game list from the earlier rounds and checks them,
// recomputes the ratings, runs the optimiser, and writes the round file and pairing page.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "console.hpp"
#include "fixed.hpp"
#include "folder_lock.hpp"
#include "game_files.hpp"
#include "leftovers.hpp"
#include "pairing_outputs.hpp"
#include "platform.hpp"
#include "rating_arithmetic.hpp"
#include "recompute.hpp"
#include "round_backup.hpp"
#include "run_error.hpp"
#include "shared_round_file.hpp"
#include "text_writer.hpp"
#include "vyres.hpp"

namespace {

constexpr std::int32_t kMaxRound = 24;
constexpr const char* kExactOption = "--presne";
constexpr const char* kUsage =
    "Pouziti: los [cislo kola] [--presne]\n"
    "  Sparuje kolo s danym cislem; bez cisla se na nej zepta.\n"
    "  --presne    presne parovani s nejmensi chybovou funkci v kazdem kole\n"
    "              (paruje jinak nez bez volby)\n"
    "  --help, -h  tato napoveda\n";

[[noreturn]] void stopAfterEnter(Console& console, const std::string& message) {
    waitEnterAfter(console, message);
    stopProgram(0);
}

std::int32_t roundToPair(Console& console, const CommandLine& commandLine) {
    auto argument = commandLine.round;
    std::int32_t K = argument ? *argument : askNumber(console, "Zadejte cislo parovaneho kola :", true);
    if (K < 1 || K > kMaxRound)
        stopWithMessage("Cislo kola " + std::to_string(K) + " je mimo rozsah 1.." + std::to_string(kMaxRound));
    return K;
}

// Rebuilds partie.dat from rounds 1..K-1, reporting results still 0 0 per file; returns the
// fingerprint of each round file (first player * 200 + second player of its first line).
std::vector<std::int32_t> rebuildGameList(Console& console, std::int32_t K, std::int32_t& NULOVE2) {
    std::vector<std::int32_t> XX(static_cast<std::size_t>(K), 0);
    NULOVE2 = 0;
    RoundFiles rounds;
    for (std::int32_t I = 1; I < K; ++I) {
        auto games = readRoundFile(I);
        if (!games) stopAfterEnter(console, "Soubor partie" + std::to_string(I) + ".txt neexistuje, stisknete enter");
        for (const Game& game : *games)
            if (XX[static_cast<std::size_t>(I)] == 0)
                XX[static_cast<std::size_t>(I)] = checkedAdd(checkedMul(game.k1, 200), game.k2);
        const std::int32_t NULOVE = zeroResults(*games);
        if (NULOVE > 0) {
            NULOVE2 += NULOVE;
            writeLine(console, zeroResultsLine(I, NULOVE));
        }
        rounds.push_back(std::move(*games));
    }
    // Rebuilt on every run; its folder is flushed with the round file and the page.
    writeGameList(gameList(rounds), FileLife::KeptFlushedWithNext);
    return XX;
}

void askAboutZeroResults(Console& console, std::int32_t NULOVE2) {
    if (NULOVE2 == 0) return;
    writeYellow(console, "V souboru se vyskytuji nulove vysledky. Mam presto pokracovat? a/n ");
    if (answeredYes(console)) return;
    write(console, "Parovani nebylo provedeno, stisknete enter");
    waitEnter(console);
    stopProgram(0);
}

// Two earlier round files with the same first pairing are taken for copies.
void checkCopiedFiles(Console& console, const std::vector<std::int32_t>& XX, std::int32_t K) {
    for (std::int32_t I = 1; I <= K - 2; ++I)
        for (std::int32_t J = I + 1; J <= K - 1; ++J)
            if (XX[static_cast<std::size_t>(I)] == XX[static_cast<std::size_t>(J)])
                stopAfterEnter(console, "Soubory partie" + std::to_string(I) + ".txt a partie" + std::to_string(J) +
                                            ".txt jsou zrejme shodne. Stisknete enter");
}

// The search's counters; when the exact matching was written, its cost against the search's
// (--presne) or that it removed a repeat (the default run); the cost of the pairing written.
// There is no move on four pairs: its counter is always 0.
void reportOptimiser(Console& console, std::int32_t KROKU, std::int32_t KROKU2, double CHYB,
                     const VyresOptions& options, const ExactMatchingReport& report) {
    write(console, "0 prohozeni ctveric ");
    writeLine(console, std::to_string(KROKU2) + " prohozeni trojic a " + std::to_string(KROKU) + " prohozeni dvojic  ");
    if (report.written && options.exact) {
        writeLine(console, "Cena parovani hledanim : " + formatReal(report.searchCost, 12, 9));
        writeLine(console, "Cena presneho parovani : " + formatReal(CHYB, 12, 9));
    } else if (report.written) {
        writeLine(console, "Opakovane parovani odstraneno presnym parovanim");
    }
    writeLine(console, "Chybova funkce : " + formatReal(CHYB, 12, 9));
}

void eraseTemporaryFiles(std::int32_t K) {
    platform::removeFile(kTaskFileName);
    platform::removeFile(pairingListName(K));
}

// An existing round file is replaced only on a lower-case "a"; the results it holds are
// counted first.
void confirmNewPairing(Console& console, std::int32_t K) {
    const auto entered = enteredResultsOfRound(K);
    if (!entered) return;
    writeLine(console);
    if (*entered > 0) {
        writeYellow(console, "V souboru " + roundFileName(K) + " je " + std::to_string(*entered) + " zadanych vysledku");
        writeLine(console);
    }
    writeYellow(console, "Parovani bylo jiz provedeno drive, chcete ho provest znovu? a/n");
    write(console, " ");
    bool again = answeredYes(console);
    writeLine(console, " ");
    if (again) return;
    writeLine(console, "Parovani nemohlo byt provedeno ");
    eraseTemporaryFiles(K);
    stopProgram(0);
}

// The round file and the page; the name of the copy of a replaced round with results.
std::optional<std::string> writePairing(Console& console, std::int32_t K) {
    auto names = readPlayersFile(kPlayersFileName, kPairingNameLength);
    if (!names) stopWithMessage(std::string("Soubor ") + kPlayersFileName + " neexistuje, parovani nebylo zapsano");
    auto list = TextReader::open(pairingListName(K));
    if (!list) stopWithMessage("Soubor " + pairingListName(K) + " nelze precist");
    auto outputs = pairingOutputs(K, readPairingList(*list), *names);
    // The page's folder flush makes the round file's replacement durable too.
    TextWriter roundFile(roundFileName(K), FileLife::KeptFlushedWithNext);
    for (const auto& line : outputs.roundFile) roundFile.writeLine(line);
    TextWriter page("los" + std::to_string(K) + ".htm");
    for (const auto& line : outputs.page) page.writeLine(line);
    std::optional<std::string> kept;
    {
        // zadej stores results under the folder's lock: none lands in the old pairing while
        // it is kept and replaced.
        auto lock = lockFolderOrStop(console, roundFileName(K));
        if (auto current = currentRoundFile(lock, roundFileName(K))) kept = keepEnteredResults(K, *current);
        // Recorded before the replace: a los stopped between the two leaves the old round, which
        // the new record does not know and the next store takes as it is. Recorded after, the new
        // pairing (the same pairs as before, say) would read as a stale copy of the old round.
        notePaired(lock, roundFileName(K), roundFile.text());
        roundFile.close();
    }
    page.close();
    return kept;
}

}  // namespace

int main(int argc, char** argv) {
    requireRatingArithmetic();
    const CommandLine commandLine = readCommandLine(argc, argv, kUsage, {kExactOption});
    VyresOptions options;
    options.exact = commandLine.has(kExactOption);
    Console& console = processConsole();
    writeBanner(console, "Losovani - verze 19.11.2012", 25);
    writeLine(console);
    const std::int32_t K = roundToPair(console, commandLine);
    // No stop, and no interrupt at any moment, may leave the task file or the pairing list behind.
    eraseOnStop(kTaskFileName);
    eraseOnStop(pairingListName(K));
    removeLeftovers(".", isTournamentFile);
    removeLeftovers(kBackupFolder, isBackupCopy);
    checkFolderLock(console, roundFileName(K));

    std::int32_t NULOVE2 = 0;
    const auto XX = rebuildGameList(console, K, NULOVE2);
    askAboutZeroResults(console, NULOVE2);
    checkCopiedFiles(console, XX, K);

    PRIPRAV(K, console);

    std::int32_t KROKU = 0, KROKU2 = 0;
    double CHYB = 0;
    ExactMatchingReport report;
    VYRES(KROKU, KROKU2, CHYB, options, report, console);
    reportOptimiser(console, KROKU, KROKU2, CHYB, options, report);

    confirmNewPairing(console, K);
    const auto kept = writePairing(console, K);
    eraseTemporaryFiles(K);
    if (kept) writeLine(console, "Puvodni vysledky jsou v souboru " + *kept);
    writeLine(console);
    writeLine(console, "Parovani bylo uspesne provedeno ");
    stopProgram(0);
}
