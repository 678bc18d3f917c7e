// Fuzz target of the players file osoby.dat: read with the name lengths of los (30) and of
// poradi and rekordy (25); names stay within their length and within their own line.
#include <string>

#include "fuzz_support.hpp"
#include "players_file.hpp"

namespace {

void readWithLimit(const std::string& text, std::size_t limit) {
    TextReader reader(kPlayersFileName, text);
    PlayerNames names;
    StepEnd end = runStep([&] { names = readPlayerNames(reader, limit); }, {106});
    if (end.stopped) return;
    check(names.size() <= lineCount(text), "more players than lines");
    for (const PlayerName& entry : names) {
        check(entry.name.size() <= limit, "a name longer than the limit", entry.name);
        check(entry.name.find('\n') == std::string::npos, "a name runs past its line", entry.name);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    readWithLimit(text, 30);
    readWithLimit(text, 25);
    return 0;
}
