// Fuzz target of the rating recomputation's inputs kanvo.dat, partie.dat and zmeny.dat:
// poradi's kanvo.new or PRIPRAV's task file in a folder of its own; either must read back.
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "console.hpp"
#include "fuzz_support.hpp"
#include "game_files.hpp"
#include "rating_files.hpp"
#include "recompute.hpp"
#include "task_file.hpp"

namespace {

void checkNewRatingList(std::size_t players) {
    TextReader reader(kNewRatingListName, fileBytes(kNewRatingListName));
    std::vector<NewRating> list;
    StepEnd end = runStep([&] { list = readNewRatingList(reader); }, {106});
    check(!end.stopped, "kanvo.new as written cannot be read", end.message);
    check(list.size() == players, "kanvo.new does not hold every player of kanvo.dat");
}

// The optimiser may refuse a task beyond its capacities, but it must read every number, save
// a rating beyond all reason (1e308 in kanvo.dat) that has grown into an infinity: left as
// it is, los then ends with run-time error 106 naming zadani.txt.
void checkTaskFile() {
    TextReader reader(kTaskFileName, fileBytes(kTaskFileName));
    static Task task;
    StepEnd end = runStep([&] { readTask(reader, task); }, {106, 201});
    check(end.code != 106 || end.message.find("Inf\"") != std::string::npos ||
              end.message.find("Nan\"") != std::string::npos,
          "the task file as written cannot be read", end.message);
}

std::size_t linesOf(const std::string& text) {
    TextReader reader(kRatingListName, text);
    return readRatingList(reader).size();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    workInFreshFolder("recompute");
    return 0;
}

// Input: the round to pair (first byte: 0 means the standings' round -1, else 1..24), then
// kanvo.dat, partie.dat and zmeny.dat separated by form feeds (no zmeny.dat part: no file,
// and the organiser answers to go on).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::int32_t KOLO = data[0] % 25 == 0 ? -1 : data[0] % 25;
    auto files = splitFiles(data + 1, size - 1, 3);
    for (const char* name : {kNewRatingListName, kTaskFileName, kAbsencesName}) std::filesystem::remove(name);
    files.resize(std::max<std::size_t>(files.size(), 2));
    putFile(kRatingListName, files[0]);
    // los builds partie.dat from the rounds before the one it pairs: none for round 1.
    putFile(kGameListName, KOLO == 1 ? std::string() : files[1]);
    if (files.size() == 3) putFile(kAbsencesName, files[2]);

    std::istringstream in("a\n");
    std::ostringstream out;
    Console console{&in, &out, false};
    const auto recompute = [&] {
        if (KOLO == -1)
            writeNewRatingList(recomputeFromFiles(false, console));
        else
            PRIPRAV(KOLO, console);
    };
    if (runStep(recompute, {1, 106, 201, 215}).stopped) return 0;
    if (KOLO == -1)
        checkNewRatingList(linesOf(files[0]));
    else
        checkTaskFile();
    return 0;
}
