// Fuzz target of rekordy's inputs: osoby.dat, partie.dat, kanvo.dat and kanvo.new read into
// its fixed tables, then the records computed from them.
#include <memory>
#include <string>
#include <vector>

#include "fuzz_support.hpp"
#include "record_inputs.hpp"
#include "records.hpp"

namespace {

void recordsOf(const std::vector<std::string>& files) {
    auto tables = std::make_unique<RecordTables>();
    TextReader osoby(kPlayersFileName, files[0]);
    storeNames(osoby, tables->names);
    TextReader gameList(kGameListName, files[1]);
    storeGames(gameList, tables->games);
    check(tables->games.size() <= kMaxGames, "more games than the table holds");

    const std::vector<std::string> lines = gameRecordLines(tables->games, tables->names);
    std::size_t headings = 0;
    for (GameRecord record : kGameRecords)
        for (const std::string& line : lines) headings += line == recordHeading(record);
    check(headings == kGameRecords.size(), "a record heading is missing or repeated");

    TextReader oldList(kRatingListName, files[2]);
    storeOldRatings(oldList, tables->oldRatings);
    TextReader newList(kNewRatingListName, files[3]);
    storeNewRatings(newList, tables->newRatings);
    const RatingRise rise = largestRise(tables->oldRatings, tables->newRatings);
    check(rise.player >= 0 && rise.player <= kMaxPlayerNumber, "the rise names a player outside the table");
    riseLines(rise, tables->names);
}

}  // namespace

// Input: osoby.dat, partie.dat, kanvo.dat and kanvo.new, separated by form feeds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> files = splitFiles(data, size, 4);
    files.resize(4);
    runStep([&] { recordsOf(files); }, {1, 106, 215});
    return 0;
}
