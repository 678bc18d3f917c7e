// rekordy: the tournament's records. Reads names, games and both rating lists, then writes
// the five game records and the largest rating rise to rekordy.txt; asks nothing.
#include "console.hpp"
#include "leftovers.hpp"
#include "record_inputs.hpp"
#include "records.hpp"
#include "run_error.hpp"
#include "text_writer.hpp"

namespace {

constexpr const char* kUsage =
    "Pouziti: rekordy\n"
    "  Zapise rekordy turnaje do souboru rekordy.txt.\n"
    "  --help, -h  tato napoveda\n";

}  // namespace

int main(int argc, char** argv) {
    readCommandLine(argc, argv, kUsage);
    clearScreen(processConsole());
    removeLeftovers(".", isTournamentFile);

    // Everything is read and checked before rekordy.txt is touched.
    RecordTables tables;
    readNamesFile(tables);
    readGameList(tables);
    const RatingFiles ratingFiles = readRatingFiles(tables);

    TextWriter records(kRecordsFileName);
    for (const std::string& line : gameRecordLines(tables.games, tables.names)) records.writeLine(line);
    if (ratingFiles.complete)
        for (const std::string& line : riseLines(largestRise(tables.oldRatings, tables.newRatings), tables.names))
            records.writeLine(line);
    records.close();

    // The game records stand without the rise; the organiser learns which list was missing.
    if (!ratingFiles.complete) stopWithMessage(missingFilesMessage(ratingFiles.missing), kErrorFileNotFound);
    stopProgram(0);
}
