// The five game records (search rule and listing test of each) and the largest rating rise.
// Record values are 32-bit whole numbers: a sum or margin beyond them is run-time error 215.
#include "records.hpp"

#include <algorithm>

#include "fixed.hpp"
#include "run_error.hpp"

namespace {

std::int64_t total(const Game& game) { return checkedAdd(game.v1, game.v2); }
std::int64_t margin(const Game& game) {
    const std::int32_t difference = checkedSub(game.v1, game.v2);
    return difference < 0 ? checkedSub(0, difference) : difference;
}
std::int64_t losingScore(const Game& game) { return std::min(game.v1, game.v2); }
bool decided(const Game& game) { return game.v1 != game.v2; }

const std::string& nameOf(const NameTable& names, std::int32_t player) {
    static const std::string none;
    return player >= 1 && player <= kMaxPlayerNumber ? names[static_cast<std::size_t>(player)] : none;
}

}  // namespace

std::string recordHeading(GameRecord record) {
    switch (record) {
        case GameRecord::HighestTotal: return "Nejvyssi soucet skore : ";
        case GameRecord::HighestScore: return "Nejvyssi skore : ";
        case GameRecord::HighestLosingScore: return "Nejvyssi skore porazeneho : ";
        case GameRecord::LargestMargin: return "Nejvyssi rozdil : ";
        case GameRecord::NarrowestLoss: return "Nejtesnejsi prohra : ";
    }
    return {};
}

std::int64_t recordValue(GameRecord record, const std::vector<Game>& games) {
    std::int64_t value = record == GameRecord::NarrowestLoss ? 1000 : 0;
    for (const Game& game : games) {
        switch (record) {
            case GameRecord::HighestTotal: value = std::max(value, total(game)); break;
            case GameRecord::HighestScore: value = std::max({value, std::int64_t{game.v1}, std::int64_t{game.v2}}); break;
            // Only a game whose both scores beat the value replaces it.
            case GameRecord::HighestLosingScore:
                if (decided(game) && losingScore(game) > value) value = losingScore(game);
                break;
            case GameRecord::LargestMargin: value = std::max(value, margin(game)); break;
            case GameRecord::NarrowestLoss:
                if (decided(game)) value = std::min(value, margin(game));
                break;
        }
    }
    return value;
}

bool isListed(GameRecord record, const Game& game, std::int64_t value) {
    switch (record) {
        case GameRecord::HighestTotal: return total(game) == value;
        case GameRecord::HighestScore: return game.v1 == value || game.v2 == value;
        case GameRecord::HighestLosingScore: return decided(game) && losingScore(game) >= value;
        case GameRecord::LargestMargin:
        case GameRecord::NarrowestLoss: return margin(game) == value;
    }
    return false;
}

std::string gameLine(std::int64_t value, const Game& game, const NameTable& names) {
    return formatInt(value, 4) + "   " + nameOf(names, game.k1) + " - " + nameOf(names, game.k2) + " " +
           formatInt(game.v1, 4) + " " + formatInt(game.v2, 4);
}

std::vector<std::string> gameRecordLines(const std::vector<Game>& games, const NameTable& names) {
    std::vector<std::string> lines;
    for (GameRecord record : kGameRecords) {
        const std::int64_t value = recordValue(record, games);
        lines.push_back(recordHeading(record));
        for (const Game& game : games)
            if (isListed(record, game, value)) lines.push_back(gameLine(value, game, names));
        lines.emplace_back();
    }
    return lines;
}

RatingRise largestRise(const RatingTable& oldRatings, const RatingTable& newRatings) {
    RatingRise best;
    for (std::size_t player = 1; player <= kMaxPlayerNumber; ++player) {
        const double rise = newRatings[player] - oldRatings[player];
        if (rise > best.rise) best = {rise, static_cast<std::int32_t>(player)};
    }
    return best;
}

std::vector<std::string> riseLines(const RatingRise& rise, const NameTable& names) {
    // With no rise there is no player, so the name stays empty.
    return {"Nejvyssi rust sily : ", formatReal(rise.rise, 6, 1) + " " + nameOf(names, rise.player)};
}
