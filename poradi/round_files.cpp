// Reading the round files of the standings and rewriting the game list from them.
// The game list is replaced only once every round file has been read.
#include "round_files.hpp"

#include "text_reader.hpp"
#include "text_writer.hpp"

RoundFiles readRoundFiles(std::int32_t round) {
    RoundFiles rounds;
    for (std::int64_t r = 1; r <= round; ++r) {  // 64 bits: no wrap past the largest round
        TextReader reader = TextReader::openOrFail(roundFileName(static_cast<std::int32_t>(r)));
        rounds.push_back(readGames(reader));
    }
    return rounds;
}

void rebuildGameList(const RoundFiles& rounds, Console& console) {
    // Rebuilt on every run; its folder is flushed with kanvo.new, written right after it.
    TextWriter list(kGameListName, FileLife::KeptFlushedWithNext);
    std::size_t listed = 0;
    for (std::size_t r = 0; r < rounds.size(); ++r) {
        const auto round = static_cast<std::int32_t>(r + 1);
        if (const std::int32_t zeros = zeroResults(rounds[r])) writeLine(console, zeroResultsLine(round, zeros));
        appendToGameList(list, rounds[r]);
        listed += gameListEntries(rounds[r]);
    }
    checkGameListCapacity(listed, static_cast<std::int32_t>(rounds.size()));
    list.close();
}
