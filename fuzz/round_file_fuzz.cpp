// Fuzz target of the round files partie<N>.txt and the game list partie.dat: read as zadej,
// los and poradi read them, and every line the suite writes must read back as it was meant.
#include <string>
#include <vector>

#include "fuzz_support.hpp"
#include "game_files.hpp"

namespace {

bool sameTable(const Table& a, const Table& b) {
    return a.k1 == b.k1 && a.k2 == b.k2 && a.v1 == b.v1 && a.v2 == b.v2 && a.table == b.table && a.names == b.names;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

std::vector<Table> tablesOf(const std::string& text, const char* what) {
    TextReader reader("partie1.txt", text);
    std::vector<Table> tables;
    StepEnd end = runStep([&] { tables = readTables(reader, kMaxTableText); }, {106});
    if (end.stopped) finding(what, text + "\n" + end.message);
    return tables;
}

// zadej keeps the lines with a first player and rewrites them all after a stored result: the
// rewritten file must give zadej the same entries, and los and poradi the same games.
void checkResultsRewrite(const std::vector<Table>& read) {
    std::vector<Table> entries;
    std::vector<std::string> lines;
    for (const Table& entry : read)
        if (entry.k1 > 0) {
            entries.push_back(entry);
            lines.push_back(resultLine(entry));
        }
    const std::string text = joinLines(lines);
    const std::vector<Table> again = tablesOf(text, "a round file rewritten by zadej cannot be read");
    check(again.size() == entries.size(), "the rewritten round file has another number of lines", text);
    for (std::size_t i = 0; i < entries.size(); ++i)
        check(sameTable(again[i], entries[i]), "a rewritten round-file line reads back otherwise", lines[i]);
    TextReader games("partie1.txt", text);
    const std::vector<Game> read4 = readGames(games);
    check(read4.size() == entries.size(), "los and poradi read another number of games", text);
    for (std::size_t i = 0; i < entries.size(); ++i)
        check(read4[i].k1 == entries[i].k1 && read4[i].k2 == entries[i].k2 && read4[i].v1 == entries[i].v1 &&
                  read4[i].v2 == entries[i].v2,
              "los and poradi read another game", lines[i]);
}

// The pairing writes names of up to 30 characters (from osoby.dat: no line ends in them).
void checkPairingLines(const std::vector<Table>& read) {
    for (const Table& entry : read) {
        const std::string name1 = entry.names.substr(0, 30), name2 = entry.names.substr(entry.names.size() / 2, 30);
        const std::string pairing = pairingLine(entry.k1, entry.k2, entry.table, name1, name2);
        const std::string bye = byeLine(entry.k1, name1, "BYE");
        const std::vector<Table> back = tablesOf(joinLines({pairing, bye}), "a paired round file cannot be read");
        check(back.size() == 2, "a paired line does not read back as one line", pairing);
        check(back[0].k1 == entry.k1 && back[0].k2 == entry.k2 && back[0].v1 == 0 && back[0].v2 == 0 &&
                  back[0].table == entry.table,
              "a paired line reads back otherwise", pairing);
        check(back[1].k1 == entry.k1 && back[1].k2 == 0 && back[1].v1 == 300 && back[1].v2 == 300 &&
                  back[1].table == 0,
              "a bye line reads back otherwise", bye);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TextReader asGames(kGameListName, text);
    std::vector<Game> games;
    if (runStep([&] { games = readGames(asGames); }, {106}).stopped) return 0;
    check(games.size() <= lineCount(text), "more games than lines");

    TextReader asTables("partie1.txt", text);
    std::vector<Table> tables;
    if (runStep([&] { tables = readTables(asTables, kMaxTableText); }, {106}).stopped) return 0;
    for (const Table& entry : tables)
        check(entry.names.size() <= kMaxTableText && entry.names.find('\n') == std::string::npos,
              "a names part beyond its line or its length");
    checkResultsRewrite(tables);
    checkPairingLines(tables);
    return 0;
}
