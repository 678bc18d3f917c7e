// zadej: results entry. Shows the tables without a result, takes a table number and the two
// scores, asks before overwriting a stored result, and rewrites the round file after each change.
#include <cstdint>
#include <string>
#include <vector>

#include "console.hpp"
#include "fixed.hpp"
#include "game_files.hpp"
#include "run_error.hpp"
#include "text_writer.hpp"

namespace {

constexpr std::size_t kMaxTables = 100;
constexpr const char* kTitle = "Losovani - verze 9.2.2009";
constexpr const char* kUsage =
    "Pouziti: zadej [cislo kola]\n"
    "  Zadavani vysledku kola s danym cislem; bez cisla se na nej zepta.\n"
    "  --help, -h  tato napoveda\n";

std::int32_t askRound(Console& console, const CommandLine& commandLine) {
    if (auto round = commandLine.round) return *round;
    std::int32_t round = askNumber(console, "Zadejte cislo kola pro zadani vysledku :", true);
    clearScreen(console);
    writeLine(console, kTitle);
    writeLine(console, std::string(19, '-'));
    return round;
}

// The entries of the round file (lines with a first player above 0); nothing when it is missing.
std::optional<std::vector<Table>> loadEntries(const std::string& fileName) {
    auto reader = TextReader::open(fileName);
    if (!reader) return std::nullopt;
    std::vector<Table> entries;
    for (Table& line : readTables(*reader, kMaxTableText)) {
        if (line.k1 <= 0) continue;
        if (entries.size() == kMaxTables)
            stopWithMessage("Soubor " + fileName + " ma vice nez " + std::to_string(kMaxTables) + " radku");
        entries.push_back(std::move(line));
    }
    return entries;
}

bool notEntered(const Table& entry) { return entry.v1 == 0 && entry.v2 == 0; }

void showState(Console& console, const std::vector<Table>& entries) {
    std::string open;
    std::size_t zeros = 0;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (notEntered(entries[i])) {
            ++zeros;
            open += std::to_string(i + 1) + " ";
        }
    writeLine(console, "Nacteno " + std::to_string(entries.size()) + " stolu");
    writeLine(console, "Dosud nebylo nacteno " + std::to_string(zeros) + " vysledku ");
    writeLine(console, "Dosud nezadane stoly : " + open);
}

std::string gameWithScores(const Table& entry, std::int32_t v1, std::int32_t v2) {
    return entry.names + "  " + formatInt(v1, 3) + " : " + formatInt(v2, 3);
}

// Takes the scores of one table; true when the entry was changed.
bool enterResult(Console& console, Table& entry) {
    writeLine(console, gameWithScores(entry, entry.v1, entry.v2));
    auto [v1, v2] = askTwoNumbers(console, "Zadejte vysledek (pocty bodu obou hracu oddelene mezerou) : ", false);
    // A change is a pair that differs from the stored one in at least one score.
    if (v1 == entry.v1 && v2 == entry.v2) return false;
    writeLine(console, gameWithScores(entry, v1, v2));
    if (!notEntered(entry)) {
        writeYellow(console, "Prepsat starsi vysledek? a/n ");
        if (!answeredYes(console)) return false;
    }
    entry.v1 = v1;
    entry.v2 = v2;
    return true;
}

void rewriteRoundFile(const std::string& fileName, const std::vector<Table>& entries) {
    TextWriter file(fileName);
    for (const Table& entry : entries) file.writeLine(resultLine(entry));
    file.close();
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine commandLine = readCommandLine(argc, argv, kUsage);
    Console& console = processConsole();
    writeBanner(console, kTitle, 25);
    writeLine(console);
    const std::int32_t round = askRound(console, commandLine);
    const std::string fileName = roundFileName(round);
    setColour(console, kYellow);
    writeLine(console, "Partie " + std::to_string(round) + ".kola ");
    setColour(console, kWhite);
    writeLine(console);

    for (;;) {
        auto entries = loadEntries(fileName);
        if (!entries) {
            writeYellow(console, "Soubor " + fileName + " neexistuje, stisknete enter");
            write(console, " ");
            waitEnter(console);
            stopProgram(0);
        }
        showState(console, *entries);
        std::int32_t table = askNumber(console, "Zadejte cislo stolu : ", false);
        if (table < 1 || static_cast<std::size_t>(table) > entries->size()) {
            writeYellow(console, "Stul " + std::to_string(table) + " neexistuje");
            writeLine(console, " ");
        } else if (enterResult(console, (*entries)[static_cast<std::size_t>(table) - 1])) {
            rewriteRoundFile(fileName, *entries);
        }
        writeLine(console);
        if (table == 0) break;
    }
    stopProgram(0);
}
