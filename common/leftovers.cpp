// The sweep's rules over the names the suite gives its files and temporaries; the platform only
// lists the folder, answers the questions and removes.
#include "leftovers.hpp"

#include <algorithm>
#include <array>

#include "platform.hpp"
#include "temporary_names.hpp"

namespace {

// A writer keeps its temporary for a moment; a store that waits for the lock at most a minute.
constexpr std::int64_t kMinute = 60;
constexpr std::int64_t kHour = 60 * 60;

bool digits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// prefix, a number, suffix: partie12.txt.
bool numbered(std::string_view name, std::string_view prefix, std::string_view suffix) {
    return name.size() > prefix.size() + suffix.size() && name.substr(0, prefix.size()) == prefix &&
           endsWith(name, suffix) && digits(name.substr(prefix.size(), name.size() - prefix.size() - suffix.size()));
}

bool isRoundFile(std::string_view name) { return numbered(name, "partie", ".txt"); }

std::string inFolder(const std::string& folder, const std::string& name) {
    return folder == "." ? name : folder + "/" + name;
}

}  // namespace

bool isTournamentFile(std::string_view name) {
    constexpr std::array<std::string_view, 7> fixed{"partie.dat", "zadani.txt", "kanvo.dat", "kanvo.new",
                                                    "zmeny.dat",  "randseed.txt", "rekordy.txt"};
    constexpr std::array<std::pair<std::string_view, std::string_view>, 6> numberedNames{
        {{"partie", ".txt"}, {"partie", ".htm"}, {"los", ".txt"}, {"los", ".htm"}, {"poradi", ".txt"}, {"poradi", ".htm"}}};
    return std::find(fixed.begin(), fixed.end(), name) != fixed.end() ||
           std::any_of(numberedNames.begin(), numberedNames.end(),
                       [&](const auto& form) { return numbered(name, form.first, form.second); });
}

bool isBackupCopy(std::string_view name) {
    const auto dash = name.find('-');
    return dash != std::string_view::npos && numbered(name.substr(0, dash), "partie", "") &&
           numbered(name.substr(dash), "-", ".txt");
}

bool isSitePage(std::string_view name) {
    return endsWith(name, ".html") || endsWith(name, "-poradi.csv") || name == "styl.css" || name == "turnaj.json" ||
           name == "favicon.ico" || name == "nahrano.txt";
}

bool isLeftover(const std::string& entry, const SweepFacts& facts, SuiteFiles suiteFiles) {
    const auto temporary = temporaryOf(entry);
    if (!temporary || !suiteFiles(temporary->target)) return false;
    const auto age = facts.plainFileAge(entry);
    if (!age || (isRoundFile(temporary->target) && !facts.exists(temporary->target))) return false;
    if (*age >= kHour) return true;
    if (temporary->computer.empty()) return *age >= kMinute && !facts.processRuns(temporary->process);
    return temporary->computer == facts.computer && !facts.processRuns(temporary->process);
}

void removeLeftovers(const std::string& folder, SuiteFiles suiteFiles) {
    const SweepFacts facts{computerToken(platform::computerName()), platform::processRuns,
                           [&](const std::string& name) { return platform::plainFileAge(inFolder(folder, name)); },
                           [&](const std::string& name) { return platform::pathExists(inFolder(folder, name)); }};
    for (const std::string& entry : platform::folderEntries(folder))
        if (isLeftover(entry, facts, suiteFiles)) platform::removeFile(inFolder(folder, entry));
}
