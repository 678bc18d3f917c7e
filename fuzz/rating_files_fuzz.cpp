// Fuzz target of the rating list files kanvo.dat, kanvo.new and zmeny.dat: one text read by
// all three readers, and every rating written as a kanvo.new line reads back to 1 decimal.
#include <cmath>
#include <string>
#include <vector>

#include "fuzz_support.hpp"
#include "rating_files.hpp"

namespace {

template <typename Read>
bool readsWithoutStop(const std::string& name, const std::string& text, Read read) {
    TextReader reader(name, text);
    return !runStep([&] { read(reader); }, {106}).stopped;
}

void checkNewRatingLines(const std::vector<RatingListEntry>& list) {
    std::string text;
    for (const auto& entry : list) text += newRatingLine(entry.number, entry.rating) + "\r\n";
    TextReader reader(kNewRatingListName, text);
    std::vector<NewRating> back;
    StepEnd end = runStep([&] { back = readNewRatingList(reader); }, {106});
    if (end.stopped) finding("kanvo.new as written cannot be read", text + "\n" + end.message);
    check(back.size() == list.size(), "kanvo.new reads back another number of lines", text);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const double r = list[i].rating;
        // Half a unit of the decimal, and the last bits of a double beyond it.
        const double allowed = 0.05 + 1e-9 + std::fabs(r) * 4e-16;
        check(back[i].number == list[i].number && std::fabs(back[i].rating - r) <= allowed,
              "a kanvo.new line reads back otherwise", newRatingLine(list[i].number, r));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<RatingListEntry> list;
    if (readsWithoutStop(kRatingListName, text, [&](TextReader& r) { list = readRatingList(r); })) {
        check(list.size() <= lineCount(text), "more rating list lines than lines");
        checkNewRatingLines(list);
    }
    readsWithoutStop(kNewRatingListName, text, [](TextReader& r) { readNewRatingList(r); });
    std::vector<Absence> absences;
    if (readsWithoutStop(kAbsencesName, text, [&](TextReader& r) { absences = readAbsences(r); }))
        check(absences.size() <= lineCount(text), "more absences than lines");
    return 0;
}
