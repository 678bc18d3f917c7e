// Fuzz target of the pairing list los<N>.txt with osoby.dat: the round file los writes from
// them reads back as the same pairs in table order, the bye last, and the page escapes names.
#include <string>
#include <utility>
#include <vector>

#include "fuzz_support.hpp"
#include "game_files.hpp"
#include "pairing_outputs.hpp"
#include "players_file.hpp"

namespace {

using Pairs = std::vector<std::pair<std::int32_t, std::int32_t>>;

void checkRoundFile(const Pairs& pairs, const PairingOutputs& out) {
    std::string text;
    for (const auto& line : out.roundFile) text += line + "\r\n";
    TextReader reader("partie1.txt", text);
    std::vector<Table> tables;
    StepEnd end = runStep([&] { tables = readTables(reader, kMaxTableText); }, {106});
    if (end.stopped) finding("the round file written by los cannot be read", text + "\n" + end.message);

    std::size_t t = 0;
    std::int32_t bye = 0;
    for (const auto& [k1, k2] : pairs) {
        if (k2 == 0) {
            bye = k1;
            continue;
        }
        check(t < tables.size(), "a pair is missing from the round file", text);
        const Table& line = tables[t++];
        check(line.k1 == k1 && line.k2 == k2 && line.v1 == 0 && line.v2 == 0 &&
                  line.table == static_cast<std::int32_t>(t),
              "a pair reads back otherwise from the round file", text);
    }
    if (bye > 0) {
        check(t < tables.size(), "the bye is missing from the round file", text);
        const Table& line = tables[t++];
        check(line.k1 == bye && line.k2 == 0 && line.v1 == 300 && line.v2 == 300 && line.table == 0,
              "the bye reads back otherwise from the round file", text);
    }
    check(t == tables.size(), "the round file holds more lines than the pairing", text);
}

// Markup comes only from the page itself: after the fixed tags no name may open one.
void checkPage(const PairingOutputs& out, std::size_t pairLines) {
    check(out.page.size() == pairLines + 4, "the pairing page has another number of lines");
    for (std::size_t i = 3; i + 1 < out.page.size(); ++i) {
        std::string line = out.page[i];
        for (const char* tag : {"<tr>", "<td>"})
            for (std::size_t p; (p = line.find(tag)) != std::string::npos;) line.erase(p, 4);
        check(line.find_first_of("<>\"") == std::string::npos, "a name reaches the page unescaped", out.page[i]);
    }
}

}  // namespace

// Input: los<N>.txt, a form feed, osoby.dat.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto files = splitFiles(data, size, 2);
    files.resize(2);
    TextReader list("los1.txt", files[0]);
    TextReader osoby(kPlayersFileName, files[1]);
    Pairs pairs;
    PlayerNames names;
    if (runStep([&] { pairs = readPairingList(list); }, {106}).stopped) return 0;
    if (runStep([&] { names = readPlayerNames(osoby, kPairingNameLength); }, {106}).stopped) return 0;
    check(pairs.size() <= lineCount(files[0]), "more pairs than lines");

    const PairingOutputs out = pairingOutputs(1, pairs, names);
    checkRoundFile(pairs, out);
    checkPage(out, out.roundFile.size());
    return 0;
}
