// VYRES in a folder: the recorded rounds paired again (the first ones from their seeds), a
// later round's files and results, and the stops on task files beyond the limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "fixed.hpp"
#include "game_files.hpp"
#include "sample_tasks.hpp"
#include "search.hpp"
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

// The first-round task of a recorded tournament: the rating list ordered highest first by
// the exchange sort, unrated players at 1400, players absent from round 1 left out.
std::string firstRoundTask(const std::string& ratingList, const std::string& absences) {
    struct Entry {
        std::int32_t number;
        double rating;
    };
    std::vector<Entry> list;
    TextReader kanvo("kanvo.dat", ratingList);
    while (!kanvo.atEnd()) {
        std::int32_t number = kanvo.readInt();
        double rating = kanvo.readReal();
        std::int32_t games = kanvo.readInt();
        kanvo.skipLine();
        list.push_back({number, games == 0 ? 1400.0 : rating});
    }
    for (std::size_t i = 0; i + 1 < list.size(); ++i)
        for (std::size_t j = i + 1; j < list.size(); ++j)
            if (list[i].rating < list[j].rating) std::swap(list[i], list[j]);
    std::vector<std::int32_t> absent;
    TextReader zmeny("zmeny.dat", absences);
    while (!zmeny.atEnd()) {
        std::int32_t number = zmeny.readInt(), first = zmeny.readInt(), last = zmeny.readInt();
        zmeny.skipLine();
        if (first <= 1 && 1 <= last) absent.push_back(number);
    }
    std::string task = "0\r\n";
    for (std::size_t i = 0; i < list.size(); ++i)
        if (std::find(absent.begin(), absent.end(), list[i].number) == absent.end())
            task += formatInt(static_cast<std::int64_t>(i) + 1, 3) + " " + formatInt(list[i].number, 3) + "  0.0 " +
                    formatReal(list[i].rating, 6, 1) + "    0.0   0  0  0\r\n";
    return task;
}

struct VyresRun {
    std::int32_t KROKU = -1, KROKU2 = -1, KROKU3 = -1;
    double CHYB = -1;
    std::string out;
};

VyresRun runVyres(const std::string& answers) {
    std::istringstream in(answers);
    std::ostringstream out;
    Console console{&in, &out, false};
    VyresRun run;
    VYRES(run.KROKU, run.KROKU2, run.KROKU3, run.CHYB, console);
    run.out = out.str();
    return run;
}

class Vyres : public testing::Test {
protected:
    TempFolder folder;
    CurrentFolder current{folder.path()};
};

TEST_F(Vyres, RecordedFirstRoundsComeOutAgainFromTheirSeeds) {
    const fs::path golden = GOLDEN_DIR;
    for (const char* tournament : {"t09x5", "t31x9", "t64x12"}) {
        SCOPED_TRACE(tournament);
        const fs::path start = golden / tournament / "start";
        const fs::path steps = golden / tournament / "steps";
        folder.write("zadani.txt", firstRoundTask(slurp(steps / "01-prevod" / "files" / "kanvo.dat"),
                                                  slurp(start / "zmeny.dat")));
        const std::string seedFile = slurp(start / "randseed.txt");
        folder.write("randseed.txt", seedFile);
        VyresRun run = runVyres("a\n");
        EXPECT_EQ(run.out, "Pouzit stavajici hodnotu generatora nah.cisel (" + formatInt(*storedSeed(seedFile)) +
                               ")? a/n Parovani bylo provedeno \n");
        EXPECT_EQ(run.KROKU + run.KROKU2 + run.KROKU3, 0);
        EXPECT_EQ(run.CHYB, 0);
        // The round file writes the bye last; the pairing list has it at its position.
        Pairs drawn = leadingPairs("los1.txt", folder.read("los1.txt"));
        std::stable_partition(drawn.begin(), drawn.end(), [](const auto& pair) { return pair.second != 0; });
        EXPECT_EQ(drawn, leadingPairs("partie1.txt", slurp(steps / "02-los" / "files" / "partie1.txt")));
    }
}

TEST_F(Vyres, RecordedLaterRoundsComeOutAgain) {
    const fs::path golden = GOLDEN_DIR;
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(RECORDED_TASKS_DIR)) {
        const std::string name = entry.path().stem().string();  // t31x9-09-los
        if (entry.path().extension() != ".txt") continue;
        SCOPED_TRACE(name);
        const auto dash = name.find('-');
        const fs::path step = golden / name.substr(0, dash) / "steps" / name.substr(dash + 1);
        const std::string text = slurp(entry.path());
        folder.write("zadani.txt", text);
        VyresRun run = runVyres("");
        const int round = taskFrom(text)->KOL + 1;
        // The driver's report of the counters and the cost, as the recording shows it.
        const std::string report = "0 prohozeni ctveric " + formatInt(run.KROKU2) + " prohozeni trojic a " +
                                   formatInt(run.KROKU) + " prohozeni dvojic  \nChybova funkce : " +
                                   formatReal(run.CHYB, 12, 9) + "\n";
        EXPECT_NE(slurp(step / "stdout").find(report), std::string::npos) << report;
        Pairs drawn = leadingPairs("los.txt", folder.read(pairingListName(round)));
        std::stable_partition(drawn.begin(), drawn.end(), [](const auto& pair) { return pair.second != 0; });
        const std::string roundFile = roundFileName(round);
        EXPECT_EQ(drawn, leadingPairs(roundFile, slurp(step / "files" / roundFile)));
        ++checked;
    }
    EXPECT_EQ(checked, 23);
}

TEST_F(Vyres, LaterRoundWritesTheListAndReturnsCountersAndCost) {
    const std::string text = simulatedTaskFile(31, 6, 3);
    folder.write("zadani.txt", text);
    VyresRun run = runVyres("");
    EXPECT_EQ(run.out, "Parovani bylo provedeno \n");

    auto task = taskFrom(text);
    auto searched = searchLaterRound(*task);
    EXPECT_EQ(run.KROKU, searched->pairing.KROKU);
    EXPECT_EQ(run.KROKU2, searched->pairing.KROKU2);
    EXPECT_EQ(run.KROKU3, 0);
    EXPECT_EQ(run.CHYB, pairingCost(searched->costs, searched->pairing.SOU));
    EXPECT_GT(run.CHYB, 0);

    const std::string list = folder.read("los6.txt");
    EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), (task->N + 1) / 2);
    EXPECT_EQ(list.find('\n'), list.find("\r\n") + 1);
    EXPECT_EQ(list.rfind("\r\n"), list.size() - 2);
    EXPECT_TRUE(folder.exists("zadani.txt"));  // erasing it is the driver's business
}

TEST_F(Vyres, NoPlayersGivesAnEmptyList) {
    folder.write("zadani.txt", "5\r\n");
    VyresRun run = runVyres("");
    EXPECT_TRUE(folder.exists("los6.txt"));
    EXPECT_EQ(folder.read("los6.txt"), "");
    EXPECT_EQ(run.KROKU, 1);
    EXPECT_EQ(run.CHYB, 0);
}

TEST_F(Vyres, TaskFileBeyondTheLimitsStopsAndIsErased) {
    std::string text = "1\r\n";
    for (int p = 1; p <= NMAX + 1; ++p) text += std::to_string(p) + " 1 0.0 1500.0 1500.0 0 0 0 1\r\n";
    folder.write("zadani.txt", text);
    EXPECT_EXIT(runVyres(""), testing::ExitedWithCode(1), "^Soubor zadani.txt: vice nez 150 hracu\n$");
    EXPECT_FALSE(folder.exists("zadani.txt"));
    EXPECT_FALSE(folder.exists("los2.txt"));

    folder.write("zadani.txt", "24\r\n");
    EXPECT_EXIT(runVyres(""), testing::ExitedWithCode(1), "vice nez 23 odehranych kol");
    EXPECT_FALSE(folder.exists("zadani.txt"));
}

TEST_F(Vyres, MissingTaskFileIsRunTimeError2) {
    EXPECT_EXIT(runVyres(""), testing::ExitedWithCode(2), "Runtime error 2");
}

}  // namespace
