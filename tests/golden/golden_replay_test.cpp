// Replays the recorded tournaments: before each step the folder holds the start files plus
// every earlier step's recorded files; after it, exit status, standard output and the whole
// folder must match the recording (with the differences listed in KNOWN_DIFFERENCES).
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "program_run.hpp"
#include "temp_folder.hpp"

namespace fs = std::filesystem;

namespace {

using Files = std::map<std::string, std::string>;

const fs::path kGolden = GOLDEN_DIR;
const char* const kTournaments[] = {"t09x5", "t31x9", "t64x12"};

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) result.push_back(line);
    }
    return result;
}

Files filesIn(const fs::path& folder) {
    Files files;
    if (fs::exists(folder))
        for (const auto& entry : fs::directory_iterator(folder))
            files[entry.path().filename().string()] = slurp(entry.path());
    return files;
}

std::vector<fs::path> stepsOf(const std::string& tournament) {
    std::vector<fs::path> steps;
    for (const auto& entry : fs::directory_iterator(kGolden / tournament / "steps")) steps.push_back(entry.path());
    std::sort(steps.begin(), steps.end());
    return steps;
}

// The folder after a recorded step, given the folder before it.
void applyRecording(Files& folder, const fs::path& step) {
    for (auto& [name, bytes] : filesIn(step / "files")) folder[name] = bytes;
    if (fs::exists(step / "removed"))
        for (const auto& name : lines(slurp(step / "removed"))) folder.erase(name);
}

// One recorded difference we keep on purpose: in step `step`, line `line` (1-based) of `file`
// ("stdout" for the console) reads `ours` instead of the recorded text.
struct KnownDifference {
    std::string step, file;
    std::size_t line;
    std::string ours;
};

std::vector<KnownDifference> knownDifferences() {
    std::vector<KnownDifference> known;
    std::istringstream in(slurp(kGolden / "KNOWN_DIFFERENCES"));
    for (std::string row; std::getline(in, row);) {
        if (row.empty() || row[0] == '#') continue;
        std::vector<std::string> fields;
        std::istringstream cells(row);
        for (std::string cell; std::getline(cells, cell, '\t');) fields.push_back(cell);
        if (fields.size() >= 4) known.push_back({fields[0], fields[1], std::stoul(fields[2]), fields[3]});
    }
    return known;
}

// Replaces one line of a recorded text, keeping its line end.
void replaceLine(std::string& text, std::size_t line, const std::string& ours) {
    std::size_t start = 0;
    for (std::size_t i = 1; i < line; ++i) start = text.find('\n', start) + 1;
    std::size_t end = text.find('\n', start);
    if (end != std::string::npos && end > start && text[end - 1] == '\r') --end;
    text.replace(start, (end == std::string::npos ? text.size() : end) - start, ours);
}

struct Step {
    std::string tournament;
    std::size_t index;
};

void PrintTo(const Step& step, std::ostream* out) { *out << step.tournament << " step " << step.index + 1; }

std::string stepName(const testing::TestParamInfo<Step>& info) {
    std::string name = info.param.tournament + "_" + stepsOf(info.param.tournament)[info.param.index].filename().string();
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

std::vector<Step> allSteps() {
    std::vector<Step> steps;
    for (const char* tournament : kTournaments)
        for (std::size_t i = 0; i < stepsOf(tournament).size(); ++i) steps.push_back({tournament, i});
    return steps;
}

class GoldenReplay : public testing::TestWithParam<Step> {};

TEST_P(GoldenReplay, StepMatchesTheRecording) {
    const auto steps = stepsOf(GetParam().tournament);
    const fs::path step = steps[GetParam().index];
    const std::string stepId = GetParam().tournament + "/" + step.filename().string();
    const std::string program = step.filename().string().substr(3);
    if (!programExists(program)) GTEST_SKIP() << program << " is not built yet";

    Files before = filesIn(kGolden / GetParam().tournament / "start");
    for (std::size_t i = 0; i < GetParam().index; ++i) applyRecording(before, steps[i]);
    Files expected = before;
    applyRecording(expected, step);
    std::string expectedOut = slurp(step / "stdout");
    for (const auto& difference : knownDifferences()) {
        if (difference.step != stepId) continue;
        replaceLine(difference.file == "stdout" ? expectedOut : expected[difference.file], difference.line,
                    difference.ours);
    }

    TempFolder folder;
    for (const auto& [name, bytes] : before) folder.write(name, bytes);
    ProgramRun run = runProgram(program, folder.path(), lines(slurp(step / "args")), slurp(step / "stdin"));

    EXPECT_EQ(run.exitCode, std::stoi(slurp(step / "exit"))) << run.err;
    EXPECT_EQ(run.out, expectedOut);
    Files after = folder.files();
    for (const auto& [name, bytes] : expected) {
        auto found = after.find(name);
        if (found == after.end()) ADD_FAILURE() << name << " is missing after the step";
        else EXPECT_EQ(found->second, bytes) << "file " << name;
    }
    // The folder's lock file of los and zadej, with its record of the round files, is the one file
    // the suite adds.
    for (const auto& [name, bytes] : after)
        if (!expected.count(name) && name != "zamek.lck") ADD_FAILURE() << name << " was left in the folder";
}

INSTANTIATE_TEST_SUITE_P(Tournaments, GoldenReplay, testing::ValuesIn(allSteps()), stepName);

}  // namespace
