// VYRES in a folder: every recorded pairing made again (the first rounds from their seeds),
// the list of an empty round, and the stops on task files beyond the limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "fixed.hpp"
#include "game_files.hpp"
#include "task_helpers.hpp"
#include "temp_folder.hpp"
#include "vyres.hpp"

namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

using Pairs = std::vector<std::pair<std::int32_t, std::int32_t>>;

Pairs leadingPairs(const std::string& name, const std::string& text) {
    TextReader reader(name, text);
    return readPairingList(reader);
}

struct VyresRun {
    std::int32_t KROKU = -1, KROKU2 = -1;
    double CHYB = -1;
    std::string out;
};

VyresRun runVyres(const std::string& answers) {
    std::istringstream in(answers);
    std::ostringstream out;
    Console console{&in, &out, false};
    VyresRun run;
    VYRES(run.KROKU, run.KROKU2, run.CHYB, console);
    run.out = out.str();
    return run;
}

class Vyres : public testing::Test {
protected:
    TempFolder folder;
    CurrentFolder current{folder.path()};
};

TEST_F(Vyres, RecordedPairingsComeOutAgain) {
    const fs::path golden = GOLDEN_DIR;
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(RECORDED_TASKS_DIR)) {
        if (entry.path().extension() != ".txt") continue;
        const std::string name = entry.path().stem().string();  // t31x9-09-los
        SCOPED_TRACE(name);
        const auto dash = name.find('-');
        const fs::path tournament = golden / name.substr(0, dash);
        const fs::path step = tournament / "steps" / name.substr(dash + 1);
        const std::string text = slurp(entry.path());
        const int round = taskFrom(text)->KOL + 1;
        folder.write("zadani.txt", text);
        std::string expected;
        if (round == 1) {
            // The recordings answer "a" to keep the stored seed.
            const std::string seedFile = slurp(tournament / "start" / "randseed.txt");
            folder.write("randseed.txt", seedFile);
            expected = "Pouzit stavajici hodnotu generatora nah.cisel (" + formatInt(*storedSeed(seedFile)) + ")? a/n ";
        }
        VyresRun run = runVyres(round == 1 ? "a\n" : "");
        // The driver's report of the counters and the cost follows, as the recording shows it.
        expected += "Parovani bylo provedeno \n0 prohozeni ctveric " + formatInt(run.KROKU2) + " prohozeni trojic a " +
                    formatInt(run.KROKU) + " prohozeni dvojic  \nChybova funkce : " + formatReal(run.CHYB, 12, 9) +
                    "\n";
        EXPECT_NE(slurp(step / "stdout").find(expected), std::string::npos) << expected;
        // The round file puts the bye last; the pairing list has it at the bye player's place.
        const std::string list = folder.read(pairingListName(round));
        EXPECT_EQ(list.rfind("\r\n"), list.size() - 2);
        Pairs drawn = leadingPairs("los.txt", list);
        std::stable_partition(drawn.begin(), drawn.end(), [](const auto& pair) { return pair.second != 0; });
        const std::string roundFile = roundFileName(round);
        EXPECT_EQ(drawn, leadingPairs(roundFile, slurp(step / "files" / roundFile)));
        EXPECT_TRUE(folder.exists("zadani.txt"));  // erasing it is the driver's business
        ++checked;
    }
    EXPECT_EQ(checked, 26);
}

TEST_F(Vyres, NoPlayersGivesAnEmptyList) {
    folder.write("zadani.txt", "5\r\n");
    VyresRun run = runVyres("");
    EXPECT_TRUE(folder.exists("los6.txt"));
    EXPECT_EQ(folder.read("los6.txt"), "");
    EXPECT_EQ(run.KROKU, 1);
    EXPECT_EQ(run.CHYB, 0);
}

// That the task file is erased is seen in a run of los (los_run_test): a death test on Windows
// runs in a fresh copy of the test program, whose folder is not this one.
TEST_F(Vyres, TaskFileBeyondTheLimitsStops) {
    std::string text = "1\r\n";
    for (int p = 1; p <= NMAX + 1; ++p) text += std::to_string(p) + " 1 0.0 1500.0 1500.0 0 0 0 1\r\n";
    folder.write("zadani.txt", text);
    EXPECT_EXIT(runVyres(""), testing::ExitedWithCode(1), "^Soubor zadani.txt: vice nez 150 hracu\n$");

    folder.write("zadani.txt", "24\r\n");
    EXPECT_EXIT(runVyres(""), testing::ExitedWithCode(1), "vice nez 23 odehranych kol");
}

}  // namespace
