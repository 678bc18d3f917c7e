// The standings computation, pass by pass in the order the run takes them.
// Integer totals use checked arithmetic: an overflow is run-time error 215, never a wrap.
#include "standings.hpp"

#include <cmath>
#include <limits>

#include "players_file.hpp"
#include "run_error.hpp"

namespace {

// Z is a 16-bit field.
void addToStartBalance(HRAC& player, std::int32_t step) {
    std::int32_t z = checkedAdd(player.Z, step);
    if (z < std::numeric_limits<std::int16_t>::min() || z > std::numeric_limits<std::int16_t>::max())
        runError(kErrorOverflow, "Preteceni celeho cisla");
    player.Z = static_cast<std::int16_t>(z);
}

// Position of the player's record, appended when the number is new.
std::size_t playerPosition(Standings& table, std::int32_t number, std::size_t roundCount) {
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].C == number) return i;
    if (table.size() == kMaxPlayers)
        stopWithMessage("Vice nez " + std::to_string(kMaxPlayers) + " hracu v souborech partie1.txt az " +
                        roundFileName(static_cast<std::int32_t>(roundCount)));
    HRAC player;
    player.C = number;
    table.push_back(player);
    return table.size() - 1;
}

}  // namespace

Coefficients readCoefficients(TextReader koef) {
    Coefficients c;
    c.KOEFA = koef.readReal();
    c.KOEFB = koef.readReal();
    c.KOEFC = koef.readReal();
    c.KOEFD = koef.readReal();
    return c;
}

bool countsForStandings(const Game& line) { return line.k1 > 0; }

double pointsFor(std::int32_t own, std::int32_t other) { return own > other ? 1.0 : own == other ? 0.5 : 0.0; }

HRAC* findPlayer(Standings& table, std::int32_t number) {
    for (HRAC& player : table)
        if (player.C == number) return &player;
    return nullptr;
}

const HRAC* findPlayer(const Standings& table, std::int32_t number) {
    for (const HRAC& player : table)
        if (player.C == number) return &player;
    return nullptr;
}

Standings totalsPass(const RoundFiles& rounds) {
    Standings table;
    for (const auto& lines : rounds) {
        for (const Game& line : lines) {
            if (!countsForStandings(line)) continue;
            const std::size_t f = playerPosition(table, line.k1, rounds.size());
            const bool game = line.k2 > 0;  // otherwise a bye
            const std::size_t g = game ? playerPosition(table, line.k2, rounds.size()) : f;
            HRAC& first = table[f];
            first.S1 = checkedAdd(first.S1, line.v1);
            first.S2 = checkedAdd(first.S2, line.v2);
            first.B += pointsFor(line.v1, line.v2);
            first.P = checkedAdd(first.P, 1);
            if (!game) continue;
            HRAC& second = table[g];
            first.P2 = checkedAdd(first.P2, 1);
            second.B += pointsFor(line.v2, line.v1);
            second.P = checkedAdd(second.P, 1);
            second.P2 = checkedAdd(second.P2, 1);
            second.S1 = checkedAdd(second.S1, line.v2);
            second.S2 = checkedAdd(second.S2, line.v1);
            addToStartBalance(first, 1);
            addToStartBalance(second, -1);
        }
    }
    return table;
}

void readNames(Standings& table, TextReader osoby) {
    for (const PlayerName& entry : readPlayerNames(osoby, kNameLength))
        if (HRAC* player = findPlayer(table, entry.number)) player->JM = entry.name;
}

void readRatings(Standings& table, TextReader kanvo) {
    while (!kanvo.atEnd()) {
        // The rating is read only for players of the table.
        if (HRAC* player = findPlayer(table, kanvo.readInt())) player->NSA = kanvo.readReal();
        kanvo.skipLine();
    }
}

void buchholzAndOpponentPass(Standings& table, const RoundFiles& rounds, std::int32_t K) {
    for (const auto& lines : rounds) {
        for (const Game& line : lines) {
            if (!countsForStandings(line)) continue;
            HRAC& F = *findPlayer(table, line.k1);
            if (line.k2 <= 0) {
                F.BCH += K / 2.0;
                continue;
            }
            HRAC& G = *findPlayer(table, line.k2);
            F.BCH += G.B + checkedSub(K, G.P) / 2.0;
            G.BCH += F.B + checkedSub(K, F.P) / 2.0;
            F.ARO += G.NSA / F.P2;
            G.ARO += F.NSA / G.P2;
            F.ARO2 += G.NSA * G.NSA;
            G.ARO2 += F.NSA * F.NSA;
        }
    }
}

void adjustMissedRounds(Standings& table, std::int32_t K, Console& console) {
    for (HRAC& player : table) {
        if (player.P >= K) continue;
        writeLine(console, "Bucholtz upraven u hrace " + std::to_string(player.C));
        player.BCH += K / 2.0 * checkedSub(K, player.P);
    }
}

void computeDerivedValues(Standings& table, const Coefficients& koef, std::int32_t K) {
    for (HRAC& player : table) {
        player.TURCAS = koef.KOEFA * player.BCH / K + (koef.KOEFB + koef.KOEFC) * player.S1 -
                        koef.KOEFC * player.S2 - koef.KOEFD * player.Z;
        if (player.P2 > 1) {
            double radicand = (player.ARO2 - player.ARO * player.ARO * player.P2) / (player.P2 - 1);
            // Equal opponent ratings can leave a radicand a rounding error below zero.
            player.ARO2 = radicand < 0 ? 0 : std::sqrt(radicand);
        } else {
            player.ARO2 = 0;
        }
    }
}

void sortStandings(Standings& table) {
    for (std::size_t i = 0; i + 1 < table.size(); ++i)
        for (std::size_t j = i + 1; j < table.size(); ++j)
            if (table[j].B > table[i].B || (table[j].B == table[i].B && table[j].TURCAS > table[i].TURCAS))
                std::swap(table[i], table[j]);
}
