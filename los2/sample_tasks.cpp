// Sample task files. The simulation keeps ratings fixed and plays each game by a draw
// weighted with the rating difference; that is enough for realistic score groups and histories.
#include "sample_tasks.hpp"

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "cost.hpp"
#include "fixed.hpp"
#include "search.hpp"
#include "task_file.hpp"

namespace {

struct Entrant {
    int number = 0;
    double rating = 0;
    int B = 0;  // half points
    int BP = 0, ZAC = 0, ZACZ = 0;
    double opponentSum = 0;  // opponents' ratings, adjusted for the first move
    int games = 0;
    bool missed = false;
    std::vector<int> opponents;  // list numbers
};

double uniform(std::mt19937& random) { return std::generate_canonical<double, 32>(random); }
int below(std::mt19937& random, int n) { return static_cast<int>(uniform(random) * n) % n; }

std::string taskLine(int list, const Entrant& e, double aro) {
    std::string line = formatInt(list, 3) + " " + formatInt(e.number, 3) + " " + formatReal(e.B / 2.0, 4, 1) + " " +
                       formatReal(e.rating, 6, 1) + " " + formatReal(aro, 6, 1) + " " + formatInt(e.BP, 3) + " " +
                       formatInt(e.ZAC, 2) + " " + formatInt(e.ZACZ, 2);
    for (int o : e.opponents) {
        line += ' ';
        line += formatInt(o, 2);
    }
    return line;
}

// The task file of the next round: score groups from the top, list order inside each.
std::string taskText(const std::vector<Entrant>& field, const std::vector<bool>& present, int kol) {
    std::string text = formatInt(kol) + "\r\n";
    for (int score = 2 * kol; score >= 0; --score)
        for (std::size_t i = 0; i < field.size(); ++i) {
            const Entrant& e = field[i];
            if (!present[i] || e.B != score) continue;
            double aro = 0;
            if (kol > 0) {
                double count = e.games + (e.missed ? 1 : 0);
                aro = (e.opponentSum + (e.missed ? e.rating : 0.0)) / std::max(count, 1.0);
            }
            text += taskLine(static_cast<int>(i) + 1, e, aro) + "\r\n";
        }
    return text;
}

void play(Entrant& first, Entrant& second, int firstList, int secondList, std::mt19937& random) {
    const double expected = 1.0 / (1.0 + std::pow(10.0, (second.rating - first.rating - kFirstMove) / 400.0));
    const double draw = uniform(random);
    const int firstHalf = draw < expected - 0.05 ? 2 : draw < expected + 0.05 ? 1 : 0;
    first.BP += first.B - second.B;
    second.BP += second.B - first.B;
    first.B += firstHalf;
    second.B += 2 - firstHalf;
    first.ZAC += 1;
    first.ZACZ = first.ZACZ < 0 ? 1 : first.ZACZ + 1;
    second.ZAC -= 1;
    second.ZACZ = second.ZACZ > 0 ? -1 : second.ZACZ - 1;
    first.opponentSum += second.rating - kFirstMove;
    second.opponentSum += first.rating + kFirstMove;
    ++first.games;
    ++second.games;
    first.opponents.push_back(secondList);
    second.opponents.push_back(firstList);
}

}  // namespace

std::string simulatedTaskFile(int players, int round, std::uint32_t seed) {
    return simulatedTaskFiles(players, round, seed).back();
}

std::vector<std::string> simulatedTaskFiles(int players, int rounds, std::uint32_t seed) {
    std::vector<std::string> files;
    std::mt19937 random(seed);
    std::vector<Entrant> field(static_cast<std::size_t>(players));
    for (auto& e : field) e.rating = std::round(10 * (1250 + 900 * uniform(random))) / 10;
    std::sort(field.begin(), field.end(), [](const Entrant& a, const Entrant& b) { return a.rating > b.rating; });
    for (int i = 0; i < players; ++i) field[static_cast<std::size_t>(i)].number = 1 + (i * 37 + 11) % 400;

    auto task = std::make_unique<Task>();
    CostMatrices costs;
    SearchWork work;
    for (int kol = 0;; ++kol) {
        // About one player in forty sits a round out.
        std::vector<bool> present(field.size(), true);
        for (std::size_t i = 0; i < field.size(); ++i) present[i] = kol == 0 || uniform(random) >= 0.025;
        std::string text = taskText(field, present, kol);
        files.push_back(text);
        if (kol == rounds - 1) return files;

        TextReader reader("zadani.txt", text);
        readTask(reader, *task);
        computeAROPR(*task);
        Pairing pairing;
        pairing.N = task->N;
        chooseBye(*task, pairing);
        if (kol == 0) {
            RandomGenerator generator;
            generator.engine.seed(seed);
            pairFirstRound(pairing, generator);
        } else {
            pairLaterRound(*task, costs, work, pairing);
        }
        clearByeMarker(pairing);
        for (int p = 1; p <= task->N; ++p) {
            const int q = pairing.SOU[p];
            if (q <= 0) continue;
            const int firstList = task->listNumber[p], secondList = task->listNumber[q];
            play(field[static_cast<std::size_t>(firstList - 1)], field[static_cast<std::size_t>(secondList - 1)],
                 firstList, secondList, random);
        }
        // Everybody without a game this round (absent or bye) has a short opponent list.
        for (std::size_t i = 0; i < field.size(); ++i)
            if (static_cast<int>(field[i].opponents.size()) < kol + 1) field[i].missed = true;
        // A bye still scores a win.
        for (int p = 1; p <= task->N; ++p)
            if (pairing.SOU[p] == 0) field[static_cast<std::size_t>(task->listNumber[p] - 1)].B += 2;
    }
}

std::string randomTaskFile(std::uint32_t seed) {
    std::mt19937 random(seed);
    const int kol = 1 + below(random, kMaxOpponents);
    const int players = below(random, 41);
    std::string text = formatInt(kol) + "\r\n";
    const double ratings[] = {1500, 1600, 1650.5};
    for (int p = 1; p <= players; ++p) {
        Entrant e;
        e.number = p;
        e.B = below(random, 2 * kol + 1);
        e.rating = ratings[below(random, 3)];
        e.BP = below(random, 5) - 2;
        e.ZAC = below(random, 7) - 3;
        e.ZACZ = below(random, 9) - 4;
        const int entries = kol - below(random, 2);
        for (int k = 0; k < entries; ++k) e.opponents.push_back(below(random, 3) == 0 ? 0 : 1 + below(random, players));
        const double aro = 1500 + 50 * below(random, 3);
        // One player in three is written twice, to give equal costs and equal gains.
        const int copies = below(random, 3) == 0 ? 2 : 1;
        for (int c = 0; c < copies && p <= players; ++c, ++p) text += taskLine(p, e, aro) + "\r\n";
        --p;
    }
    return text;
}
