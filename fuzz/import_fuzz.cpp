// Fuzz target of prevod's inputs hraci.txt and kanvo.txt: the kanvo.dat it would write reads
// back, as los and rekordy read it, as the entered players in ascending order.
#include <string>
#include <vector>

#include "fuzz_support.hpp"
#include "import.hpp"

namespace {

void checkRatingList(const std::vector<std::string>& lines, const PlayerSet& players) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    TextReader reader(kRatingListName, text);
    std::vector<std::int32_t> numbers;
    StepEnd end = runStep([&] {
        while (!reader.atEnd()) {
            numbers.push_back(reader.readInt());
            reader.readReal();
            reader.readInt();
            reader.skipLine();
        }
    }, {106});
    if (end.stopped) finding("kanvo.dat as written cannot be read", text + "\n" + end.message);
    std::size_t marked = 0;
    for (bool mark : players.marked) marked += mark;
    check(numbers.size() == marked, "kanvo.dat does not hold every entered player once", text);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        check(numbers[i] >= 1 && numbers[i] <= kMaxPlayerNumber && players.marked[static_cast<std::size_t>(numbers[i])],
              "kanvo.dat holds a player who was not entered", text);
        check(i == 0 || numbers[i - 1] < numbers[i], "kanvo.dat is not in ascending order", text);
    }
}

void importOf(const std::vector<std::string>& files) {
    TextReader entered(kEnteredPlayersName, files[0]);
    TextReader fullList(kFullRatingListName, files[1]);
    const PlayerSet players = markPlayers(readPlayerNumbers(entered));
    checkRatingList(importedLines(players, fullList), players);
}

}  // namespace

// Input: hraci.txt, a form feed, kanvo.txt.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> files = splitFiles(data, size, 2);
    files.resize(2);
    runStep([&] { importOf(files); }, {1, 106});
    return 0;
}
